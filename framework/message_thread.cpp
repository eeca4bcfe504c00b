#include "framework/message_thread.h"

#include "common/win/thread_start.h"

namespace fw {

bool PostThreadMessageUntilAccepted(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
  for (int attempt = 0; attempt < 2000; ++attempt) {
    if (PostThreadMessageA(threadId, message, wParam, lParam)) return true;
    if (GetLastError() == ERROR_INVALID_THREAD_ID) return false;
    Sleep(1);
  }
  return false;
}

MessageThread::~MessageThread() {
  if (thread_) CloseHandle(thread_);
  if (ready_) CloseHandle(ready_);
}

bool MessageThread::StartThread() {
  if (thread_) return false;
  ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (!ready_) return false;
  thread_ = mb::BeginThread(&MessageThread::Entry, this, 0, &threadId_);
  if (!thread_) return false;
  return WaitForSingleObject(ready_, 10000) == WAIT_OBJECT_0;
}

bool MessageThread::WaitForEnd(DWORD milliseconds) const {
  return !thread_ || WaitForSingleObject(thread_, milliseconds) == WAIT_OBJECT_0;
}

bool MessageThread::IsRunning() const {
  return thread_ && WaitForSingleObject(thread_, 0) == WAIT_TIMEOUT;
}

DWORD WINAPI MessageThread::Entry(void* self) {
  static_cast<MessageThread*>(self)->Run();
  return 0;
}

void MessageThread::Run() {
  MSG message;
  PeekMessageA(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // makes the queue
  SetEvent(ready_);
  OnStartThread();
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (message.hwnd) {
      DispatchMessageA(&message);  // windows of this thread, if any
    } else {
      OnThreadMessage(message);
    }
  }
  OnExitThread();
  OnThreadEnded();
}

}  // namespace fw
