// Files fetched through the URL moniker on the calling thread (COM initialised there), with the
// answer's HTTP status kept and an optional stop flag and time limit that end the transfer from
// its status callback.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

namespace mb {

struct UrlFetchLimits {
  DWORD timeLimitMs = 0;                   // 0: no limit
  const std::atomic<int>* stop = nullptr;  // non-zero ends the transfer; may be null
};

struct UrlFetchResult {
  bool completed = false;  // the moniker reported success and nothing was aborted
  int status = 0;          // the HTTP status of the answer, 0 when none came
};

// URLDownloadToFileA of url into file, its cache entry dropped first.
UrlFetchResult FetchUrlToFile(const std::string& url, const std::string& file, const UrlFetchLimits& limits = {});

// A new empty file in the user's temporary folder whose name starts with prefix; empty when none
// could be made.
std::string NewTemporaryFile(const char* prefix);

}  // namespace mb
