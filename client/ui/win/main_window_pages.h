// The six pages behind the main window's tabs: each a modeless child dialog made on its first
// visit, placed for the skin layout and from then on only shown or hidden.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "client/ui/browser/win/personal_page.h"
#include "client/ui/download/win/download_dialog.h"
#include "client/ui/manager/win/wallpaper_manager_page.h"
#include "client/ui/upload/win/upload_page.h"
#include "client/ui/settings/win/settings_dialog.h"
#include "framework/dialog.h"

namespace mb {

// The download and ranking pages: the service page with the script bridge, and downloads.
using DownloadPage = DownloadDialog;

class MainWindowPages {
 public:
  // tab: 20000-20005
  static constexpr int kCount = 6;

  MainWindowPages() = default;
  MainWindowPages(const MainWindowPages&) = delete;
  MainWindowPages& operator=(const MainWindowPages&) = delete;

  void Attach(HWND mainWindow, int skinLayout, const RECT& pageRect) {
    main_ = mainWindow;
    layout_ = skinLayout;
    pageRect_ = pageRect;
  }
  const RECT& PageRect() const { return pageRect_; }

  // Makes the tab's page when it is missing (and the personal page anew when a reload is due),
  // places it, and loads the download and ranking pages again when asked to. Null when the
  // page could not be made.
  HWND Prepare(UINT tab);
  // Shows the page window and hides the other pages.
  void Show(HWND page);
  HWND Window(UINT tab) const;
  // The browser of the download, ranking or personal page when that page is visible.
  HWND VisibleBrowser() const;
  // After a login from the tray: the download, ranking and personal pages load afresh.
  void MarkReload();
  // The exit sequence: the browser pages' windows go first.
  void DestroyBrowserPages();

  UploadPage* Upload() { return upload_.get(); }
  WallpaperManagerPage* WallpaperManager() { return manager_.get(); }
  // The manager page, made first when missing, that the download pages and links report to.
  ManagerPageLink* ManagerLink();

 private:
  RECT Placement(UINT tab) const;
  fw::Dialog* Page(UINT tab) const;
  HWND CreatePage(UINT tab);
  HWND main_ = nullptr;
  int layout_ = 1;
  RECT pageRect_{};
  std::unique_ptr<WallpaperManagerPage> manager_;
  std::unique_ptr<DownloadPage> download_;
  std::unique_ptr<UploadPage> upload_;
  std::unique_ptr<DownloadPage> ranking_;
  std::unique_ptr<SettingsDialog> settings_;
  std::unique_ptr<PersonalPage> personal_;
  int personalReload_ = 0;
};

}  // namespace mb
