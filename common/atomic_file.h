// Whole-file reading and safe replacement of the data files the programs write.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mb {

// The file's bytes, or nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Writes bytes to a temporary file in the same folder, then puts it in place of path in one
// step, so a reader never sees half a file and a failed write leaves the old file untouched.
bool WriteFileReplacing(const std::string& path, std::string_view bytes);

// Keeps a file that could not be read as a data file: it is renamed to path + ".bad"
// (replacing an older one) so the next save cannot overwrite what it held.
bool KeepAsideUnreadable(const std::string& path);

bool FileExists(const std::string& path);

// Moves from over to, replacing to when it exists (platform part).
bool ReplaceFileWith(const std::string& from, const std::string& to);

}  // namespace mb
