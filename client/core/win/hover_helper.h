// The client's side of the hover program: starting it, telling it the link region of the
// advert on the wallpaper, and closing it at exit.
#pragma once

#include <windows.h>

#include <string>

#include "client/core/hover_notice.h"

namespace mb {

// Common Files folder + "\\muralbox\\hoverpin.exe".
std::string HoverProgramPath();

// The hover program's window, or null when it is not running.
HWND FindHoverWindow();

// Starts the hover program hidden, without waiting; a missing program is ignored.
void StartHoverHelper();

// Tells the hover program the region and its link (an empty link clears the region). When its
// window is missing, the program is started instead and nothing is sent this time. Blocks for
// at most 2000 ms.
void NotifyHoverHelper(const std::string& linkText, const HoverRegion& region);

// Asks the hover program to close (at the client's exit).
void CloseHoverHelper();

}  // namespace mb
