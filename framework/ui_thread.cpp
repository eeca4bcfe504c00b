#include "framework/ui_thread.h"

namespace fw {

bool UiThread::Start() {
  if (thread_) return false;
  ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (!ready_) return false;
  thread_ = CreateThread(nullptr, 0, Main, this, 0, &id_);
  if (thread_) WaitForSingleObject(ready_, INFINITE);
  CloseHandle(ready_);
  ready_ = nullptr;
  return thread_ != nullptr;
}

DWORD WINAPI UiThread::Main(void* self) {
  static_cast<UiThread*>(self)->Run();
  return 0;
}

void UiThread::Run() {
  MSG msg;
  // Calling PeekMessage makes the thread's queue before anyone is told it exists.
  PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
  SetEvent(ready_);
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.hwnd == nullptr) {
      if (handler_) handler_(msg);
    } else {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
}

bool UiThread::Post(UINT message, WPARAM wParam, LPARAM lParam) const {
  if (!thread_) return false;
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (PostThreadMessageA(id_, message, wParam, lParam)) return true;
    if (WaitForSingleObject(thread_, 10) == WAIT_OBJECT_0) return false;  // it has ended
  }
  return false;
}

bool UiThread::Running() const { return thread_ && WaitForSingleObject(thread_, 0) == WAIT_TIMEOUT; }

bool UiThread::Stop(DWORD waitMs) {
  if (!thread_) return true;
  PostThreadMessageA(id_, WM_QUIT, 0, 0);
  const bool ended = WaitForSingleObject(thread_, waitMs) == WAIT_OBJECT_0;
  if (!ended) return false;  // still running: keep the handle so a later Stop can wait again
  CloseHandle(thread_);
  thread_ = nullptr;
  id_ = 0;
  return true;
}

}  // namespace fw
