// The client windows that the start-up sequence creates. They belong to the client's window
// layer; start-up only calls them in order.
#pragma once

#include <windows.h>

namespace mb {

// Runs the login dialog modal; IDOK when a member logged in.
INT_PTR RunLoginDialog(HWND owner);
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
