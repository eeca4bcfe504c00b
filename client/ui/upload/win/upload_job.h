// UploadJob: one picture's upload on the worker thread (UploadWorker): the blocks through
// SocketFileSender, then the registration with the service. The worker reaches its page only by
// posted messages that carry the job's serial number, and asks its job between blocks whether
// to stop; a page that stopped waiting for it lets go, and the worker then ends unheard.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "client/ui/upload/upload_form.h"
#include "upload/win/socket_file_sender.h"

namespace mb {

// Posted to the page with wParam = the job's serial, lParam 0.
constexpr UINT WM_UPLOAD_DONE = 0x464;    // the service registered the picture
constexpr UINT WM_UPLOAD_FAILED = 0x465;  // the transfer or the registration failed
constexpr UINT WM_UPLOAD_ENDED = 0x466;   // the worker is over; its thread ends at once
// WM_PROGRESS_PERCENT (0x468) with wParam = the percent sent so far carries the progress.

enum class UploadFailure { kNone, kTransfer, kRegistration };

class UploadJob final : public UploadPageSink {
 public:
  UploadJob(HWND page, unsigned serial, UploadForm form, std::string site);

  void ShowUploadError(const char* text) override;
  void SetUploadProgress(unsigned percent) override;
  bool StopRequested() override { return stop_.load(); }

  // Worker thread: the whole upload, then the page is told.
  void Run();
  void Stop() { stop_ = true; }
  unsigned Serial() const { return serial_; }
  UploadFailure Failure() const;
  // The sender's message of a failed transfer.
  std::string TransferError() const;

 private:
  void Post(UINT message, WPARAM wParam) const;

  const HWND page_;
  const unsigned serial_;
  const UploadForm form_;
  const std::string site_;
  std::atomic<bool> stop_{false};
  mutable std::mutex lock_;
  UploadFailure failure_ = UploadFailure::kNone;
  std::string transferError_;
};

// Starts UploadWorker on job; the thread handle, or null when no thread could be made.
HANDLE StartUploadWorker(const std::shared_ptr<UploadJob>& job);

// Runs work on a thread of its own that nobody waits for; false when no thread could be made.
bool StartDetachedWork(std::function<void()> work);
// Runs work on a thread of its own while this thread keeps dispatching its messages; false when
// it did not end within timeoutMs (it then finishes unwatched, holding what it captured).
bool RunOffUiThread(std::function<void()> work, DWORD timeoutMs);
// Waits for the thread while dispatching this thread's messages; false on time-out.
bool WaitPumpingMessages(HANDLE thread, DWORD timeoutMs);

}  // namespace mb
