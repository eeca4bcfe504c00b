// Where the client's start-with-Windows shortcut lives: the system's Startup folder (the common
// one on NT systems), or the member's own when that one cannot take it.
#pragma once

#include <string>
#include <vector>

namespace mb::settings {

// The shortcut's file name in a Startup folder.
extern const char kAutoStartShortcutName[];

struct StartupFolders {
  std::string system;  // the Startup folder the system names for the program; may be empty
  std::string user;    // the member's own Startup folder; may be empty
};

// The folder that gets the shortcut: the system's, unless it is unknown or lies under
// "All Users" (which refuses a shortcut made there), then the member's own. Empty when neither
// is known.
std::string AutoStartFolder(const StartupFolders& folders);

// Every file the shortcut may have been saved as, each once.
std::vector<std::string> AutoStartShortcutPaths(const StartupFolders& folders);

}  // namespace mb::settings
