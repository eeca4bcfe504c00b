#include "client/ui/win/small_window_calls.h"

namespace mb {

bool ShowCarouselTimeDialog(HWND) { return false; }

}  // namespace mb
