// DownloadProgressReporter: hears one picture's transfer (a listener of FetchUrlToFile) and tells
// its DownloadProgressSink of the progress, ending the transfer once the sink asks to stop.
#pragma once

#include <windows.h>

#include <string>

#include "client/core/download_progress_sink.h"
#include "common/win/url_fetch.h"

namespace mb {

class DownloadProgressReporter final : public UrlFetchListener {
 public:
  explicit DownloadProgressReporter(DownloadProgressSink& sink) : sink_(sink) {}

  // "Downloaded %s of %s" (or "... (total size unknown)" when max is 0) with the sizes as the
  // shell writes them, and the percentage progress x 100 / max, truncated (0 when max is 0).
  static std::string FormatProgress(ULONG progress, ULONG max, int& percent);

  bool OnFetchProgress(ULONG progress, ULONG max, const wchar_t* statusText) override;

 private:
  DownloadProgressSink& sink_;
  bool reported_ = false;
  int lastPercent_ = 0;
  bool lastSizeKnown_ = false;
};

}  // namespace mb
