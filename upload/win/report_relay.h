// How the engine's threads report to the uploader's frame. Reports are sent synchronously to a
// small message-only window that lives on the frame's thread; it passes each on to the frame while
// the relay is open. Because the check runs on the frame's own thread, once Close has returned
// there no report of this pool can reach the frame, however late a worker sends it.
//
// Block reports, one per acknowledged block, and next-picture reports need not wait for the frame:
// they are only counted. From SetTarget (the run's start) to the report that ends the run, the
// relay window hands the frame one WM_UPLOAD_BLOCK_SENT per counted block and one next-picture
// status per counted picture every 50 ms, and always before any report sent after them. So six
// busy workers cost no message between threads per block, and none waits for the frame when the
// next picture is set up.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>

namespace mb::upload {

// Counted reports: how many of each the frame has still to get.
struct CountedReports {
  std::atomic<long> blocks{0};
  std::atomic<long> pictures{0};
};

class ReportRelay {
 public:
  // On the thread that owns the frame.
  ReportRelay();
  // From any thread: the relay window is closed on its own thread.
  ~ReportRelay();
  ReportRelay(const ReportRelay&) = delete;
  ReportRelay& operator=(const ReportRelay&) = delete;

  // Sets the frame and starts the run.
  void SetTarget(HWND frame);
  // From any thread: SendMessage(frame, message, wParam, 0) while open, after the block reports
  // counted before. Returns the frame's answer.
  LRESULT Report(UINT message, WPARAM wParam) const;
  // From any thread, without waiting: one more WM_UPLOAD_BLOCK_SENT (0, 0) for the frame, within
  // 50 ms.
  void NotifyBlockSent() const;
  // The same for one more WM_UPLOAD_STATUS (UPLOAD_STATUS_NEXT_PICTURE, 0).
  void NotifyNextPicture() const;
  // On the frame's thread it takes effect for every later delivery at once; from another thread it
  // takes effect when the frame's thread next handles its messages.
  void Close();
  HWND Window() const { return window_; }

 private:
  HWND window_ = nullptr;
  // Reports not yet handed to the frame; shared with the window, which may outlive the relay.
  std::shared_ptr<CountedReports> pending_;
};

}  // namespace mb::upload
