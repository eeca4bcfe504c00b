#include "client/ui/win/main_window_pages.h"

#include "client/core/client_config.h"
#include "client/ui/download/win/browser_page_web_view.h"
#include "client/ui/res/resource.h"
#include "client/ui/win/main_window.h"

namespace mb {

namespace {

// Left, top, width, height of each tab's page in skin layouts 2 and 3.
const RECT kPlaces[2][MainWindowPages::kCount] = {
    {{18, 73, 679, 298}, {9, 73, 689, 298}, {18, 73, 679, 298}, {9, 73, 689, 298}, {18, 73, 679, 298},
     {9, 73, 689, 298}},
    {{18, 73, 679, 318}, {18, 74, 673, 318}, {18, 73, 679, 318}, {18, 74, 673, 318}, {18, 73, 679, 318},
     {19, 74, 671, 316}},
};

int Index(UINT tab) { return static_cast<int>(tab) - static_cast<int>(kTabWallpaperSettings); }

template <typename Page>
HWND VisibleBrowserOf(const Page* page) {
  return page && page->IsWindow() && IsWindowVisible(page->Handle()) ? page->BrowserWindow() : nullptr;
}

}  // namespace

RECT MainWindowPages::Placement(UINT tab) const {
  if (layout_ != 2 && layout_ != 3) return pageRect_;
  const RECT& p = kPlaces[layout_ - 2][Index(tab)];
  return RECT{p.left, p.top, p.left + p.right, p.top + p.bottom};
}

fw::Dialog* MainWindowPages::Page(UINT tab) const {
  switch (tab) {
    case kTabWallpaperSettings: return manager_.get();
    case kTabDownload: return download_.get();
    case kTabUpload: return upload_.get();
    case kTabRanking: return ranking_.get();
    case kTabParameters: return settings_.get();
    case kTabPersonal: return personal_.get();
    default: return nullptr;
  }
}

HWND MainWindowPages::Window(UINT tab) const {
  const fw::Dialog* page = Page(tab);
  return page && page->IsWindow() ? page->Handle() : nullptr;
}

ManagerPageLink* MainWindowPages::ManagerLink() {
  if (!Window(kTabWallpaperSettings)) CreatePage(kTabWallpaperSettings);
  return manager_.get();
}

HWND MainWindowPages::CreatePage(UINT tab) {
  const ClientConfig& config = *GetClientConfig();
  fw::Dialog* page = nullptr;
  switch (tab) {
    case kTabWallpaperSettings:
      manager_ = std::make_unique<WallpaperManagerPage>();
      page = manager_.get();
      break;
    case kTabDownload:
      download_ = std::make_unique<DownloadPage>(ManagerLink(), MakeBrowserPageWebView());
      download_->SetPageUrl(config.GetSearchUrl());
      page = download_.get();
      break;
    case kTabUpload:
      upload_ = std::make_unique<UploadPage>();
      page = upload_.get();
      break;
    case kTabRanking:
      ranking_ = std::make_unique<DownloadPage>(ManagerLink(), MakeBrowserPageWebView());
      ranking_->SetPageUrl(config.SharedText(&ClientConfig::hotListUrl));
      page = ranking_.get();
      break;
    case kTabParameters:
      settings_ = std::make_unique<SettingsDialog>();
      page = settings_.get();
      break;
    case kTabPersonal:
      personal_ = std::make_unique<PersonalPage>();
      personal_->SetPageUrl(config.SharedText(&ClientConfig::manageUrl));
      personalReload_ = 0;
      page = personal_.get();
      break;
    default:
      return nullptr;
  }
  const HWND window = page->Create(main_);
  if (!window) return nullptr;
  const RECT place = Placement(tab);
  SetWindowPos(window, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  return window;
}

HWND MainWindowPages::Prepare(UINT tab) {
  if (tab == kTabPersonal && personalReload_ && personal_) personal_.reset();
  HWND window = Window(tab);
  if (!window) return CreatePage(tab);
  DownloadPage* browserPage = tab == kTabDownload ? download_.get() : tab == kTabRanking ? ranking_.get() : nullptr;
  if (browserPage && browserPage->reloadPending) {
    browserPage->NavigateAgain();
    browserPage->reloadPending = 0;
  }
  if (tab == kTabParameters) {
    const RECT place = Placement(tab);
    SetWindowPos(window, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return window;
}

void MainWindowPages::Show(HWND page) {
  ShowWindow(page, SW_SHOW);
  for (UINT tab = kTabWallpaperSettings; tab <= kTabPersonal; ++tab) {
    const HWND other = Window(tab);
    if (other && other != page) ShowWindow(other, SW_HIDE);
  }
}

HWND MainWindowPages::VisibleBrowser() const {
  if (HWND browser = VisibleBrowserOf(download_.get())) return browser;
  if (HWND browser = VisibleBrowserOf(ranking_.get())) return browser;
  return VisibleBrowserOf(personal_.get());
}

void MainWindowPages::MarkReload() {
  if (download_) download_->reloadPending = 1;
  if (ranking_) ranking_->reloadPending = 1;
  personalReload_ = 1;
}

void MainWindowPages::DestroyBrowserPages() {
  fw::Dialog* pages[] = {download_.get(), ranking_.get(), personal_.get()};
  for (fw::Dialog* page : pages) {
    if (page && page->IsWindow()) page->Destroy();
  }
}

}  // namespace mb
