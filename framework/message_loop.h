// A thread's message loop. Before each message is dispatched, the windows' pre-translate chain
// (Window::PreTranslateMessage) and then the loop's filters (modeless dialogs, accelerators) may
// take it.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>
#include <vector>

#include "framework/framework_api.h"

namespace fw {

class MessageFilter {
 public:
  // True when the message was handled and must not be dispatched.
  virtual bool PreTranslateMessage(MSG& msg) = 0;

 protected:
  ~MessageFilter() = default;
};

class FW_API MessageLoop {
 public:
  void AddFilter(MessageFilter* filter);
  void RemoveFilter(MessageFilter* filter);
  // Runs until WM_QUIT; returns its exit code.
  int Run();
  // Called once each time the queue runs empty, before the loop waits for the next message.
  void SetIdleHandler(std::function<void()> idle) { idle_ = std::move(idle); }

 private:
  bool PreTranslate(MSG& msg);
  std::vector<MessageFilter*> filters_;
  std::function<void()> idle_;
};

}  // namespace fw
