// Files fetched through the URL moniker on the calling thread (COM initialised there), with the
// answer's HTTP status and Content-Length kept (the moniker itself saves a 404 page and returns
// success, and a connection cut early ends quietly), an optional stop flag and time limit that end
// the transfer from its status callback, and an optional listener to its progress.
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
  bool completed = false;       // the moniker reported success and nothing was aborted
  bool aborted = false;         // the stop flag, the time limit or the listener ended it
  HRESULT result = S_OK;        // what the moniker returned
  int status = 0;               // the HTTP status of the answer, 0 when none came
  long long contentLength = -1; // the answer's Content-Length, -1 when it named none
};

// Told of each piece the transfer reads, on the fetching thread; false ends the transfer.
class UrlFetchListener {
 public:
  virtual ~UrlFetchListener() = default;
  // statusText: the moniker's own text for the step (wide, may be null).
  virtual bool OnFetchProgress(ULONG progress, ULONG max, const wchar_t* statusText) = 0;
};

// URLDownloadToFileA of url into file, its cache entry dropped first.
UrlFetchResult FetchUrlToFile(const std::string& url, const std::string& file, const UrlFetchLimits& limits = {},
                              UrlFetchListener* listener = nullptr);

// The Content-Length of an answer's header block (wide, CR LF separated); -1 when it names none.
long long ContentLengthOf(const wchar_t* headers);

// A new empty file in the user's temporary folder whose name starts with prefix; empty when none
// could be made.
std::string NewTemporaryFile(const char* prefix);

}  // namespace mb
