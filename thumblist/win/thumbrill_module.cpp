// Thumbrill.dll joins the process's resource chain while it is loaded, so that its menus are
// found by id like the program's own.
#include <windows.h>

#include "framework/module.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
    fw::Module::AddResourceModule(instance);
  } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    fw::Module::RemoveResourceModule(instance);
  }
  return TRUE;
}
