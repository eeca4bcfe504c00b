#include "upload/win/report_relay.h"

#include "upload/win/upload_messages.h"

namespace mb::upload {

namespace {

constexpr char kRelayClass[] = "mb.UploadReportRelay";
constexpr UINT kRelayReport = WM_APP + 1;     // wParam, lParam: the report's message id
constexpr UINT kRelaySetTarget = WM_APP + 2;  // lParam: the frame
constexpr UINT kRelayClose = WM_APP + 3;
constexpr UINT_PTR kFlushTimer = 1;
// Counted reports reach the frame this often while a run lasts (and before any report).
constexpr UINT kFlushIntervalMs = 50;

bool EndsTheRun(UINT message, WPARAM wParam) {
  return message == WM_UPLOAD_CONNECT_FAILED || (message == WM_UPLOAD_STATUS && wParam == UPLOAD_STATUS_ALL_SENT);
}

// Owned by the relay window; deleted when the window is destroyed.
struct RelayState {
  HWND target = nullptr;
  bool open = true;
  std::shared_ptr<CountedReports> pending;

  // Hands the frame the reports counted so far.
  void DeliverCounted() const {
    if (!pending) return;
    Deliver(pending->blocks, WM_UPLOAD_BLOCK_SENT, 0);
    Deliver(pending->pictures, WM_UPLOAD_STATUS, UPLOAD_STATUS_NEXT_PICTURE);
  }
  void Deliver(std::atomic<long>& count, UINT message, WPARAM wParam) const {
    for (long n = count.exchange(0); n > 0 && open && target; --n) SendMessageA(target, message, wParam, 0);
  }
};

RelayState* StateOf(HWND window) {
  return reinterpret_cast<RelayState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT CALLBACK RelayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  RelayState* state = StateOf(window);
  switch (message) {
    case WM_NCCREATE: {
      auto* created = new RelayState;
      const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      created->pending = *static_cast<const std::shared_ptr<CountedReports>*>(create->lpCreateParams);
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
      break;
    }
    case WM_NCDESTROY:
      delete state;
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      break;
    case WM_TIMER:
      if (state && wParam == kFlushTimer) state->DeliverCounted();
      return 0;
    case kRelayReport:
      if (!state) return 0;
      state->DeliverCounted();
      if (EndsTheRun(static_cast<UINT>(lParam), wParam)) KillTimer(window, kFlushTimer);
      if (state->open && state->target) return SendMessageA(state->target, static_cast<UINT>(lParam), wParam, 0);
      return 0;
    case kRelaySetTarget:
      if (state) state->target = reinterpret_cast<HWND>(lParam);
      SetTimer(window, kFlushTimer, kFlushIntervalMs, nullptr);  // the run starts
      return 0;
    case kRelayClose:
      if (state) state->open = false;
      KillTimer(window, kFlushTimer);
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

ReportRelay::ReportRelay() : pending_(std::make_shared<CountedReports>()) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = RelayProc;
  windowClass.hInstance = ThisModule();
  windowClass.lpszClassName = kRelayClass;
  RegisterClassA(&windowClass);  // fails harmlessly when registered already
  window_ = CreateWindowExA(0, kRelayClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ThisModule(),
                            &pending_);
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

void ReportRelay::NotifyBlockSent() const { pending_->blocks.fetch_add(1); }

void ReportRelay::NotifyNextPicture() const { pending_->pictures.fetch_add(1); }

void ReportRelay::Close() {
  if (!window_) return;
  if (GetWindowThreadProcessId(window_, nullptr) == GetCurrentThreadId()) {
    SendMessageA(window_, kRelayClose, 0, 0);
  } else {
    PostMessageA(window_, kRelayClose, 0, 0);  // never wait on a frame thread that may be gone
  }
}

}  // namespace mb::upload
