// A file fetched through the URL moniker on the calling thread (COM initialised there), with a
// deadline and a stop flag that end the transfer from its status callback. Only an answer with
// HTTP status 200 counts; the file appears under its name only once whole.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

namespace mb {

struct UrlDownloadLimits {
  DWORD timeLimitMs = 60000;
  const std::atomic<int>* stop = nullptr;  // non-zero ends the transfer; may be null
};

// Downloads url to target through target + ".part", renamed over target on success. False on
// any failure, with neither file left behind from this call.
bool DownloadUrlToFile(const std::string& url, const std::string& target, const UrlDownloadLimits& limits);

}  // namespace mb
