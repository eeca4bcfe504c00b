#include "client/ui/win/small_window_calls.h"

namespace mb {

void StartPopupThread() {}

void StopPopupThread() {}

bool ShowCarouselTimeDialog(HWND) { return false; }

}  // namespace mb
