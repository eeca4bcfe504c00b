// How the engine's threads report to the uploader's frame. Reports are sent synchronously to a
// small message-only window that lives on the frame's thread; it passes each on to the frame while
// the relay is open. Because the check runs on the frame's own thread, once Close has returned
// there no report of this pool can reach the frame, however late a worker sends it.
#pragma once

#include <windows.h>

namespace mb::upload {

class ReportRelay {
 public:
  // On the thread that owns the frame.
  ReportRelay();
  // From any thread: the relay window is closed on its own thread.
  ~ReportRelay();
  ReportRelay(const ReportRelay&) = delete;
  ReportRelay& operator=(const ReportRelay&) = delete;

  void SetTarget(HWND frame);
  // From any thread: SendMessage(frame, message, wParam, 0) while open. Returns the frame's answer.
  LRESULT Report(UINT message, WPARAM wParam) const;
  // On the frame's thread it takes effect for every later delivery at once; from another thread it
  // takes effect when the frame's thread next handles its messages.
  void Close();
  HWND Window() const { return window_; }

 private:
  HWND window_ = nullptr;
};

}  // namespace mb::upload
