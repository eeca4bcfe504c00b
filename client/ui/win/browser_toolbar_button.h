// The client's button on the system web browser's toolbar, registered at every start.
#pragma once

#include <string>

namespace mb {

extern const char kBrowserToolbarButtonKey[];

// Writes the button's key under HKEY_LOCAL_MACHINE for the program at programPath; false when
// the key cannot be created or a value not written (nothing else depends on it).
bool RegisterBrowserToolbarButton(const std::string& programPath);

}  // namespace mb
