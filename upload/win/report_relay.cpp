#include "upload/win/report_relay.h"

namespace mb::upload {

namespace {

constexpr char kRelayClass[] = "mb.UploadReportRelay";
constexpr UINT kRelayReport = WM_APP + 1;     // wParam, lParam: the report's message id
constexpr UINT kRelaySetTarget = WM_APP + 2;  // lParam: the frame
constexpr UINT kRelayClose = WM_APP + 3;

// Owned by the relay window; deleted when the window is destroyed.
struct RelayState {
  HWND target = nullptr;
  bool open = true;
};

RelayState* StateOf(HWND window) {
  return reinterpret_cast<RelayState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT CALLBACK RelayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  RelayState* state = StateOf(window);
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new RelayState));
      break;
    case WM_NCDESTROY:
      delete state;
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      break;
    case kRelayReport:
      if (state && state->open && state->target) {
        return SendMessageA(state->target, static_cast<UINT>(lParam), wParam, 0);
      }
      return 0;
    case kRelaySetTarget:
      if (state) state->target = reinterpret_cast<HWND>(lParam);
      return 0;
    case kRelayClose:
      if (state) state->open = false;
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&RelayProc), &module);
  return module;
}

}  // namespace

ReportRelay::ReportRelay() {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = RelayProc;
  windowClass.hInstance = ThisModule();
  windowClass.lpszClassName = kRelayClass;
  RegisterClassA(&windowClass);  // fails harmlessly when registered already
  window_ = CreateWindowExA(0, kRelayClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ThisModule(), nullptr);
}

ReportRelay::~ReportRelay() {
  if (!window_) return;
  if (GetWindowThreadProcessId(window_, nullptr) == GetCurrentThreadId()) {
    DestroyWindow(window_);
  } else {
    PostMessageA(window_, WM_CLOSE, 0, 0);
  }
}

void ReportRelay::SetTarget(HWND frame) {
  if (window_) SendMessageA(window_, kRelaySetTarget, 0, reinterpret_cast<LPARAM>(frame));
}

LRESULT ReportRelay::Report(UINT message, WPARAM wParam) const {
  return window_ ? SendMessageA(window_, kRelayReport, wParam, static_cast<LPARAM>(message)) : 0;
}

void ReportRelay::Close() {
  if (!window_) return;
  if (GetWindowThreadProcessId(window_, nullptr) == GetCurrentThreadId()) {
    SendMessageA(window_, kRelayClose, 0, 0);
  } else {
    PostMessageA(window_, kRelayClose, 0, 0);  // never wait on a frame thread that may be gone
  }
}

}  // namespace mb::upload
