// DownloadCategoryDialog (dialog 217 "壁纸下载"): where a wallpaper link's picture goes. The
// member picks a category (or makes one) and presses "下 载"; CategoryDownloadWorker fetches the
// picture into that category's folder while the dialog's bar shows the progress, and the dialog
// ends itself once the download is over.
//
// HandleWallpaperLink and HandleMainWindowLink turn a command line into the dialog.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "client/ui/download/win/background_download.h"
#include "framework/dialog.h"

namespace mb {

class ManagerPageLink;
class ProgressBarView;

class DownloadCategoryDialog : public fw::Dialog {
 public:
  // address: the picture's web address; managerPage: the wallpaper manager page, when there is
  // one, told of new categories and of the arrived picture; mainWindow (may be null) is sent
  // WM_DOWNLOAD_FINISHED once the picture is there.
  DownloadCategoryDialog(std::string address, ManagerPageLink* managerPage, HWND mainWindow);
  ~DownloadCategoryDialog() override;

  void SetPresetCategory(std::string category) { preset_ = std::move(category); }
  bool Downloading() const { return downloading_ != 0; }

 private:
  LRESULT OnInitDialog(const fw::Message& m);
  LRESULT OnWorkerDone(const fw::Message& m);
  LRESULT OnDestroy(const fw::Message& m);
  // IDOK: checks the category and starts the worker; false leaves the command to OnOKFallback.
  bool OnOK();
  void OnOKFallback();
  void OnOKCommand();
  void OnCancel();
  void OnNewCategory();

  const std::string address_;
  ManagerPageLink* const managerPage_;
  const HWND mainWindow_;
  std::string preset_;
  std::string category_;
  std::unique_ptr<ProgressBarView> progress_;
  BackgroundDownload download_;
  int downloading_ = 0;
};

// The login dialog's path: the dialog for a wallpaper link, modal over the active window;
// anything else is ignored. managerPage and mainWindow as for the dialog; both may be null.
void HandleWallpaperLink(const std::string& text, ManagerPageLink* managerPage, HWND mainWindow);
// The main window's path: the same, dropped while a link dialog of this path is open (the
// configuration's link-dialog busy flag, set until the dialog is gone).
void HandleMainWindowLink(const std::string& text, ManagerPageLink* managerPage, HWND mainWindow);

}  // namespace mb
