#include "client/ui/win/tray_services.h"

#include "client/core/client_config.h"
#include "client/core/win/advert_cache.h"
#include "client/core/win/service_request.h"
#include "client/core/win/usage_reports.h"
#include "client/ui/popup/popup_settings.h"
#include "client/ui/win/small_window_calls.h"

namespace mb {

ClientFrameServices::ClientFrameServices(std::shared_ptr<AdvertSchedule> schedule, TrayMenuTarget* target)
    : schedule_(std::move(schedule)), target_(target), menu_(GetClientConfig()->skinLayout, target) {}

void ClientFrameServices::CreateMenuWindow(HWND) { menu_.CreateMenuWindow(); }

void ClientFrameServices::DestroyMenuWindow() { menu_.DestroyMenuWindow(); }

void ClientFrameServices::OnTrayIconMessage(LPARAM mouseMessage) {
  if (mouseMessage == WM_LBUTTONDBLCLK) {
    if (HWND main = target_ ? target_->Window() : nullptr) {
      ShowWindow(main, SW_SHOWNORMAL);
      SetForegroundWindow(main);
    }
  } else if (mouseMessage == WM_RBUTTONUP) {
    menu_.ShowAtCursor();
  }
}

void ClientFrameServices::ConfigurePopups() {
  const ClientConfig& config = *GetClientConfig();
  SetPopupEnabled(config.enableTip != 0);
  SetPopupSourceUrl(config.SharedText(&ClientConfig::popupUrl));
  SetPopupRefreshInterval(config.popupRefreshInterval);
}

void ClientFrameServices::StartPopups() { StartPopupThread(); }

void ClientFrameServices::StopPopups() { StopPopupThread(); }

void ClientFrameServices::DownloadAdverts(const std::atomic<int>& quitting) {
  const ClientConfig& config = *GetClientConfig();
  RunAdvertCache({config.SharedText(&ClientConfig::advertUrl), config.programFolder}, *schedule_, quitting);
}

void ClientFrameServices::AttachUsage(std::shared_ptr<UsageList> usage) { usage_ = std::move(usage); }

void ClientFrameServices::SendReports(bool atExit) {
  if (!usage_) return;
  SendUsageReports(*GetClientConfig(), *usage_, atExit ? kExitNoticeTimeoutMs : kServiceRequestTimeoutMs);
}

void ClientFrameServices::SendLogoutNotice() { mb::SendLogoutNotice(*GetClientConfig(), kExitNoticeTimeoutMs); }

AdvertChoice AdvertCarouselHooks::FindAdvert(int minuteOfDay) { return schedule_->Choose(minuteOfDay); }

std::string AdvertCarouselHooks::ComposeAdvert(const std::string& picturePath, const std::string& advertPath,
                                               int left, int top) {
  const std::string output = overlayNames_.Next(GetClientConfig()->programFolder);
  const bool composed = ComposeAdvertOverlay(picturePath, advertPath, left, top, GetSystemMetrics(SM_CXMAXIMIZED),
                                             GetSystemMetrics(SM_CYMAXIMIZED), output);
  return composed ? output : picturePath;
}

void AdvertCarouselHooks::OnWallpaperStepped() {
  const ClientConfig& config = *GetClientConfig();
  if (std::optional<WallpaperEntry> entry = config.wallpapers.Current()) StartPageViewPing(config, entry->path);
}

TrayFrameParts MakeClientFrameParts(TrayMenuTarget* target, FrameExitWindows* windows) {
  auto schedule = std::make_shared<AdvertSchedule>();
  TrayFrameParts parts;
  parts.carouselHooks = std::make_shared<AdvertCarouselHooks>(schedule);
  parts.services = std::make_unique<ClientFrameServices>(schedule, target);
  parts.windows = windows;
  return parts;
}

}  // namespace mb
