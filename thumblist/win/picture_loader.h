// What the list learns about a picture file: its framed thumbnail, its "W*H", its size.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace mb::thumblist {

// A boxWidth x boxHeight bitmap (white, a one-pixel 0xC0C0C0 frame, the picture fitted inside
// with its aspect ratio kept) that the caller deletes, or null with a reason in error. PNG files
// are refused whatever their name. dimensions receives "W*H" of the picture itself.
HBITMAP LoadThumbnailBitmap(const std::string& path, int boxWidth, int boxHeight, std::string& dimensions,
                            std::string& error);

// Empty when the file's status cannot be read.
std::optional<std::uint64_t> FileSizeOf(const std::string& path);
// The size text of the file, or empty when it cannot be read.
std::string SizeTextOf(const std::string& path);

// A copy of the shell's small icon for the file, or null; the caller destroys it.
HICON SmallShellIconOf(const std::string& path);

}  // namespace mb::thumblist
