#include "thumblist/win/operation_range.h"

namespace mb::thumblist {

// Until the operation-range dialog joins the library, the range kept in the settings stands.
bool AskOperationRange(HWND) { return true; }

}  // namespace mb::thumblist
