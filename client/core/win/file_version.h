// Versions of the program's own files.
#pragma once

#include <string>

#include "common/win/file_version.h"

namespace mb {

// "%d.%d.%d.%d" of a file named relative to the program folder, which must exist and carry a
// valid version block.
bool GetProgramFileVersionText(const std::string& relativeName, std::string& text);

}  // namespace mb
