#include "client/core/win/download_worker.h"

#include <windows.h>

#include <cstdio>

#include "client/core/download_naming.h"
#include "client/core/path_text.h"
#include "client/core/win/download_progress_reporter.h"
#include "client/core/win/system_utils.h"
#include "common/gbk_text.h"
#include "common/win/com_ptr.h"

namespace mb {
namespace {

DownloadResult Failed(std::string reason) {
  DownloadResult result;
  result.reason = std::move(reason);
  return result;
}

long long FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool IsHttpAddress(const std::string& address) {
  return GbkStartsWithNoCase(address, "http://") || GbkStartsWithNoCase(address, "https://");
}

}  // namespace

DownloadResult DownloadWorker::Run() {
  const std::string folder = SplitPath(targetPath_).folder;
  if (folder.empty() || !CreateDirectoryPath(folder)) return Failed("Cannot create the folder");
  // The partial file is made unique in the target's folder, so the final rename never crosses
  // a volume and two pages fetching the same picture never share it.
  char partial[MAX_PATH];
  if (!GetTempFileNameA(folder.c_str(), "mbd", 0, partial)) return Failed("Cannot create the file");
  DownloadResult result = Transfer(partial);
  if (result.outcome != DownloadOutcome::kDone) DeleteFileA(partial);
  return result;
}

DownloadResult DownloadWorker::Transfer(const std::string& partial) {
  ComApartment apartment;
  DownloadProgressReporter reporter(sink_);
  const UrlFetchResult fetched = FetchUrlToFile(address_, partial, {}, &reporter);
  const HRESULT hr = fetched.result;
  // A stop that came after the last progress report still counts: the member asked for it.
  if (fetched.aborted || sink_.CancelRequested()) {
    DownloadResult cancelled;
    cancelled.outcome = DownloadOutcome::kCancelled;
    return cancelled;
  }
  char text[96];
  if (FAILED(hr)) {
    std::snprintf(text, sizeof text, "Download error 0x%08lX", static_cast<unsigned long>(hr));
    return Failed(text);
  }
  if (IsHttpAddress(address_) && fetched.status != 200) {
    std::snprintf(text, sizeof text, "HTTP status %d", fetched.status);
    return Failed(text);
  }
  const long long received = FileSize(partial);
  if (received < 0 || (fetched.contentLength >= 0 && received != fetched.contentLength)) {
    std::snprintf(text, sizeof text, "Received %lld of %lld bytes", received < 0 ? 0 : received,
                  fetched.contentLength);
    return Failed(text);
  }
  // The target may have appeared meanwhile (the other page); a taken name gets a number.
  std::string path = targetPath_;
  if (PathExists(path)) path = MakeUniqueFileName(path, PathExists);
  if (!MoveFileExA(partial.c_str(), path.c_str(), 0)) {
    return Failed("Cannot name the file");
  }
  DownloadResult done;
  done.outcome = DownloadOutcome::kDone;
  done.path = std::move(path);
  return done;
}

}  // namespace mb
