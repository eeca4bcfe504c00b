#include "client/ui/download/win/download_category_dialog.h"

#include <algorithm>

#include "client/core/client_config.h"
#include "client/core/download_request.h"
#include "client/core/path_text.h"
#include "client/core/wallpaper_link.h"
#include "client/core/win/download_worker.h"
#include "client/ui/download/win/category_dialogs.h"
#include "client/ui/download/win/manager_page_link.h"
#include "client/ui/progress/win/progress_bar_view.h"
#include "client/ui/res/download_resource.h"
#include "common/gbk_text.h"

namespace mb {

namespace {

// The worker has ended; its result waits in the dialog's download.
constexpr UINT WM_LINK_DOWNLOAD_DONE = WM_APP + 0x26;

const char kDownloadCancelled[] = "壁纸下载取消";
const char kDownloadDone[] = "下载完毕";
const RECT kProgressPlace = {33, 107, 321, 123};

bool Contains(const std::vector<std::string>& list, const std::string& text) {
  return std::find(list.begin(), list.end(), text) != list.end();
}

}  // namespace

DownloadCategoryDialog::DownloadCategoryDialog(std::string address, ManagerPageLink* managerPage, HWND mainWindow)
    : Dialog(IDD_LINK_DOWNLOAD), address_(std::move(address)), managerPage_(managerPage), mainWindow_(mainWindow),
      download_(WM_LINK_DOWNLOAD_DONE) {
  Handle(WM_INITDIALOG, &DownloadCategoryDialog::OnInitDialog);
  Handle(WM_LINK_DOWNLOAD_DONE, &DownloadCategoryDialog::OnWorkerDone);
  Handle(WM_DESTROY, &DownloadCategoryDialog::OnDestroy);
  Command(IDOK, &DownloadCategoryDialog::OnOKCommand);
  Command(IDCANCEL, &DownloadCategoryDialog::OnCancel);
  Command(IDC_CATEGORY_NEW, &DownloadCategoryDialog::OnNewCategory);
}

DownloadCategoryDialog::~DownloadCategoryDialog() = default;

LRESULT DownloadCategoryDialog::OnInitDialog(const fw::Message&) {
  CentreOnOwner(Handle());
  ClientConfig& config = *GetClientConfig();
  config.loggedIn = 1;
  FillCategoryCombo(Item(IDC_CATEGORY_COMBO), preset_, config.categoryFolderNames);
  progress_ = std::make_unique<ProgressBarView>(config.skinLayout);
  progress_->SetDialogStyle(true);
  progress_->Create(Handle(), "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, &kProgressPlace,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_DOWNLOAD_PROGRESS)));
  return TRUE;
}

void DownloadCategoryDialog::OnOKCommand() {
  if (!OnOK()) OnOKFallback();
}

bool DownloadCategoryDialog::OnOK() {
  // From the first OK on, a new link may open another dialog.
  GetClientConfig()->linkDialogBusy = 0;
  // One download at a time: a second OK would leave the first worker without an owner.
  if (downloading_) return true;
  const std::string category(TrimBlanks(SelectedComboText(Item(IDC_CATEGORY_COMBO))));
  if (category.empty()) {
    MessageBoxA(Handle(), kEmptyCategory, kDownloadMessageCaption, MB_ICONEXCLAMATION);
    return true;
  }
  // The category becomes a folder name.
  if (!IsSafeLocalName(category)) {
    MessageBoxA(Handle(), kBadCategory, kDownloadMessageCaption, MB_ICONEXCLAMATION);
    return true;
  }
  category_ = category;
  const std::string folder = GetClientConfig()->downloadPath + category_ + "\\";
  // CategoryDownloadWorker: the picture into its category folder through the client's download
  // worker (a partial file renamed on success, a numbered name when the name is taken).
  ProgressBarView* progress = progress_.get();
  if (!download_.Start(Handle(), address_, folder + LinkDownloadFileName(address_), [progress](int percent) {
        if (progress) progress->SetPos(percent);
      })) {
    return false;
  }
  downloading_ = 1;
  EnableWindow(Item(IDOK), FALSE);
  return true;
}

void DownloadCategoryDialog::OnOKFallback() {
  // No worker could be started: the member is told, and the dialog ends as a plain OK ends it.
  GetClientConfig()->linkDialogBusy = 0;
  MessageBoxA(Handle(), kDownloadCancelled, kDownloadMessageCaption, MB_ICONINFORMATION);
  EndDialog(IDOK);
}

void DownloadCategoryDialog::OnCancel() {
  // While a download runs the worker ends the dialog once it has stopped.
  if (downloading_ && download_.Running()) {
    download_.Cancel();
    return;
  }
  EndDialog(IDCANCEL);
}

void DownloadCategoryDialog::OnNewCategory() {
  NewCategoryDialog dialog;
  if (dialog.DoModal(GetActiveWindow()) != IDOK) return;
  const std::string name(TrimBlanks(dialog.Text()));
  if (name.empty() || !IsSafeLocalName(name)) {
    MessageBoxA(Handle(), name.empty() ? kEmptyCategory : kBadCategory, kDownloadMessageCaption, MB_ICONEXCLAMATION);
    return;
  }
  HWND combo = Item(IDC_CATEGORY_COMBO);
  int index = FindExactComboEntry(combo, name);
  if (index < 0) {
    index = static_cast<int>(SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str())));
    ClientConfig& config = *GetClientConfig();
    if (!Contains(config.categoryFolderNames, name)) {
      config.categoryFolderNames.push_back(name);
      if (managerPage_) managerPage_->InsertCategoryItem(name);
    }
  }
  SendMessageA(combo, CB_SETCURSEL, index, 0);
}

LRESULT DownloadCategoryDialog::OnWorkerDone(const fw::Message&) {
  std::optional<DownloadResult> result = download_.TakeResult();
  if (!result) return 0;  // a worker of a download that was already stopped
  if (result->outcome == DownloadOutcome::kDone) {
    if (managerPage_) managerPage_->SelectCategoryInTree(category_);
    if (mainWindow_ && ::IsWindow(mainWindow_)) SendMessageA(mainWindow_, WM_DOWNLOAD_FINISHED, 1, 0);
    MessageBoxA(Handle(), kDownloadDone, kDownloadMessageCaption, MB_OK);
  } else {
    MessageBoxA(Handle(), kDownloadCancelled, kDownloadMessageCaption, MB_ICONINFORMATION);
  }
  downloading_ = 0;
  EnableWindow(Item(IDOK), TRUE);
  if (progress_) progress_->SetPos(-1);
  EndDialog(IDCANCEL);
  return 0;
}

LRESULT DownloadCategoryDialog::OnDestroy(const fw::Message&) {
  download_.Stop(BackgroundDownload::kStopWaitMs);
  return 0;
}

void HandleWallpaperLink(const std::string& text, ManagerPageLink* managerPage, HWND mainWindow) {
  const std::string address = WallpaperLinkAddress(text);
  if (address.empty()) return;
  DownloadCategoryDialog dialog(address, managerPage, mainWindow);
  dialog.DoModal(GetActiveWindow());
}

void HandleMainWindowLink(const std::string& text, ManagerPageLink* managerPage, HWND mainWindow) {
  ClientConfig& config = *GetClientConfig();
  if (config.linkDialogBusy) return;
  const std::string address = WallpaperLinkAddress(text);
  if (address.empty()) return;
  config.linkDialogBusy = 1;
  {
    DownloadCategoryDialog dialog(address, managerPage, mainWindow);
    dialog.DoModal(GetActiveWindow());
  }
  config.linkDialogBusy = 0;
}

}  // namespace mb
