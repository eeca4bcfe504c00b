#include "client/core/win/usage_reports.h"


#include "client/core/client_config.h"
#include "client/core/usage_report.h"
#include "client/core/win/service_request.h"
#include "common/win/thread_start.h"

namespace mb {
namespace {

bool PostWithoutBody(const std::string& url, DWORD timeoutMs) {
  ServiceCall call;
  call.method = "POST";
  call.url = url;
  call.formContentType = true;
  call.timeoutMs = timeoutMs;
  return SendServiceRequest(call).ok();
}

DWORD WINAPI PageViewThread(void* parameter) {
  std::unique_ptr<std::string> address(static_cast<std::string*>(parameter));
  const ComApartment com;
  PostWithoutBody(*address, kServiceRequestTimeoutMs);
  return 0;
}

}  // namespace

void SendUsageReports(ClientConfig& config, UsageList& usage, DWORD timeoutMs) {
  if (!config.loggedIn) return;
  const std::string reportUrl = config.SharedText(&ClientConfig::reportUrl);
  const std::vector<DownloadRecord> downloads = config.DownloadRecords();
  for (;;) {
    const ReportBatch batch = TakeReportBatch(usage, downloads, config.wallpaperPlayTime);
    if (batch.count == 0) return;
    if (!PostWithoutBody(ReportAddress(reportUrl, batch), timeoutMs)) return;
    if (batch.count < kReportBatchSize) return;
  }
}

void StartPageViewPing(const ClientConfig& config, const std::string& picturePath) {
  auto* address = new std::string(PageViewAddress(config.SharedText(&ClientConfig::homeAddress),
                                                  config.GetCurrentUserName(), picturePath, config.downloadPath));
  if (const HANDLE thread = mb::BeginThread(PageViewThread, address)) {
    CloseHandle(thread);
  } else {
    delete address;
  }
}

void SendLogoutNotice(const ClientConfig& config, DWORD timeoutMs) {
  ServiceCall call;
  call.url = config.SharedText(&ClientConfig::homeAddress) + "/kivane/member/exit.jsp";
  call.timeoutMs = timeoutMs;
  SendServiceRequest(call);
}

}  // namespace mb
