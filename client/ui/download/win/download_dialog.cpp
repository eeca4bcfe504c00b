#include "client/ui/download/win/download_dialog.h"

#include "client/ui/res/download_resource.h"

namespace mb {

class DownloadPageParts {};

DownloadDialog::DownloadDialog(ManagerPageLink* managerPage)
    : Dialog(IDD_DOWNLOAD_PAGE), managerPage_(managerPage) {}

DownloadDialog::~DownloadDialog() = default;

void DownloadDialog::NavigateAgain() { reloadPending = 0; }

HWND DownloadDialog::BrowserWindow() const { return nullptr; }

LRESULT DownloadDialog::StartDownload(DownloadRequest* request, int) {
  delete request;
  return 0;
}

bool DownloadDialog::IsBusy() const { return false; }

void DownloadDialog::CancelDownload() {}

void DownloadDialog::OnDownloadProgress(const std::string&, const std::string&, int) {}

bool DownloadDialog::CancelRequested() const { return false; }

}  // namespace mb
