// Thumbrill.dll joins the process's resource chain while it is loaded, so that its menus are
// found by id like the program's own.
#include <windows.h>

#include "framework/module.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  fw::Module::FollowLibraryLifetime(instance, reason, reserved);
  return TRUE;
}
