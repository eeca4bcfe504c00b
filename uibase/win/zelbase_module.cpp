// ZelBase.dll joins the process's resource chain while it is loaded, so that the bitmaps its
// controls are given by id are found in the calling program first and then here.
#include <windows.h>

#include "framework/module.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  fw::Module::FollowLibraryLifetime(instance, reason, reserved);
  return TRUE;
}
