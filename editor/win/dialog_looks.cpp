#include "editor/win/dialog_looks.h"

#include "editor/win/editor_resource.h"

namespace mb::editor {

LRESULT GroupOrTransparentColour(CZELDialog& dialog, const fw::Message& message) {
  if (GetDlgCtrlID(reinterpret_cast<HWND>(message.lParam)) != IDC_GROUP) return dialog.OnCtlColor(message);
  // One brush for the process: the dialogs are modal, one at a time, on the same thread.
  static HBRUSH faceBrush = CreateSolidBrush(CZELDialog::kFaceColor);
  SetBkColor(reinterpret_cast<HDC>(message.wParam), CZELDialog::kFaceColor);
  return reinterpret_cast<LRESULT>(faceBrush);
}

}  // namespace mb::editor
