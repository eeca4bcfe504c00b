#include "client/core/win/download_progress_reporter.h"

#include <shlwapi.h>

#include <cstdio>

#include "common/win/wide_text.h"

namespace mb {

std::string DownloadProgressReporter::FormatProgress(ULONG progress, ULONG max, int& percent) {
  char done[256] = {};
  char total[256] = {};
  StrFormatByteSizeA(progress, done, sizeof done);
  StrFormatByteSizeA(max, total, sizeof total);
  char text[600];
  if (max == 0) {
    std::snprintf(text, sizeof text, "Downloaded %s (total size unknown)", done);
    percent = 0;
  } else {
    std::snprintf(text, sizeof text, "Downloaded %s of %s", done, total);
    percent = static_cast<int>(static_cast<double>(progress) * 100.0 / static_cast<double>(max));
  }
  return text;
}

bool DownloadProgressReporter::OnFetchProgress(ULONG progress, ULONG max, const wchar_t* text) {
  if (sink_.CancelRequested()) return false;
  // The transfer reports every piece it reads; the sink hears only of a new percentage (or of a
  // size becoming known), which is all that moves the progress bar.
  const int percent = max == 0 ? 0 : static_cast<int>(static_cast<double>(progress) * 100.0 / max);
  const bool sizeKnown = max != 0;
  if (reported_ && percent == lastPercent_ && sizeKnown == lastSizeKnown_) return true;
  reported_ = true;
  lastPercent_ = percent;
  lastSizeKnown_ = sizeKnown;
  int shown = 0;
  const std::string progressText = FormatProgress(progress, max, shown);
  sink_.OnDownloadProgress(text ? WideToGbk(text) : std::string(), progressText, shown);
  return true;
}

}  // namespace mb
