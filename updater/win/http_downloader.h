// Downloads one address over WinINet into a file on a worker thread, with a time limit.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace mb {

// What a download told about itself. sent: the request went out and an answer came back.
struct DownloadOutcome {
  bool sent = false;
  bool timedOut = false;
  int status = 0;
  std::optional<std::uint64_t> contentLength;
  std::uint64_t received = 0;
  bool readFailed = false;
};

class HttpDownloader {
 public:
  static constexpr DWORD kDefaultTimeoutMs = 300000;
  static constexpr DWORD kReadPiece = 4096;

  HttpDownloader() = default;
  // A worker that outlived its time limit is ended here, at the latest at exit.
  ~HttpDownloader();
  HttpDownloader(const HttpDownloader&) = delete;
  HttpDownloader& operator=(const HttpDownloader&) = delete;

  // Creates the file (always new) and fills it with the reply body. When the limit passes, the
  // Internet handles are closed, the worker is waited for a bounded time and the file deleted; a
  // download that was not sent deletes its file too.
  DownloadOutcome Download(const std::string& url, const std::string& file, DWORD timeoutMs = kDefaultTimeoutMs);

  struct Job;

 private:
  HANDLE lateWorker_ = nullptr;  // a worker still running after its time-out
};

}  // namespace mb
