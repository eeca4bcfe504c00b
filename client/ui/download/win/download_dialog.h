// DownloadDialog: the download and ranking pages of the main window (dialog 203, a modeless
// child). Each shows a service page in a browser control whose script asks for wallpapers through
// the script bridge; the page lets the member pick a category, downloads the picture on a worker
// thread with progress, records it in downloadinfo.res and tells the main window.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "client/core/download_request.h"
#include "client/ui/download/win/background_download.h"
#include "framework/dialog.h"

namespace mb {

class ManagerPageLink;
class ProgressBarView;
class AnimatedGifControl;
struct DownloadResult;

// The browser a page shows its service page in, with the script bridge as window.external. The
// browser pages library supplies it (MakeBrowserPageWebView, browser_page_web_view.h); a page
// without one shows no browser.
class PageWebView {
 public:
  virtual ~PageWebView() = default;
  // Creates the browser in rect of the page on "about:blank" with its script bridge, then loads
  // address while the waiting animation plays; the browser host window, or null.
  virtual HWND Create(HWND page, const RECT& rect, const std::string& address, AnimatedGifControl* waiting) = 0;
  // Shows the waiting animation and loads the address again.
  virtual void NavigateAgain(const std::string& address) = 0;
  // Detaches and releases the bridge and destroys the browser window.
  virtual void Destroy() = 0;
};

// setWallpaper without a wallpaper manager page: the picture is added to the carousel list
// (wallpaper.dat) and shown at once when the tray frame's carousel runs.
void AddPictureToCarousel(const std::string& path);

class DownloadDialog : public fw::Dialog {
 public:
  // managerPage may be null (no wallpaper manager page yet); it must outlive the page. webView
  // null: the page shows no browser.
  explicit DownloadDialog(ManagerPageLink* managerPage = nullptr, std::unique_ptr<PageWebView> webView = nullptr);
  // Stops a running download (cancel, bounded wait) before the page goes.
  ~DownloadDialog() override;

  // The service page the browser shows; set before the page window is created.
  void SetPageUrl(const std::string& url) { pageUrl_ = url; }
  const std::string& PageUrl() const { return pageUrl_; }

  // Set by the main window after a login: the next visit navigates again (NavigateAgain).
  int reloadPending = 0;
  // Shows the waiting animation and loads the page address again.
  void NavigateAgain();
  // The browser host child window (keyboard and mouse forwarding); null before creation.
  HWND BrowserWindow() const;

  // WM_DOWNLOAD_REQUEST: -1 when busy (the request stays the caller's); otherwise takes and
  // deletes the request, asks for the category and starts the download; 0.
  LRESULT StartDownload(DownloadRequest* request, int setWallpaper);
  bool IsBusy() const;
  // Asks a running download to stop (the hidden button 1016 does the same).
  void CancelDownload();

  // The browser has shown its first page: the waiting animation ends.
  void OnPageCompleted();

 private:
  LRESULT OnInitDialog(const fw::Message& m);
  LRESULT OnControlColour(const fw::Message& m);
  LRESULT OnEraseBackground(const fw::Message& m);
  LRESULT OnSize(const fw::Message& m);
  LRESULT OnDestroy(const fw::Message& m);
  LRESULT OnDownloadRequest(const fw::Message& m);
  LRESULT OnProgressPercent(const fw::Message& m);
  LRESULT OnWorkerDone(const fw::Message& m);
  void OnSwallowedCommand() {}

  void PlaceControls();
  void ShowWaitingAnimation();
  void PlaceWaitingAnimation();
  // Asks for the category and checks the target; the local path, or empty when nothing is to
  // be downloaded (the member cancelled or was told why).
  std::string ChooseTarget();
  bool StartWorker(const std::string& path);
  void ReportOutcome(const DownloadResult& result);
  void EndDownload();
  int MessageBoxOnPage(const std::string& text, UINT style) const;

  std::string pageUrl_;
  ManagerPageLink* managerPage_;
  const int layout_;
  std::unique_ptr<ProgressBarView> progress_;
  std::unique_ptr<AnimatedGifControl> waiting_;
  std::unique_ptr<PageWebView> webView_;
  HWND browser_ = nullptr;
  // The current download.
  int busy_ = 0;
  int setWallpaper_ = 0;
  DownloadRequest request_;
  std::string finalPath_;
  BackgroundDownload download_;
  RECT statusRect_ = {};
};

}  // namespace mb
