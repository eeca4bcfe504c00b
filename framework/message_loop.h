// A thread's message loop with pre-translate filters (modeless dialogs, accelerators).
#pragma once

#include <windows.h>

#include <vector>

namespace fw {

class MessageFilter {
 public:
  // True when the message was handled and must not be dispatched.
  virtual bool PreTranslateMessage(MSG& msg) = 0;

 protected:
  ~MessageFilter() = default;
};

class MessageLoop {
 public:
  void AddFilter(MessageFilter* filter);
  void RemoveFilter(MessageFilter* filter);
  // Runs until WM_QUIT; returns its exit code.
  int Run();

 private:
  bool PreTranslate(MSG& msg);
  std::vector<MessageFilter*> filters_;
};

}  // namespace fw
