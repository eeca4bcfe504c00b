// What the client's windows and engine give the tray frame: the tray menu behind the icon, the
// advert downloader and the usage reports (FrameServices), and the adverts and page views of
// the carousel (CarouselHooks). Both share the one advert schedule.
#pragma once

#include <memory>

#include "client/core/advert_schedule.h"
#include "client/core/win/tray_frame.h"
#include "client/ui/win/tray_menu.h"

namespace mb {

class ClientFrameServices final : public FrameServices {
 public:
  // target may be null; it must outlive the services.
  ClientFrameServices(std::shared_ptr<AdvertSchedule> schedule, TrayMenuTarget* target);

  void CreateMenuWindow(HWND frame) override;
  void DestroyMenuWindow() override;
  void OnTrayIconMessage(LPARAM mouseMessage) override;
  void ConfigurePopups() override;
  void StartPopups() override;
  void StopPopups() override;
  void DownloadAdverts(const std::atomic<int>& quitting) override;
  void AttachUsage(std::shared_ptr<UsageList> usage) override;
  void SendReports(bool atExit) override;
  void SendLogoutNotice() override;

  TrayMenu& Menu() { return menu_; }

 private:
  std::shared_ptr<AdvertSchedule> schedule_;
  std::shared_ptr<UsageList> usage_;
  TrayMenuTarget* target_;
  TrayMenu menu_;
};

class AdvertCarouselHooks final : public CarouselHooks {
 public:
  explicit AdvertCarouselHooks(std::shared_ptr<AdvertSchedule> schedule) : schedule_(std::move(schedule)) {}

  AdvertChoice FindAdvert(int minuteOfDay) override;
  std::string ComposeAdvert(const std::string& picturePath, const std::string& advertPath, int left,
                            int top) override;
  void OnWallpaperStepped() override;

 private:
  std::shared_ptr<AdvertSchedule> schedule_;
  OverlayFileNames overlayNames_;
};

// The frame's parts for the running client.
TrayFrameParts MakeClientFrameParts(TrayMenuTarget* target, FrameExitWindows* windows);

}  // namespace mb
