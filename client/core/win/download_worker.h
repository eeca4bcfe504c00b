// DownloadWorker: one picture fetched into a local file with URLDownloadToFileA. The bytes go to
// a temporary file beside the target, which takes the target's name only when the service
// answered 200 and every byte it announced arrived; a cancelled or failed transfer leaves no
// file. The transfer runs on the calling thread (a page's worker thread).
#pragma once

#include <string>

#include "client/core/download_progress_sink.h"

namespace mb {

enum class DownloadOutcome { kDone, kCancelled, kFailed };

struct DownloadResult {
  DownloadOutcome outcome = DownloadOutcome::kFailed;
  std::string path;    // kDone: where the picture is (numbered when the target name was taken)
  std::string reason;  // kFailed: why, in a few English words
};

class DownloadWorker {
 public:
  DownloadWorker(std::string address, std::string targetPath, DownloadProgressSink& sink)
      : address_(std::move(address)), targetPath_(std::move(targetPath)), sink_(sink) {}

  // Creates the target's folder when missing and downloads; COM is initialised for the call.
  DownloadResult Run();

 private:
  DownloadResult Transfer(const std::string& partial);

  std::string address_;
  std::string targetPath_;
  DownloadProgressSink& sink_;
};

}  // namespace mb
