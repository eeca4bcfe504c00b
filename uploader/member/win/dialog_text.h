// Small helpers over dialog controls that the uploader's member dialogs share.
#pragma once

#include <windows.h>

#include <string>

namespace mb::uploader {

// The window's text, read whole.
std::string ControlText(HWND control);
// The text with blanks taken off both ends.
std::string TrimmedControlText(HWND control);
bool IsChecked(HWND button);
void SetChecked(HWND button, bool checked);
// The combo box's item text, or empty.
std::string ComboItemText(HWND combo, int index);
// The selected item's text, or empty when nothing is selected.
std::string ComboSelectedText(HWND combo);
int ComboCount(HWND combo);
// Adds the text unless the box holds it already (exact); returns its index.
int AddComboTextOnce(HWND combo, const std::string& text);
// Selects the item whose text is exactly text; false when there is none.
bool SelectComboText(HWND combo, const std::string& text);

// The side panes' menu (214) at a screen point, its two items checked by the panes shown; the
// chosen command goes to the main window.
void RunPaneMenu(HWND owner, HINSTANCE resources, POINT at, HWND mainWindow);

}  // namespace mb::uploader
