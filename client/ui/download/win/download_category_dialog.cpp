#include "client/ui/download/win/download_category_dialog.h"

#include <algorithm>
#include <atomic>
#include <mutex>

#include "client/core/client_config.h"
#include "client/core/download_progress_sink.h"
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

// The worker has ended; its result is in the dialog's job.
constexpr UINT WM_LINK_DOWNLOAD_DONE = WM_APP + 0x26;

const char kDownloadCancelled[] = "壁纸下载取消";
const char kDownloadDone[] = "下载完毕";
const RECT kProgressPlace = {33, 107, 321, 123};

}  // namespace

// What the worker thread shares with the dialog. The dialog lets go of it when the download
// ends or the dialog goes; a worker that outlived the dialog's bounded wait reports to nobody.
class CategoryDownloadJob final : public DownloadProgressSink {
 public:
  CategoryDownloadJob(DownloadCategoryDialog& dialog, std::string address, std::string path)
      : address(std::move(address)), path(std::move(path)), window_(dialog.Handle()),
        progress_(dialog.progress_.get()) {}

  void OnDownloadProgress(const std::string&, const std::string&, int percent) override {
    std::lock_guard<std::mutex> hold(lock_);
    if (progress_) progress_->SetPos(percent);
  }
  bool CancelRequested() const override { return cancel.load() != 0; }
  void Detach() {
    std::lock_guard<std::mutex> hold(lock_);
    progress_ = nullptr;
    window_ = nullptr;
  }
  // Worker thread: the result, then the dialog is told (nothing when it has gone).
  void Finish(DownloadResult outcome) {
    result = std::move(outcome);
    std::lock_guard<std::mutex> hold(lock_);
    if (window_) PostMessageA(window_, WM_LINK_DOWNLOAD_DONE, 0, 0);
  }

  const std::string address;
  const std::string path;
  std::atomic<int> cancel{0};
  DownloadResult result;  // written by the worker before it posts, read by the dialog after

 private:
  std::mutex lock_;
  HWND window_;
  ProgressBarView* progress_;
};

namespace {

// CategoryDownloadWorker: the picture into its category folder, through the client's download
// worker (a partial file renamed on success, a numbered name when the name is taken).
DWORD WINAPI CategoryDownloadWorker(void* param) {
  std::unique_ptr<std::shared_ptr<CategoryDownloadJob>> held(
      static_cast<std::shared_ptr<CategoryDownloadJob>*>(param));
  CategoryDownloadJob& job = **held;
  job.Finish(DownloadWorker(job.address, job.path, job).Run());
  return 0;
}

bool Contains(const std::vector<std::string>& list, const std::string& text) {
  return std::find(list.begin(), list.end(), text) != list.end();
}

}  // namespace

DownloadCategoryDialog::DownloadCategoryDialog(std::string address, ManagerPageLink* managerPage, HWND mainWindow)
    : Dialog(IDD_LINK_DOWNLOAD), address_(std::move(address)), managerPage_(managerPage), mainWindow_(mainWindow) {
  Handle(WM_INITDIALOG, &DownloadCategoryDialog::OnInitDialog);
  Handle(WM_LINK_DOWNLOAD_DONE, &DownloadCategoryDialog::OnWorkerDone);
  Handle(WM_DESTROY, &DownloadCategoryDialog::OnDestroy);
  Command(IDOK, &DownloadCategoryDialog::OnOKCommand);
  Command(IDCANCEL, &DownloadCategoryDialog::OnCancel);
  Command(IDC_CATEGORY_NEW, &DownloadCategoryDialog::OnNewCategory);
}

DownloadCategoryDialog::~DownloadCategoryDialog() { StopWorker(kWorkerStopWaitMs); }

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
  job_ = std::make_shared<CategoryDownloadJob>(*this, address_, folder + LinkDownloadFileName(address_));
  auto* held = new std::shared_ptr<CategoryDownloadJob>(job_);
  worker_ = CreateThread(nullptr, 0, CategoryDownloadWorker, held, 0, nullptr);
  if (!worker_) {
    delete held;
    job_.reset();
    return false;
  }
  downloading_ = 1;
  EnableWindow(Item(IDOK), FALSE);
  return true;
}

void DownloadCategoryDialog::OnOKFallback() {
  // No worker could be started: the dialog ends as a plain OK would end it.
  MessageBoxA(Handle(), kDownloadCancelled, kDownloadMessageCaption, MB_ICONINFORMATION);
  EndDialog(IDOK);
}

void DownloadCategoryDialog::OnCancel() {
  // While a download runs the worker ends the dialog once it has stopped.
  if (downloading_ && job_) {
    job_->cancel = 1;
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
  if (!job_) return 0;  // a worker of a download that was already stopped
  std::shared_ptr<CategoryDownloadJob> job = job_;
  StopWorker(kWorkerStopWaitMs);  // the thread has posted its last word: it ends at once
  if (job->result.outcome == DownloadOutcome::kDone) {
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
  StopWorker(kWorkerStopWaitMs);
  return 0;
}

void DownloadCategoryDialog::StopWorker(DWORD waitMs) {
  if (job_) {
    job_->cancel = 1;
    if (worker_) WaitForSingleObject(worker_, waitMs);
    job_->Detach();
    job_.reset();
  }
  if (worker_) CloseHandle(worker_);
  worker_ = nullptr;
  downloading_ = 0;
}

void HandleWallpaperLink(const std::string& text) {
  const std::string address = WallpaperLinkAddress(text);
  if (address.empty()) return;
  DownloadCategoryDialog dialog(address, nullptr, nullptr);
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
