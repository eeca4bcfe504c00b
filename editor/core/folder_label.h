// Names typed into the folder tree's label editor for a new folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mb::editor {

// The new folder's full path "parent\name", or nothing when the name may not name a folder (a
// separator, drive colon, wildcard, quote, angle bracket or bar, "." or "..", a device name) or
// the path would not fit in MAX_PATH (260 bytes with its terminating zero).
std::optional<std::string> NewFolderPath(std::string_view parent, std::string_view name);

// Label editing may start only on a path that begins with a drive letter ("C:").
bool IsDrivePath(std::string_view path);

}  // namespace mb::editor
