// The popup thread: StartPopupThread and StopPopupThread (small_window_calls.h) run one
// PopupNotifier on a thread of its own, which shows each notice in a PopupWindow with its own
// message loop. Its stop event exists before the thread starts; every wait of the thread, the
// popups' message loops too, ends on it, and a stop waits for the thread a bounded time.
#pragma once

#include "client/ui/popup/popup_notifier.h"

namespace mb {

class PopupWindow;

// Told on the popup thread of each popup once it is made and its page is loading. Wine never
// completes a page, so tests drive the popups from here.
class PopupObserver {
 public:
  virtual ~PopupObserver() = default;
  virtual void OnPopupShown(PopupWindow& popup) = 0;
};

// The waits of threads started from now on; the program keeps the defaults.
void SetPopupSchedule(const PopupSchedule& schedule);
// Not owned; null for none. Used by threads started from now on.
void SetPopupObserver(PopupObserver* observer);

}  // namespace mb
