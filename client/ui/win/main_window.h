// MainWindow: the client's one visible top-level window, a modeless skinned dialog that lives
// until the program exits. It hosts six pages behind its tab bar, each made once and then shown
// or hidden, receives a second start's command line and runs the queued links after start-up.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "client/ui/res/resource.h"
#include "framework/dialog.h"

namespace mb {

class ManagerPageLink;

// Tab commands (the tab bar's element ids) and the page numbers that go with them.
constexpr UINT kTabWallpaperSettings = 20000;
constexpr UINT kTabDownload = 20001;
constexpr UINT kTabUpload = 20002;
constexpr UINT kTabRanking = 20003;
constexpr UINT kTabParameters = 20004;
constexpr UINT kTabPersonal = 20005;
constexpr int kPageNumberBase = 10000;  // page number = kPageNumberBase + (tab - 20000)

constexpr UINT WM_RUN_PENDING_REQUESTS = 0x4C8;

// What the main window hands on to other parts of the client. The start-up code uses the
// defaults; tests put recording ones in.
struct MainWindowLinks {
  // The hidden tray frame, made once at the end of the set-up.
  std::function<void()> createTrayFrame;
  // One queued command line, for the link handler's main-window path.
  std::function<void(const std::string& commandLine)> handleLink;
  // The pop-up page of the login reply, run modal over owner.
  std::function<void(HWND owner, const std::string& address)> showPopupPage;
  // The batch uploader's launch, on a thread of its own.
  std::function<void()> startUploader;
};
MainWindowLinks DefaultMainWindowLinks();

class MainWindowParts;

class MainWindow : public fw::Dialog {
 public:
  explicit MainWindow(MainWindowLinks links = DefaultMainWindowLinks());
  ~MainWindow() override;

  // 1 during the exit sequence: closing then destroys the window instead of hiding it.
  int quitting = 0;

  // Hides the window; during the exit sequence (quitting set) destroys it and its pages.
  void Close();

  // Tray commands: shows the window when hidden, then selects the tab when logged in. Logged
  // out: the not-logged-in message, after which only the wallpaper-settings and parameters tabs
  // are selected anyway.
  void ShowTabFromTray(UINT tab);
  // The top-left corner of the tab of a tab-bar element (10000-10005) in client coordinates;
  // false when the window has no such element (layout 1 has one bar, 10000, for all pages).
  bool TabElementOrigin(int elementId, POINT& topLeft) const;
  // After a login made from the tray: the download, ranking and personal pages load afresh on
  // their next visit; the wallpaper-settings page is shown.
  void ResetPagesAfterLogin();
  // Shows the window and, when logged in, the upload page with the picture at path in it;
  // logged out only the not-logged-in message.
  void OpenUploadWithPicture(const std::string& path);
  // Hands the links queued meanwhile (a login request was in flight) to the link handler, once
  // the current message has been answered.
  void RunQueuedLinksLater();
  // WM_DOWNLOAD_FINISHED: brings the wallpaper-settings page forward and passes the message on.
  void OnDownloadFinished(WPARAM wParam, LPARAM lParam);
  // The wallpaper manager page as the download paths see it (made hidden when missing).
  ManagerPageLink* ManagerLink();

  // Selects a tab as its command does; false when the tab needs a login and there is none.
  bool SelectTab(UINT tab);
  // The visible page number (10000-10005).
  int CurrentPageNumber() const;
  // The page window of a tab; null while it has not been made.
  HWND PageWindow(UINT tab) const;

  // The text of a WM_COPYDATA command line: at most cbData bytes, up to the first zero.
  static std::string CopyDataText(const COPYDATASTRUCT* data);

 private:
  LRESULT OnInitDialog(const fw::Message& m);
  LRESULT OnCommand(const fw::Message& m);
  LRESULT OnMouse(const fw::Message& m);
  LRESULT OnEraseBackground(const fw::Message& m);
  LRESULT OnCtlColorStatic(const fw::Message& m);
  LRESULT OnTimer(const fw::Message& m);
  LRESULT OnCopyData(const fw::Message& m);
  LRESULT OnDownloadFinishedMessage(const fw::Message& m);
  LRESULT OnRunPendingRequests(const fw::Message& m);
  LRESULT OnDrainLinks(const fw::Message& m);
  LRESULT OnTopListRead(const fw::Message& m);
  LRESULT OnDestroy(const fw::Message& m);
  bool PreTranslateBeforeChildren(MSG& msg) override;
  bool PreTranslateMessage(MSG& msg) override;

  void PlaceWindow();
  void ComputePageRect();
  void ShowPage(HWND page);
  void ShowOrRestore();
  void CloseFloatWindow();
  void SelectThroughTabBar(UINT tab);
  void PressElements(int x, int y);
  void PressWallpaperSettingsPoint();
  void ReleaseLeftTab();
  void RefreshCarouselBoxes(UINT tab);
  void DrainPendingLinks();
  void ShowTopListLabel();

  MainWindowLinks links_;
  std::unique_ptr<MainWindowParts> parts_;
};

// The main window while it exists (the tray frame, the float window and the link handler reach
// it here); null before it is made and after it is gone.
MainWindow* CurrentMainWindow();

}  // namespace mb
