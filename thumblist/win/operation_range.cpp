#include "thumblist/win/operation_range.h"

#include "thumblist/win/rotate_set_dlg.h"

namespace mb::thumblist {

bool AskOperationRange(HWND owner) { return CRotateSetDlg().DoModal(owner) == IDOK; }

}  // namespace mb::thumblist
