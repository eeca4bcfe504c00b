// A small PNG writer for test pictures: 8-bit RGB, no interlace, every row unfiltered, the pixel
// data deflated by zlib in one IDAT chunk. Enough for any viewer and for pixel checks.
#pragma once

#include <string>

#include "tests/winkit/rgb_image.h"

namespace winkit {

// The PNG file's bytes; empty for an empty image or one too large to hold in memory twice.
std::string EncodePng(const RgbImage& image);

// Encodes and writes the file in one step (a reader never sees half of it); false on failure.
bool WritePngFile(const RgbImage& image, const std::string& path);

}  // namespace winkit
