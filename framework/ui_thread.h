// UiThread: a thread with its own message loop, driven by thread messages. The thread exists
// before Start returns (its queue is ready for PostThreadMessage), and Stop asks it to end with
// WM_QUIT and waits a bounded time; the handle is closed once, by this object.
#pragma once

#include <windows.h>

#include <functional>

namespace fw {

class UiThread {
 public:
  // handler gets every thread message (msg.hwnd == null) except WM_QUIT.
  using ThreadMessageHandler = std::function<void(const MSG&)>;

  explicit UiThread(ThreadMessageHandler handler) : handler_(std::move(handler)) {}
  ~UiThread() { Stop(kDefaultStopWaitMs); }
  UiThread(const UiThread&) = delete;
  UiThread& operator=(const UiThread&) = delete;

  bool Start();
  // Posts WM_QUIT and waits up to waitMs; true when the thread has ended (or never ran).
  bool Stop(DWORD waitMs);
  // Posts a thread message; retries while the thread's queue does not yet accept it.
  bool Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  DWORD Id() const { return id_; }
  bool Running() const;

  static constexpr DWORD kDefaultStopWaitMs = 5000;

 private:
  static DWORD WINAPI Main(void* self);
  void Run();

  ThreadMessageHandler handler_;
  HANDLE thread_ = nullptr;
  HANDLE ready_ = nullptr;
  DWORD id_ = 0;
};

}  // namespace fw
