#include "client/ui/download/win/background_download.h"

#include <atomic>
#include <mutex>

#include "client/core/download_progress_sink.h"
#include "common/win/thread_start.h"

namespace mb {

// What the worker thread shares with the window.
class BackgroundDownload::Job final : public DownloadProgressSink {
 public:
  Job(std::string address, std::string path, HWND window, UINT doneMessage, ProgressHandler onProgress)
      : address(std::move(address)), path(std::move(path)), window_(window), doneMessage_(doneMessage),
        onProgress_(std::move(onProgress)) {}

  void OnDownloadProgress(const std::string&, const std::string&, int percent) override {
    std::lock_guard<std::mutex> hold(lock_);
    if (onProgress_) onProgress_(percent);
  }
  bool CancelRequested() const override { return cancel.load() != 0; }

  void Detach() {
    std::lock_guard<std::mutex> hold(lock_);
    onProgress_ = nullptr;
    window_ = nullptr;
  }
  // Worker thread: the result, then the window is told (nothing when it has let go).
  void Finish(DownloadResult outcome) {
    result = std::move(outcome);
    std::lock_guard<std::mutex> hold(lock_);
    if (window_) PostMessageA(window_, doneMessage_, 0, 0);
  }

  const std::string address;
  const std::string path;
  std::atomic<int> cancel{0};
  DownloadResult result;  // written by the worker before it posts, read by the window after

 private:
  std::mutex lock_;
  HWND window_;
  const UINT doneMessage_;
  ProgressHandler onProgress_;
};

DWORD WINAPI BackgroundDownload::Run(void* param) {
  std::unique_ptr<std::shared_ptr<Job>> held(static_cast<std::shared_ptr<Job>*>(param));
  Job& job = **held;
  job.Finish(DownloadWorker(job.address, job.path, job).Run());
  return 0;
}

bool BackgroundDownload::Start(HWND window, const std::string& address, const std::string& path, ProgressHandler onProgress) {
  Stop(kStopWaitMs);
  job_ = std::make_shared<Job>(address, path, window, doneMessage_, std::move(onProgress));
  auto* held = new std::shared_ptr<Job>(job_);
  worker_ = mb::BeginThread(Run, held);
  if (!worker_) {
    delete held;
    job_.reset();
    return false;
  }
  return true;
}

void BackgroundDownload::Cancel() {
  if (job_) job_->cancel = 1;
}

bool BackgroundDownload::CancelRequested() const { return job_ && job_->cancel.load() != 0; }

std::optional<DownloadResult> BackgroundDownload::TakeResult() {
  if (!job_) return std::nullopt;
  std::shared_ptr<Job> job = job_;
  Stop(kStopWaitMs);  // the thread has posted its last word: it ends at once
  return std::move(job->result);
}

void BackgroundDownload::Stop(DWORD waitMs) {
  if (job_) {
    job_->cancel = 1;
    if (worker_) WaitForSingleObject(worker_, waitMs);
    job_->Detach();
    job_.reset();
  }
  if (worker_) CloseHandle(worker_);
  worker_ = nullptr;
}

}  // namespace mb
