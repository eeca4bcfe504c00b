#include "updater/win/version_check.h"

#include <windows.h>

#include "common/atomic_file.h"
#include "common/win/url_fetch.h"
#include "updater/download_address.h"

namespace mb {

bool FetchThroughUrlMoniker(const std::string& url, const std::string& file, int& status) {
  const UrlFetchResult fetched = FetchUrlToFile(url, file);
  status = fetched.status;
  return fetched.completed;
}

UpdateCheckResult VersionCheck::Run(const std::string& checkUrl, const std::string& installedVersion) {
  if (done_) return CheckFailure(kCheckWrongStateText);
  done_ = true;
  requestAddress_ = VersionCheckAddress(checkUrl, installedVersion);
  const std::string replyFile = NewTemporaryFile("dat");
  int status = 0;
  // A page saved from an error answer is no reply: only status 200 counts.
  const bool fetched = !replyFile.empty() && FetchThroughUrlMoniker(requestAddress_, replyFile, status);
  const std::optional<std::string> reply = replyFile.empty() ? std::nullopt : ReadWholeFile(replyFile);
  if (!replyFile.empty()) DeleteFileA(replyFile.c_str());
  if (!fetched || status != 200) return CheckFailure(kCheckDownloadFailedText);
  if (!reply) return CheckFailure(kCheckNoReplyText);
  return ParseUpdateReply(*reply);
}

}  // namespace mb
