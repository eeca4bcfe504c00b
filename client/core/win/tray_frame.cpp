#include "client/core/win/tray_frame.h"

#include <objbase.h>

#include <algorithm>

#include "client/core/client_config.h"
#include "client/core/win/hover_helper.h"
#include "client/core/win/top_list_fetch.h"
#include "common/win/com_ptr.h"
#include "common/win/thread_start.h"

namespace mb {

const char kTrayFrameClassName[] = "MuralboxTrayFrame";
const char kTrayIconTip[] = "Pelora 墨岚屏";
const char kUploaderWindowTitle[] = "Pelora--壁纸批量上传工具";

namespace {

constexpr UINT kEngineTimerMs = 28000;
constexpr UINT kPlayerTickMs = 3000;
constexpr UINT kBlinkMs = 500;
constexpr int kMainIcon = 128;
constexpr int kTrayIconResource = 227;
constexpr int kBlinkIconResource = 228;

TrayFrame* theFrame = nullptr;

HICON LoadResourceIcon(int id) {
  return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON,
                                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
}

// Waits up to waitMs for a thread and closes its handle either way.
void JoinThread(HANDLE& thread, DWORD waitMs) {
  if (!thread) return;
  WaitForSingleObject(thread, waitMs);
  CloseHandle(thread);
  thread = nullptr;
}

bool ThreadEnded(HANDLE thread) { return !thread || WaitForSingleObject(thread, 0) != WAIT_TIMEOUT; }

}  // namespace

struct TrayFrame::EngineState {
  std::unique_ptr<FrameServices> services;
  std::atomic<int> quitting{0};
  HANDLE reportStop = CreateEventA(nullptr, TRUE, FALSE, nullptr);

  ~EngineState() {
    if (reportStop) CloseHandle(reportStop);
  }

  template <void (*Body)(EngineState&)>
  static DWORD WINAPI Entry(void* parameter) {
    std::shared_ptr<EngineState> state(*static_cast<std::shared_ptr<EngineState>*>(parameter));
    delete static_cast<std::shared_ptr<EngineState>*>(parameter);
    const ComApartment com;
    Body(*state);
    return 0;
  }

  static void DownloadAdverts(EngineState& state) { state.services->DownloadAdverts(state.quitting); }

  // The pause between report rounds: the service's interval, or the default when it gives 0 or
  // less. Read again every second, so an interval that a login hands out applies at once.
  static DWORD ReportPauseMs() {
    const ClientConfig* config = GetClientConfig();
    const int seconds = config && config->adTime > 0 ? config->adTime : kDefaultReportPauseSeconds;
    return static_cast<DWORD>(std::min(seconds, kDefaultReportPauseSeconds * 24)) * 1000u;
  }

  static void SendReportsUntilStopped(EngineState& state) {
    for (;;) {
      state.services->SendReports(false);
      for (DWORD waited = 0; waited < ReportPauseMs();) {
        const DWORD slice = std::min<DWORD>(ReportPauseMs() - waited, 1000);
        if (WaitForSingleObject(state.reportStop, slice) != WAIT_TIMEOUT) return;
        waited += slice;
      }
    }
  }

  // A thread holding its own reference to the state; null when it could not be started.
  template <void (*Body)(EngineState&)>
  static HANDLE Start(const std::shared_ptr<EngineState>& state) {
    auto* parameter = new std::shared_ptr<EngineState>(state);
    const HANDLE thread = mb::BeginThread(&Entry<Body>, parameter);
    if (!thread) delete parameter;
    return thread;
  }
};

TrayFrame* GetTrayFrame() { return theFrame; }

bool ClientShuttingDown() { return theFrame && theFrame->ShuttingDown(); }

TrayFrame* TrayFrame::CreateTrayFrame(TrayFrameParts parts) {
  if (theFrame) return theFrame;
  auto* frame = new TrayFrame(std::move(parts));
  theFrame = frame;
  if (!frame->Create(nullptr, "", WS_POPUP)) {
    theFrame = nullptr;
    delete frame;
    return nullptr;
  }
  return frame;
}

void TrayFrame::ReleaseTrayFrame() { delete theFrame; }

TrayFrame::TrayFrame(TrayFrameParts parts)
    : trayMessage_(RegisterWindowMessageA("WM_TRAYICON")),
      carouselHooks_(std::move(parts.carouselHooks)),
      engine_(std::make_shared<EngineState>()),
      windows_(parts.windows) {
  engine_->services = parts.services ? std::move(parts.services) : std::make_unique<FrameServices>();
  Handle(trayMessage_, &TrayFrame::OnTrayIcon);
  Handle(WM_CREATE, &TrayFrame::OnCreate);
  Handle(WM_DESTROY, &TrayFrame::OnDestroy);
  Handle(WM_TIMER, &TrayFrame::OnTimer);
  Handle(WM_HOTKEY, &TrayFrame::OnIgnored);
  Handle(WM_COPYDATA, &TrayFrame::OnIgnored);
  Command(kTrayExitCommand, &TrayFrame::OnExitCommand);
}

TrayFrame::~TrayFrame() {
  if (IsWindow()) DestroyWindow(Handle());
  StopEngineThreads();
  if (theFrame == this) theFrame = nullptr;
}

fw::WindowClassSpec TrayFrame::ClassSpec() const {
  fw::WindowClassSpec spec;
  spec.name = kTrayFrameClassName;
  return spec;
}

LRESULT TrayFrame::OnCreate(const fw::Message&) {
  const HWND frame = Handle();
  icon_.Bind(frame, trayMessage_, kTrayIconId);
  icon_.Add(kTrayIconTip, LoadResourceIcon(kTrayIconResource));
  engine_->services->CreateMenuWindow(frame);
  RegisterHotKey(frame, kTrayHotKeyId, MOD_WIN, 'K');
  carousel_ = std::make_unique<WallpaperCarousel>(frame, *GetClientConfig(), carouselHooks_);
  engine_->services->AttachUsage(carousel_->SharedUsage());
  if (GetClientConfig()->wallpaperApply == 1) carousel_->StartCarousel(0, false);
  engine_->services->ConfigurePopups();
  if (GetClientConfig()->loggedIn) engine_->services->StartPopups();
  StartEngineThreads();
  StartHoverHelper();
  SetTimer(frame, kEngineTimer, kEngineTimerMs, nullptr);
  SetTimer(frame, kPlayerTickTimer, kPlayerTickMs, nullptr);
  SetTimer(frame, kBlinkTimer, kBlinkMs, nullptr);
  carousel_->PrimePlayer();
  carousel_->StartPlayerThread();
  return 0;
}

LRESULT TrayFrame::OnDestroy(const fw::Message&) {
  engine_->quitting = 1;
  engine_->services->StopPopups();
  UnregisterHotKey(Handle(), kTrayHotKeyId);
  return 0;
}

LRESULT TrayFrame::OnTimer(const fw::Message& m) {
  switch (m.wParam) {
    case kCarouselTimer:
      if (carousel_) carousel_->OnCarouselTimer();
      break;
    case kEngineTimer:
      StartEngineThreads();
      break;
    case kPlayerTickTimer:
      if (carousel_) carousel_->PostPlayerNext();
      break;
    case kBlinkTimer:
      Blink();
      break;
    default:
      break;
  }
  return 0;
}

LRESULT TrayFrame::OnTrayIcon(const fw::Message& m) {
  if (m.wParam == kTrayIconId) engine_->services->OnTrayIconMessage(m.lParam);
  return 0;
}

LRESULT TrayFrame::OnIgnored(const fw::Message&) { return 0; }

void TrayFrame::OnExitCommand() { OnExit(); }

void TrayFrame::Blink() {
  if (!GetClientConfig()->loginRunning) return;
  icon_.SetIcon(LoadResourceIcon(blinkCounter_ == 0 ? kBlinkIconResource : kTrayIconResource));
  blinkCounter_ = (blinkCounter_ + 1) % 2;
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TrayFrame::StartPopups() {
  if (!exiting_) engine_->services->StartPopups();
}

void TrayFrame::RestoreTrayIconAfterLogin() {
  if (exiting_) return;
  icon_.SetIcon(LoadResourceIcon(kMainIcon));
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TrayFrame::StartEngineThreads() {
  if (exiting_) return;
  if (ThreadEnded(advertThread_)) {
    if (advertThread_) CloseHandle(advertThread_);
    advertThread_ = EngineState::Start<&EngineState::DownloadAdverts>(engine_);
  }
  if (!reportThread_ && engine_->reportStop) {
    reportThread_ = EngineState::Start<&EngineState::SendReportsUntilStopped>(engine_);
  }
}

void TrayFrame::StopEngineThreads() {
  engine_->quitting = 1;
  if (engine_->reportStop) SetEvent(engine_->reportStop);
  JoinThread(reportThread_, kThreadStopWaitMs);
  JoinThread(advertThread_, kThreadStopWaitMs);
}

void TrayFrame::OnExit() {
  if (exiting_) return;
  exiting_ = true;
  if (HWND uploader = FindWindowA(nullptr, kUploaderWindowTitle)) PostMessageA(uploader, WM_CLOSE_UPLOADER, 0, 0);
  if (windows_) windows_->HideForExit();
  icon_.Remove();
  engine_->services->DestroyMenuWindow();
  if (!carousel_ || carousel_->CurrentAdvertName().empty()) CloseHoverHelper();
  KillTimer(Handle(), kCarouselTimer);
  if (carousel_) carousel_->StopPlayerThread(kThreadStopWaitMs);
  StopEngineThreads();
  StopTopListFetch(kThreadStopWaitMs);
  engine_->services->SendReports(true);
  engine_->services->SendLogoutNotice();
  if (windows_) windows_->CloseForExit();
  DestroyWindow(Handle());  // the object stays until the start-up code releases it
  PostQuitMessage(0);
}

LRESULT ExitApplication() {
  if (TrayFrame* frame = GetTrayFrame()) frame->OnExit();
  return 0;
}

void RestoreTrayIconAfterLogin() {
  if (TrayFrame* frame = GetTrayFrame()) frame->RestoreTrayIconAfterLogin();
}

}  // namespace mb
