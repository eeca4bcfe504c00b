// 32-bit pixel copies (top-down, 0xAARRGGBB) of bitmaps and of DC areas, through DIB sections.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace zel {

// The bitmap stretched to width x height; empty when it cannot be read.
std::vector<std::uint32_t> ReadBitmapPixels(HBITMAP bitmap, int width, int height);
// What the DC shows at (x, y), width x height.
std::vector<std::uint32_t> ReadDcPixels(HDC dc, int x, int y, int width, int height);
void WriteDcPixels(HDC dc, int x, int y, int width, int height, const std::vector<std::uint32_t>& pixels);

}  // namespace zel
