// The one call through which the list's rotate commands ask which pictures to act on. It may
// change the operation-range settings; false means the member cancelled.
#pragma once

#include <windows.h>

namespace mb::thumblist {

bool AskOperationRange(HWND owner);

}  // namespace mb::thumblist
