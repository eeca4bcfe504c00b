// The look the editor's small dialogs share: the face colour everywhere, the group box's text
// on a face-coloured background of its own, every other static and button transparent.
#pragma once

#include "uibase/win/zel_dialog.h"

namespace mb::editor {

// Answer to WM_CTLCOLORSTATIC / WM_CTLCOLORBTN of a CZELDialog with a group box IDC_GROUP.
LRESULT GroupOrTransparentColour(CZELDialog& dialog, const fw::Message& message);

}  // namespace mb::editor
