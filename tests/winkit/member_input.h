// What a member does with the mouse and the keyboard, sent as real input (SendInput) to the rig's
// display: clicks at the centre of a control or of a skin element, typed text, keys. Each click
// first checks that the window under the point is the one meant, so a control that is covered,
// hidden or outside its window fails the test instead of being pressed behind the member's back.
//
// Tests that use these take the desktop_input lock (mb_windows_test ... INPUT): the mouse and the
// keyboard focus are one per display.
#pragma once

#include <windows.h>

#include <string>

namespace winkit {

// The centre of a window's rectangle, in screen coordinates.
POINT ScreenCentre(HWND window);
// The centre of a rectangle given in owner's client coordinates (a skin element), on the screen.
POINT ScreenCentreOf(HWND owner, const RECT& clientRect);

// The window a click at that screen point reaches: the deepest visible, enabled child there.
HWND WindowAt(POINT screenPoint);

// Raises the top-level window that holds `window` above the others and gives it the focus, as a
// member's click on its caption would. Waits until it is the foreground window; false when not.
bool BringToFront(HWND window);

// True when the click at point reaches `expected`: the window there is expected itself, or a child
// window of expected's that passes its clicks on (a static inside a group, say) when allowChildren.
bool PointReaches(POINT screenPoint, HWND expected, bool allowChildren = false);

// Mouse actions at a screen point, each followed by a short pump of this thread's messages so that
// windows of the test's own thread see them.
void MoveMouseTo(POINT screenPoint);
void ClickAt(POINT screenPoint);
void RightClickAt(POINT screenPoint);
void DoubleClickAt(POINT screenPoint);
// Presses at `from`, moves in steps to `to` and releases there (a selection drawn on a canvas).
void DragMouse(POINT from, POINT to);

// Brings the control's window to the front and clicks at the control's centre, once the window
// there is the control (or, with allowChildren, one of its children). False, with nothing clicked,
// when something else covers that point or the control is hidden; `covering` then names the window
// found there.
bool ClickControl(HWND control, HWND* covering = nullptr);
bool RightClickControl(HWND control, HWND* covering = nullptr);
bool DoubleClickControl(HWND control, HWND* covering = nullptr);
// The same for a skin element: a rectangle in owner's client coordinates, drawn by owner itself.
bool ClickElement(HWND owner, const RECT& clientRect, HWND* covering = nullptr);

// Typed text: every character as a key press of its own (KEYEVENTF_UNICODE). The narrow form takes
// the test's literals, which are GBK in the Windows build.
// Under Wine, a program that takes its messages with the A functions (as ours do) receives a typed
// character outside ASCII as '?': Wine's ANSI conversion of such key presses loses the character,
// where Windows delivers its two GBK bytes. Chinese therefore goes in by PasteText.
void TypeText(const std::wstring& text);
void TypeText(const std::string& gbkText);
// The text put on the clipboard and pasted with Ctrl+V into the focused box, as a member pastes it.
bool PasteText(const std::string& gbkText);

// One key pressed and released, with Ctrl, Shift or Alt held when asked.
enum KeyModifier : unsigned { kNoModifier = 0, kCtrl = 1, kShift = 2, kAlt = 4 };
void PressKey(WORD virtualKey, unsigned modifiers = kNoModifier);

// The text of a window, read the way a member sees it in a box (WM_GETTEXT across processes).
std::string WindowText(HWND window);

}  // namespace winkit
