// The framework's process-wide state: the module instance whose resources the windows use, and
// the message loop that runs on each thread.
#pragma once

#include <windows.h>

namespace fw {

class MessageLoop;

class Module {
 public:
  static void Init(HINSTANCE instance);
  static void Term();
  static HINSTANCE Instance();
  // Resources (dialog templates, icons, strings) come from here; by default the instance.
  static HINSTANCE ResourceInstance();
  static void SetResourceInstance(HINSTANCE resources);

  // One loop per thread; the loop of the calling thread, or null.
  static void AddMessageLoop(MessageLoop* loop);
  static void RemoveMessageLoop();
  static MessageLoop* GetMessageLoop();
};

}  // namespace fw
