#include "client/ui/download/win/download_dialog.h"

#include <algorithm>

#include "client/core/client_config.h"
#include "client/core/download_naming.h"
#include "client/core/path_text.h"
#include "client/core/win/download_worker.h"
#include "client/core/win/skin_engine.h"
#include "client/core/win/system_utils.h"
#include "client/core/win/tray_frame.h"
#include "client/core/win/wallpaper_carousel.h"
#include "client/ui/download/win/category_dialogs.h"
#include "client/ui/download/win/manager_page_link.h"
#include "client/ui/gif/win/animated_gif_control.h"
#include "client/ui/progress/win/progress_bar_view.h"
#include "client/ui/res/download_resource.h"
#include "client/ui/skin/win/skin_backdrop.h"
#include "client/ui/skin/win/skin_fonts.h"
#include "framework/gdi.h"

namespace mb {

// The worker has ended; its result waits in the page's download.
constexpr UINT WM_DOWNLOAD_WORKER_DONE = WM_APP + 0x25;

namespace {

const char kAlreadyDownloaded[] = "该壁纸已被下载过.";
const char kDownloadDone[] = "下载完毕";
const char kAddedToCarousel[] = "该壁纸已添加到已选壁纸列表中";
const char kDownloadCancelled[] = "壁纸下载取消";
const char kBadFileName[] = "该壁纸的文件名不能用作本地文件名,无法下载.";
const char kStatusPrefix[] = "当前下载壁纸 ";
const char kWaitingAnimation[] = "waitting.gif";

struct ControlPlace {
  int id, x, y, width, height;
};

struct PageLayout {
  RECT progress;
  RECT status;
  ControlPlace label, percent, cancel;
};

// The rectangles of each skin layout (1, 2, 3). The status line sits above the progress bar;
// the cancel button shows at its right end while a download runs. The progress label and the
// percentage flank the bar inside the page: layout 1's page is narrower and layout 2's lower
// than the wide layout's places would need.
const PageLayout kLayouts[3] = {
    {{107, 241, 443, 259}, {107, 222, 443, 240},
     {IDC_DOWNLOAD_PROGRESS_LABEL, 45, 240, 60, 21}, {IDC_DOWNLOAD_PERCENT, 450, 262, 70, 21},
     {IDC_DOWNLOAD_CANCEL, 450, 238, 60, 21}},
    {{62, 282, 610, 298}, {62, 262, 610, 280},
     {IDC_DOWNLOAD_PROGRESS_LABEL, 2, 280, 60, 18}, {IDC_DOWNLOAD_PERCENT, 625, 280, 60, 18},
     {IDC_DOWNLOAD_CANCEL, 625, 258, 60, 21}},
    {{62, 299, 610, 315}, {62, 279, 610, 297},
     {IDC_DOWNLOAD_PROGRESS_LABEL, 9, 301, 50, 16}, {IDC_DOWNLOAD_PERCENT, 613, 301, 60, 16},
     {IDC_DOWNLOAD_CANCEL, 613, 277, 60, 21}},
};

const PageLayout& LayoutOf(int layout) { return kLayouts[std::clamp(layout, 1, 3) - 1]; }

bool Contains(const std::vector<std::string>& list, const std::string& text) {
  return std::find(list.begin(), list.end(), text) != list.end();
}

}  // namespace

void AddPictureToCarousel(const std::string& path) {
  ClientConfig& config = *GetClientConfig();
  std::vector<std::string> paths = config.wallpapers.Paths();
  if (!Contains(paths, path)) {
    config.wallpapers.Add(path);
    config.SaveWallpaperList();
  }
  TrayFrame* frame = GetTrayFrame();
  if (frame && frame->Carousel()) frame->Carousel()->StartCarousel(config.wallpapers.Count() - 1, true);
}

DownloadDialog::DownloadDialog(ManagerPageLink* managerPage, std::unique_ptr<PageWebView> webView)
    : Dialog(IDD_DOWNLOAD_PAGE), managerPage_(managerPage), layout_(GetClientConfig()->skinLayout),
      webView_(std::move(webView)), download_(WM_DOWNLOAD_WORKER_DONE) {
  Handle(WM_INITDIALOG, &DownloadDialog::OnInitDialog);
  Handle(WM_CTLCOLORSTATIC, &DownloadDialog::OnControlColour);
  Handle(WM_ERASEBKGND, &DownloadDialog::OnEraseBackground);
  Handle(WM_SIZE, &DownloadDialog::OnSize);
  Handle(WM_DESTROY, &DownloadDialog::OnDestroy);
  Handle(WM_DOWNLOAD_REQUEST, &DownloadDialog::OnDownloadRequest);
  Handle(WM_PROGRESS_PERCENT, &DownloadDialog::OnProgressPercent);
  Handle(WM_DOWNLOAD_WORKER_DONE, &DownloadDialog::OnWorkerDone);
  Command(IDOK, &DownloadDialog::OnSwallowedCommand);
  Command(IDCANCEL, &DownloadDialog::OnSwallowedCommand);
  Command(IDC_DOWNLOAD_CANCEL, &DownloadDialog::CancelDownload);
}

DownloadDialog::~DownloadDialog() = default;

LRESULT DownloadDialog::OnInitDialog(const fw::Message&) {
  RemoveSkinFromDialog(Handle());
  const PageLayout& layout = LayoutOf(layout_);
  statusRect_ = layout.status;
  ShowWaitingAnimation();
  if (webView_) {
    RECT client = {};
    GetClientRect(Handle(), &client);
    client.bottom -= 25;  // the progress row stays free
    browser_ = webView_->Create(Handle(), client, pageUrl_, waiting_.get());
  }
  progress_ = std::make_unique<ProgressBarView>(layout_);
  progress_->Create(Handle(), "", WS_CHILD | WS_VISIBLE, 0, &layout.progress,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_DOWNLOAD_PROGRESS)));
  progress_->SetNotifyWindow(Handle());
  PlaceControls();
  return TRUE;
}

void DownloadDialog::PlaceControls() {
  const PageLayout& layout = LayoutOf(layout_);
  for (const ControlPlace& p : {layout.label, layout.percent, layout.cancel}) {
    SetWindowPos(Item(p.id), nullptr, p.x, p.y, p.width, p.height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SetItemText(IDC_DOWNLOAD_PERCENT, "");
  ShowWindow(Item(IDC_DOWNLOAD_CANCEL), SW_HIDE);
  EnableWindow(Item(IDC_DOWNLOAD_CANCEL), FALSE);
}

void DownloadDialog::ShowWaitingAnimation() {
  if (!waiting_) {
    waiting_ = std::make_unique<AnimatedGifControl>();
    const RECT none = {0, 0, 1, 1};
    waiting_->Create(Handle(), "", WS_CHILD, 0, &none);
  }
  if (!waiting_->IsPrepared() && !waiting_->LoadFromFile(GetClientConfig()->programFolder + kWaitingAnimation)) return;
  PlaceWaitingAnimation();
  SetWindowPos(waiting_->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  waiting_->Start();
}

void DownloadDialog::PlaceWaitingAnimation() {
  RECT picture = {}, page = {};
  GetWindowRect(waiting_->Handle(), &picture);
  GetClientRect(Handle(), &page);
  const int width = picture.right - picture.left, height = picture.bottom - picture.top;
  const POINT at = layout_ == 1 ? POINT{(page.right - width) / 2, (page.bottom - height) / 2} : POINT{306, 114};
  SetWindowPos(waiting_->Handle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DownloadDialog::OnPageCompleted() {
  if (!waiting_) return;
  waiting_->Stop();
  ShowWindow(waiting_->Handle(), SW_HIDE);
}

void DownloadDialog::NavigateAgain() {
  reloadPending = 0;
  if (webView_ && browser_) {
    webView_->NavigateAgain(pageUrl_);
  } else {
    ShowWaitingAnimation();
  }
}

HWND DownloadDialog::BrowserWindow() const { return browser_; }

LRESULT DownloadDialog::OnControlColour(const fw::Message& m) {
  // The page's own picture shows behind its progress texts.
  return skin::SkinBackedControlColour(reinterpret_cast<HDC>(m.wParam), reinterpret_cast<HWND>(m.lParam),
                                       layout_ == 3 ? "confdlg_bk" : "dlg_bk",
                                       layout_ == 2 ? RGB(0x2F, 0x2F, 0x2F) : RGB(255, 255, 255));
}

LRESULT DownloadDialog::OnEraseBackground(const fw::Message& m) {
  const HDC dc = reinterpret_cast<HDC>(m.wParam);
  SkinSchemeRef scheme;
  if (scheme) {
    scheme->DrawImage(dc, layout_ == 3 ? "confdlg_bk" : "dlg_bk", 0, 0, 0, 0, SRCCOPY);
  } else {
    RECT all;
    GetClientRect(Handle(), &all);
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
  }
  if (!request_.title.empty()) {
    fw::GdiObject font(skin::CreateSkinFont(skin::SkinFont::kSongTi9, dc));
    fw::ScopedSelect select(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    const std::string text = kStatusPrefix + request_.title;
    RECT rect = statusRect_;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect,
              DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
  }
  return 1;
}

LRESULT DownloadDialog::OnSize(const fw::Message& m) {
  // Layout 1 centres the animation on the page, whose size the main window gives it after its start.
  if (layout_ == 1 && waiting_) PlaceWaitingAnimation();
  if (!browser_ || layout_ == 1) return 0;
  const int width = LOWORD(m.lParam), height = HIWORD(m.lParam);
  if (layout_ == 3) {
    SetWindowPos(browser_, nullptr, 0, 2, width, height - 25, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    SetWindowPos(browser_, nullptr, 0, 0, width, height - 25, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return 0;
}

LRESULT DownloadDialog::OnDestroy(const fw::Message&) {
  download_.Stop(BackgroundDownload::kStopWaitMs);
  if (waiting_) waiting_->Stop();
  if (webView_) webView_->Destroy();
  browser_ = nullptr;
  return 0;
}

LRESULT DownloadDialog::OnDownloadRequest(const fw::Message& m) {
  return StartDownload(reinterpret_cast<DownloadRequest*>(m.wParam), static_cast<int>(m.lParam));
}

LRESULT DownloadDialog::OnProgressPercent(const fw::Message& m) {
  const std::string text = "已完成" + std::to_string(static_cast<int>(m.wParam)) + "%";
  SetItemText(IDC_DOWNLOAD_PERCENT, text.c_str());
  ShowWindow(Item(IDC_DOWNLOAD_PERCENT), SW_HIDE);
  ShowWindow(Item(IDC_DOWNLOAD_PERCENT), SW_SHOW);
  return 0;
}

LRESULT DownloadDialog::StartDownload(DownloadRequest* request, int setWallpaper) {
  if (busy_) return -1;
  if (!request) return 0;
  request_ = std::move(*request);
  delete request;
  setWallpaper_ = setWallpaper ? 1 : 0;
  finalPath_.clear();
  const std::string path = ChooseTarget();
  if (path.empty() || !StartWorker(path)) request_ = DownloadRequest();
  return 0;
}

std::string DownloadDialog::ChooseTarget() {
  // The file name comes from the page: it is checked before it becomes part of a path.
  const std::string fileName = DownloadFileName(request_.address);
  if (!IsSafeLocalName(fileName)) {
    MessageBoxOnPage(kBadFileName, MB_OK | MB_ICONEXCLAMATION);
    return {};
  }
  ClientConfig& config = *GetClientConfig();
  CategoryChoiceDialog choice(request_.category, config.categoryFolderNames);
  if (choice.DoModal(GetActiveWindow()) != IDOK) return {};
  request_.category = choice.Choice();
  if (!Contains(config.categoryFolderNames, request_.category)) {
    config.categoryFolderNames.push_back(request_.category);
    if (managerPage_) managerPage_->InsertCategoryItem(request_.category);
  }
  const std::string folder = config.downloadPath + request_.category + "\\";
  CreateDirectoryPath(folder);
  const std::string path = folder + fileName;
  if (PathExists(path)) {
    MessageBoxOnPage(kAlreadyDownloaded, MB_OK);
    return {};
  }
  return path;
}

bool DownloadDialog::StartWorker(const std::string& path) {
  InvalidateRect(Handle(), &statusRect_, TRUE);
  ProgressBarView* progress = progress_.get();
  if (!download_.Start(Handle(), request_.address, path, [progress](int percent) {
        if (progress) progress->SetPos(percent);
      })) {
    MessageBoxOnPage(kDownloadCancelled, MB_ICONINFORMATION);
    return false;
  }
  busy_ = 1;
  EnableWindow(Item(IDC_DOWNLOAD_CANCEL), TRUE);
  ShowWindow(Item(IDC_DOWNLOAD_CANCEL), SW_SHOW);
  return true;
}

bool DownloadDialog::IsBusy() const { return busy_ != 0; }

void DownloadDialog::CancelDownload() {
  if (busy_) download_.Cancel();
}

LRESULT DownloadDialog::OnWorkerDone(const fw::Message&) {
  std::optional<DownloadResult> result = download_.TakeResult();
  if (!result) return 0;  // a worker of a download that was already stopped
  ReportOutcome(*result);
  EndDownload();
  return 0;
}

void DownloadDialog::ReportOutcome(const DownloadResult& result) {
  if (result.outcome != DownloadOutcome::kDone) {
    std::string text = kDownloadCancelled;
    if (result.outcome == DownloadOutcome::kFailed) text += "\n\n" + result.reason;
    MessageBoxOnPage(text, MB_ICONINFORMATION);
    return;
  }
  finalPath_ = result.path;
  // Recorded before the member is told, so a page closed meanwhile loses nothing.
  GetClientConfig()->AddDownloadRecord(MakeDownloadRecord(finalPath_, request_.category, request_));
  const HWND mainWindow = GetParent(Handle());
  if (setWallpaper_) {
    if (managerPage_) {
      managerPage_->OnPictureDownloaded(finalPath_);
    } else {
      AddPictureToCarousel(finalPath_);
    }
  }
  if (mainWindow && (setWallpaper_ || layout_ != 1)) {
    if (managerPage_) managerPage_->SelectCategoryInTree(request_.category);
    SendMessageA(mainWindow, WM_DOWNLOAD_FINISHED, 1, 0);
  }
  MessageBoxOnPage(setWallpaper_ ? kAddedToCarousel : kDownloadDone, MB_OK);
}

void DownloadDialog::EndDownload() {
  busy_ = 0;
  EnableWindow(Item(IDC_DOWNLOAD_CANCEL), FALSE);
  ShowWindow(Item(IDC_DOWNLOAD_CANCEL), SW_HIDE);
  if (progress_) progress_->SetPos(-1);
  request_.title.clear();
  InvalidateRect(Handle(), &statusRect_, TRUE);
}

int DownloadDialog::MessageBoxOnPage(const std::string& text, UINT style) const {
  return MessageBoxA(Handle(), text.c_str(), kDownloadMessageCaption, style);
}

}  // namespace mb
