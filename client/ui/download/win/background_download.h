// BackgroundDownload: one picture fetched by the client's download worker on a thread of its
// own, for a window that shows its progress. The window owns the object; the worker posts the
// window doneMessage once it has a result, and the window then takes it with TakeResult. A
// window that goes first stops the download (cancel, bounded wait) and lets go of the thread:
// a worker that outlived the wait reports to nobody.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "client/core/win/download_worker.h"

namespace mb {

class BackgroundDownload {
 public:
  // Runs on the worker thread with the percent done (0..100) while the window is attached.
  using ProgressHandler = std::function<void(int percent)>;

  static constexpr DWORD kStopWaitMs = 5000;

  explicit BackgroundDownload(UINT doneMessage) : doneMessage_(doneMessage) {}
  ~BackgroundDownload() { Stop(kStopWaitMs); }
  BackgroundDownload(const BackgroundDownload&) = delete;
  BackgroundDownload& operator=(const BackgroundDownload&) = delete;

  // Starts fetching address into path for window; false when no thread could be made.
  bool Start(HWND window, const std::string& address, const std::string& path, ProgressHandler onProgress);
  bool Running() const { return job_ != nullptr; }
  // Asks the running download to stop at the transfer's next report.
  void Cancel();
  bool CancelRequested() const;
  // On doneMessage: the worker's result, the thread let go. Empty when the message came from a
  // download that was already stopped.
  std::optional<DownloadResult> TakeResult();
  // Cancels a running download and waits for its thread at most waitMs; lets go of it either way.
  void Stop(DWORD waitMs);

 private:
  class Job;
  static DWORD WINAPI Run(void* param);

  const UINT doneMessage_;
  std::shared_ptr<Job> job_;
  HANDLE worker_ = nullptr;
};

}  // namespace mb
