#include "upload/win/tests/engine_test_window.h"

#include <tlhelp32.h>

#include "conf/win/config.h"
#include "upload/win/upload_messages.h"

namespace uploadtest {

EngineTestWindow::EngineTestWindow() {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = &EngineTestWindow::Proc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "uploadtest.EngineWindow";
  RegisterClassA(&windowClass);
  window_ = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            windowClass.hInstance, nullptr);
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

EngineTestWindow::~EngineTestWindow() { DestroyWindow(window_); }

LRESULT CALLBACK EngineTestWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<EngineTestWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  const bool engineMessage = message == WM_UPLOAD_STATUS || message == WM_UPLOAD_BLOCK_SENT ||
                             message == WM_UPLOAD_QUEUE_EMPTY || message == WM_UPLOAD_CONNECT_FAILED;
  if (self && engineMessage) {
    self->messages_.push_back({message, wParam});
    // As the uploader's view: the run's first block sets the flag and counts the first picture
    // (the engine counts every later one by the next-picture status, while the flag is set).
    CConfig* config = CConfig::GetConfig();
    if (message == WM_UPLOAD_BLOCK_SENT && !config->GetFirstBlockFlag()) {
      config->SetFirstBlockFlag(1);
      SendMessageA(config->GetEngineMsgWnd(), WM_UPLOAD_STATUS, UPLOAD_STATUS_NEXT_PICTURE, 0);
    }
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

int EngineTestWindow::Count(UINT message) const {
  int n = 0;
  for (const EngineMessage& m : messages_) n += m.message == message;
  return n;
}

int EngineTestWindow::Count(UINT message, WPARAM wParam) const {
  int n = 0;
  for (const EngineMessage& m : messages_) n += m.message == message && m.wParam == wParam;
  return n;
}

bool EngineTestWindow::PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (done()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

int ThreadCount() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  int count = 0;
  const DWORD self = GetCurrentProcessId();
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    count += entry.th32OwnerProcessID == self;
  }
  CloseHandle(snapshot);
  return count;
}

}  // namespace uploadtest

