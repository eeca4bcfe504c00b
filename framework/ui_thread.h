// UiThread: a MessageThread whose thread messages go to a function. Stop asks it to end with WM_QUIT
// and waits a bounded time.
#pragma once

#include <windows.h>

#include <functional>

#include "framework/framework_api.h"
#include "framework/message_thread.h"

namespace fw {

class FW_API UiThread : public MessageThread {
 public:
  // handler gets every thread message (msg.hwnd == null) except WM_QUIT.
  using ThreadMessageHandler = std::function<void(const MSG&)>;

  explicit UiThread(ThreadMessageHandler handler) : handler_(std::move(handler)) {}
  ~UiThread() override { Stop(kDefaultStopWaitMs); }

  bool Start() { return StartThread(); }
  // Posts WM_QUIT and waits up to waitMs; true when the thread has ended (or never ran).
  bool Stop(DWORD waitMs);
  // Posts a thread message; retries while the thread's queue does not yet accept it.
  bool Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return IsRunning() && PostToThread(message, wParam, lParam);
  }
  DWORD Id() const { return ThreadId(); }
  bool Running() const { return IsRunning(); }

  static constexpr DWORD kDefaultStopWaitMs = 5000;

 protected:
  void OnThreadMessage(const MSG& msg) override {
    if (handler_) handler_(msg);
  }

 private:
  ThreadMessageHandler handler_;
};

}  // namespace fw
