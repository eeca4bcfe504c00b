// What the settings page and the carousel time dialog do beyond their own controls: the check
// of the carousel boxes, the system-message box, the desktop icons and the start-with-Windows
// shortcut.
#pragma once

#include <windows.h>

#include <string>

#include "client/core/carousel_times.h"
#include "client/ui/settings/autostart_place.h"

namespace mb {

class ClientConfig;

// The settings windows' message box: MB_ICONASTERISK under the system-message caption.
void ShowSettingsMessage(HWND owner, const std::string& text);

// Reads the dialog's minutes (1016) and seconds (1026) boxes and checks them; a refusal is shown
// and false returned, nothing is stored. checkSecondsRange: seconds must lie in 0..60.
bool ValidateCarouselTime(HWND dialog, bool checkSecondsRange, CarouselTimes* times);

// The configuration's interval into the dialog's minutes and seconds boxes, "%d" each.
void LoadCarouselBoxes(HWND dialog, const ClientConfig& config);

// The carousel's timer again with the configured interval, when the tray frame exists.
void RestartCarouselWithConfig();

// Shows or hides the desktop's icon view ("FolderView" in the shell's "SHELLDLL_DefView" of
// "Program Manager"); nothing when any of them is missing.
void SetDesktopIconsVisible(bool visible);

// The Startup folders of this system and member.
settings::StartupFolders QueryStartupFolders();
// True when the shortcut is in either Startup folder.
bool AutoStartShortcutExists();
// enable: a fresh shortcut to the running program in the Startup folder that takes it (the
// member's own when the system's refuses); otherwise every copy of it is deleted. Returns
// whether a shortcut exists afterwards.
bool SetAutoStartShortcut(bool enable);

}  // namespace mb
