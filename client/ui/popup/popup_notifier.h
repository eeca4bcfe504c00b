// PopupNotifier: the popup thread's schedule. After a first long wait it fetches the notice list,
// then once a second takes one notice from the queue (shown only while notices are enabled) and
// fetches the list again whenever the refresh interval has passed. Every wait ends early on the
// stop; what the thread does on the system (waits, downloads, windows) is its host's.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "client/ui/popup/notice_queue.h"
#include "client/ui/popup/popup_settings.h"

namespace mb {

// The waits of the popup thread, in milliseconds.
struct PopupSchedule {
  unsigned firstWaitMs = 300000;     // before the first fetch
  unsigned pollMs = 1000;            // between passes
  unsigned displayMs = 10000;        // a loaded notice stays this long
  unsigned loadTimeoutMs = 30000;    // a page not loaded by then closes its popup
  unsigned listTimeLimitMs = 30000;  // the list download ends by then
  unsigned stopWaitMs = 5000;        // how long a stop waits for the thread
};

class PopupNotifierHost {
 public:
  virtual ~PopupNotifierHost() = default;
  // Seconds since 1970-01-01 00:00 UTC.
  virtual std::int64_t NowSeconds() = 0;
  // Waits up to milliseconds for the stop; true when stopped.
  virtual bool WaitForStop(unsigned milliseconds) = 0;
  // The notice list at url, or none when it could not be fetched whole.
  virtual std::optional<std::string> FetchList(const std::string& url) = 0;
  // Shows one notice; returns once its popup is gone.
  virtual void Show(const PopupItem& item) = 0;
};

class PopupNotifier {
 public:
  PopupNotifier(PopupNotifierHost& host, const PopupSettings& settings, const PopupSchedule& schedule)
      : host_(host), settings_(settings), schedule_(schedule) {}

  // The thread's whole run; returns on the stop.
  void Run();
  const NoticeQueue& Queue() const { return queue_; }

 private:
  void Fetch();

  PopupNotifierHost& host_;
  const PopupSettings& settings_;
  const PopupSchedule schedule_;
  NoticeQueue queue_;
};

}  // namespace mb
