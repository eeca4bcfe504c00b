// MessageThread: a thread with its own message queue, driven by thread messages. Its queue exists
// before StartThread returns; derived classes handle the messages and may end their own life in
// the thread's last call.
#pragma once

#include <windows.h>

#include "framework/framework_api.h"

namespace fw {

// Posts until the thread's queue accepts the message. Gives up when the thread is gone, or after
// about two seconds of a full queue.
FW_API bool PostThreadMessageUntilAccepted(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);

class FW_API MessageThread {
 public:
  MessageThread() = default;
  virtual ~MessageThread();
  MessageThread(const MessageThread&) = delete;
  MessageThread& operator=(const MessageThread&) = delete;

  // Starts the thread and returns once its queue accepts messages.
  bool StartThread();
  DWORD ThreadId() const { return threadId_; }
  // Waits for the thread to end; true when it ended within the time.
  bool WaitForEnd(DWORD milliseconds) const;
  // True from StartThread until the thread has ended.
  bool IsRunning() const;
  bool PostToThread(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return PostThreadMessageUntilAccepted(threadId_, message, wParam, lParam);
  }

 protected:
  // First call on the thread, after its queue exists and before its first message.
  virtual void OnStartThread() {}
  // Every thread message but WM_QUIT, on the thread.
  virtual void OnThreadMessage(const MSG& message) = 0;
  // After WM_QUIT, on the thread.
  virtual void OnExitThread() {}
  // The thread's very last call; the object may delete itself here and must not be touched after.
  virtual void OnThreadEnded() {}

 private:
  static DWORD WINAPI Entry(void* self);
  void Run();

  HANDLE thread_ = nullptr;
  HANDLE ready_ = nullptr;
  DWORD threadId_ = 0;
};

}  // namespace fw
