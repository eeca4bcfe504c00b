#include "client/core/win/url_download.h"

#include "common/win/url_fetch.h"

namespace mb {

bool DownloadUrlToFile(const std::string& url, const std::string& target, const UrlDownloadLimits& limits) {
  if (limits.stop && limits.stop->load() != 0) return false;
  const std::string partial = target + ".part";
  DeleteFileA(partial.c_str());
  const UrlFetchResult fetched = FetchUrlToFile(url, partial, {limits.timeLimitMs, limits.stop});
  if (!fetched.completed || fetched.status != 200 ||
      !MoveFileExA(partial.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    DeleteFileA(partial.c_str());
    return false;
  }
  return true;
}

}  // namespace mb
