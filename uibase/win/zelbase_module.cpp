// ZelBase.dll joins the process's resource chain while it is loaded, so that the bitmaps its
// controls are given by id are found in the calling program first and then here.
#include <windows.h>

#include "framework/module.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
    fw::Module::AddResourceModule(instance);
  } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    // Unloaded while the process goes on (FreeLibrary); at process exit the chain goes with it.
    fw::Module::RemoveResourceModule(instance);
  }
  return TRUE;
}
