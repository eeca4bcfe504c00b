#include "client/ui/win/small_window_calls.h"

namespace mb {

void SetFloatWindowShown(bool) {}

void StartPopupThread() {}

}  // namespace mb
