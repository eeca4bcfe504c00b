// The client windows that the start-up sequence creates. They belong to the client's window
// layer; start-up only calls them in order.
#pragma once

#include <windows.h>

namespace mb {

// How a login dialog ended: a member logged in, a handed-over link ended it without a login,
// or it was closed.
enum class LoginOutcome { kLoggedIn, kLinkTaken, kClosed };
// Runs the login dialog modal. Links that arrived while its request was in flight go to the
// main window's link handler once it ends, when there is a main window.
LoginOutcome RunLoginDialog(HWND owner);
// Creates the hidden tray frame once (the program keeps running while it exists); later calls
// do nothing.
void CreateTrayFrame();
// Creates the main window as a modeless dialog; null when it could not be created.
HWND CreateMainWindow();
// Destroys the main window object after the message loop has ended.
void DestroyMainWindow();
// The main window, or null while there is none.
HWND MainWindowHandle();

}  // namespace mb
