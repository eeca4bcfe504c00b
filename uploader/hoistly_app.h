// CHoistlyApp: the batch uploader's application object. It runs only as one copy and only when the
// wallpaper client started it with the member's name; started by hand it starts the client.
#pragma once

#include <windows.h>

#include <string>

#include "framework/application.h"

class CHoistlyApp : public fw::Application {
 public:
  bool InitInstance() override;

  // 1 when this is the only copy; 0 when another copy runs (and was brought forward).
  static int CheckSingleInstance();
  // 1 when it showed a running copy through window or a window titled title, else 0.
  static int ActivateExistingWindow(HWND window, const char* title);
  // Started by hand: the command line holds the program's own name (exactly, letter case too).
  static bool StartedByHand(const std::string& commandLine);

  // The About command (57664, 32890): activates the main window, then shows the dialog modally.
  static void ShowAbout(HWND mainWindow);

 private:
  // Starts muralbox.exe beside this program minimised and waits for it to end.
  static void RunClientAndWait();
};
