// TrayFrame: the client's single hidden top-level window. It owns the icon in the notification
// area, the engine timers (1 carousel step, 2 engine threads, 3 player tick, 4 login blink), the
// wallpaper carousel with its player thread, the advert downloader and report sender threads, and
// it runs the client's whole shut-down. One instance, reached through GetTrayFrame() from its
// creation until the start-up code releases it after the message loop: its window goes at the
// shut-down, the object stays, so nothing made later can take its place.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

#include "client/core/win/tray_icon.h"
#include "client/core/win/wallpaper_carousel.h"
#include "framework/window.h"

namespace mb {

constexpr UINT kTrayIconId = 4;
constexpr int kTrayHotKeyId = 100;
constexpr UINT kTrayExitCommand = 32776;
constexpr UINT WM_CLOSE_UPLOADER = 0x7E6;
constexpr UINT WM_LOGIN_STATE_CHANGED = 0x46E;
extern const char kTrayFrameClassName[];
extern const char kTrayIconTip[];
extern const char kUploaderWindowTitle[];  // "Pelora--壁纸批量上传工具"

enum TrayTimer : UINT_PTR {
  kCarouselTimer = kCarouselTimerId,
  kEngineTimer = 2,
  kPlayerTickTimer = 3,
  kBlinkTimer = 4,
};

// What later parts of the client do for the frame; every default does nothing.
class FrameServices {
 public:
  virtual ~FrameServices() = default;
  // The tray menu: its window is made with the icon and destroyed with it; the icon's callback.
  virtual void CreateMenuWindow(HWND frame) {}
  virtual void DestroyMenuWindow() {}
  virtual void OnTrayIconMessage(LPARAM mouseMessage) {}
  // Popup notices: their settings from the configuration, then the thread.
  virtual void ConfigurePopups() {}
  virtual void StartPopups() {}
  virtual void StopPopups() {}
  // One run of the advert downloader on its thread; it returns early once quitting is set.
  virtual void DownloadAdverts(const std::atomic<int>& quitting) {}
  // The display times the player counts, before any engine thread starts.
  virtual void AttachUsage(std::shared_ptr<UsageList> usage) {}
  // One round of usage reports (on the report thread, and once more on the main thread at exit,
  // where its requests get a short time limit).
  virtual void SendReports(bool atExit) {}
  virtual void SendLogoutNotice() {}
};

// The client's windows as the shut-down hides and ends them.
class FrameExitWindows {
 public:
  virtual ~FrameExitWindows() = default;
  virtual void HideForExit() = 0;   // the login dialog, then the main window
  virtual void CloseForExit() = 0;  // the login dialog ends, the main window is destroyed
};

struct TrayFrameParts {
  std::shared_ptr<CarouselHooks> carouselHooks;  // null: no adverts, no page-view reports
  std::unique_ptr<FrameServices> services;
  FrameExitWindows* windows = nullptr;
};

class TrayFrame : public fw::Window {
 public:
  // Makes the one frame and its window; a second call does nothing and returns the first, even
  // after the shut-down.
  static TrayFrame* CreateTrayFrame(TrayFrameParts parts);
  // Frees the frame once the message loop has ended; GetTrayFrame() is null from then on.
  static void ReleaseTrayFrame();

  // True from the start of the shut-down on: nothing may be started any more.
  bool ShuttingDown() const { return exiting_; }

  // The whole shut-down of the client, ending with the quit message.
  void OnExit();
  // The normal icon again once a login has ended (the blinking stops with the login flag).
  void RestoreTrayIconAfterLogin();
  // Starts the advert downloader when none runs and the report sender once.
  void StartEngineThreads();
  // The popup notices of a member who has just logged in; nothing during the shut-down.
  void StartPopups();

  // The carousel the wallpaper manager page, the settings and the float window drive.
  WallpaperCarousel* Carousel() const { return carousel_.get(); }
  const TrayIcon& Icon() const { return icon_; }
  UINT TrayMessage() const { return trayMessage_; }

  // Bounded waits of the shut-down.
  static constexpr DWORD kThreadStopWaitMs = 5000;
  // Pause of the report sender between rounds when the service's interval is 0 or less.
  static constexpr int kDefaultReportPauseSeconds = 1800;

 private:
  explicit TrayFrame(TrayFrameParts parts);
  ~TrayFrame() override;

  LRESULT OnCreate(const fw::Message& m);
  LRESULT OnDestroy(const fw::Message& m);
  LRESULT OnTimer(const fw::Message& m);
  LRESULT OnTrayIcon(const fw::Message& m);
  LRESULT OnIgnored(const fw::Message& m);
  void OnExitCommand();
  fw::WindowClassSpec ClassSpec() const override;

  // What the engine threads share with the frame. Each thread holds it to its end, so a thread
  // that outlives the bounded wait of the shut-down never touches the frame.
  struct EngineState;

  void Blink();
  void StopEngineThreads();

  UINT trayMessage_;
  TrayIcon icon_;
  std::shared_ptr<CarouselHooks> carouselHooks_;
  std::unique_ptr<WallpaperCarousel> carousel_;
  std::shared_ptr<EngineState> engine_;
  FrameExitWindows* windows_;
  HANDLE advertThread_ = nullptr;
  HANDLE reportThread_ = nullptr;
  int blinkCounter_ = 0;
  bool exiting_ = false;
};

// The frame, or null before it was made and after the start-up code released it.
TrayFrame* GetTrayFrame();
// True once the client's shut-down has begun.
bool ClientShuttingDown();

// Main window command 32803 and tray item 20310: the frame's shut-down when there is a frame.
LRESULT ExitApplication();

// The normal icon after a login, when there is a frame.
void RestoreTrayIconAfterLogin();

}  // namespace mb
