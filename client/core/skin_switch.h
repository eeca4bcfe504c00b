// Switching the skin layout: the layout number in "usetwocolumn.flag" and the layout's four files
// (conf, skin description, skin picture, waiting animation) put in place of the active ones. The
// new layout takes effect at the next start.
#pragma once

#include <string>
#include <vector>

namespace mb {

class ClientConfig;

struct SkinFileCopy {
  std::string from;  // e.g. "conf3.dat"
  std::string to;    // e.g. "conf.dat"
};

// The four files of a layout in the order they are put in place.
std::vector<SkinFileCopy> SkinLayoutFiles(int layout);

// The flag file's bytes: the layout as one 4-byte integer, low byte first.
std::string LayoutFlagBytes(int layout);

enum class SkinSwitchResult {
  kSameLayout,  // nothing to do
  kSwitched,    // flag and files replaced, configuration reloaded
  kFailed,      // a file could not be read or staged: flag and files as they were
};

// Puts layout's files in place of the active ones in the program folder: all four staged under
// temporary names first and then moved in, or none. conf.dat keeps the member's accounts and
// settings from config and takes only the layout's own values from the layout's conf file. Then
// writes the flag and reloads config.
SkinSwitchResult SwitchSkinFiles(ClientConfig& config, int currentLayout, int layout);

}  // namespace mb
