// DownloadProgressSink: the window a download's status callback reports to. The callback runs on
// the download's worker thread; the sink only stores and invalidates.
#pragma once

#include <string>

namespace mb {

class DownloadProgressSink {
 public:
  virtual ~DownloadProgressSink() = default;
  // percent 0..100; the texts are the transfer's own status text and "Downloaded ..." text.
  virtual void OnDownloadProgress(const std::string& statusText, const std::string& progressText,
                                  int percent) = 0;
  // True once the member asked to stop: the transfer is aborted at its next report.
  virtual bool CancelRequested() const = 0;
};

}  // namespace mb
