// Colours as the drawing code keeps them: 0x00BBGGRR values (red in the low byte), and the
// 32-bit pixels of a top-down DIB section, 0xAARRGGBB in memory order B, G, R, A.
#pragma once

#include <cstdint>

namespace zel {

using Colour = std::uint32_t;  // 0x00BBGGRR
using Pixel = std::uint32_t;   // 0xAARRGGBB

constexpr Colour MakeColour(int red, int green, int blue) {
  return static_cast<Colour>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int RedOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

constexpr int PixelRed(Pixel p) { return static_cast<int>((p >> 16) & 0xFF); }
constexpr int PixelGreen(Pixel p) { return static_cast<int>((p >> 8) & 0xFF); }
constexpr int PixelBlue(Pixel p) { return static_cast<int>(p & 0xFF); }
constexpr int PixelAlpha(Pixel p) { return static_cast<int>(p >> 24); }
constexpr Pixel MakePixel(int red, int green, int blue, int alpha = 0) {
  return static_cast<Pixel>((blue & 0xFF) | ((green & 0xFF) << 8) | ((red & 0xFF) << 16) |
                            (static_cast<std::uint32_t>(alpha & 0xFF) << 24));
}
constexpr Colour PixelToColour(Pixel p) { return MakeColour(PixelRed(p), PixelGreen(p), PixelBlue(p)); }

// The colour functions of the image styles.
Colour GreyOf(Colour c);            // 0.299 R + 0.587 G + 0.114 B, truncated, in all three
Colour InvertOf(Colour c);          // 255 - each channel
Colour DarkenOf(Colour c);          // each channel x 0.75
Colour LightenOf(Colour c);         // each channel x 1.25, at most 255
// source x alpha / 255 + destination x (1 - alpha / 255), per channel.
Colour BlendOf(Colour source, Colour destination, int alpha);

}  // namespace zel
