// The framework's process-wide state: the module instance whose resources the windows use, the
// resource chain of the libraries loaded into the process, the program's main window and the
// message loop that runs on each thread.
#pragma once

#include <windows.h>

#include <string>

#include "framework/framework_api.h"

// The linker's symbol for the start of the module image that contains the reference.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace fw {

class MessageLoop;

// The module (program or library) whose code makes the call. Inline on purpose: each module
// compiles its own copy, so a library gets its own handle, not the framework's.
inline HINSTANCE ThisModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

class FW_API Module {
 public:
  // The running program's folder with its trailing backslash (where Res\ and the files placed
  // beside the programs are).
  static std::string ProgramFolder();
  static void Init(HINSTANCE instance);
  static void Term();
  static HINSTANCE Instance();
  // Resources (dialog templates, icons, strings) come from here; by default the instance.
  static HINSTANCE ResourceInstance();
  static void SetResourceInstance(HINSTANCE resources);

  // The resource chain: libraries with resources join it when they load and leave it when they
  // unload. A lookup tries the resource instance (the program) first, then the libraries in the
  // order they joined, and returns the first module that holds the resource, or null.
  static void AddResourceModule(HINSTANCE module);
  static void RemoveResourceModule(HINSTANCE module);
  // What a resource library's DllMain does: joins the chain on attach; leaves it on a detach while
  // the process goes on (FreeLibrary), since at process exit the chain goes with the process.
  static void FollowLibraryLifetime(HINSTANCE library, DWORD reason, LPVOID reserved);
  static HINSTANCE FindResourceModule(LPCSTR name, LPCSTR type);

  // The program's main window, which libraries send the program's commands to; null until set.
  static void SetMainWindow(HWND window);
  static HWND MainWindow();

  // One loop per thread; the loop of the calling thread, or null.
  static void AddMessageLoop(MessageLoop* loop);
  static void RemoveMessageLoop();
  static MessageLoop* GetMessageLoop();
};

}  // namespace fw
