// Chinese and Latin text on the skin images, rasterised with FreeType from a TrueType font.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "skin/art/raster.h"

namespace mb::skinart {

class TextPainter {
 public:
  // Nothing when the font cannot be opened; error says why.
  static std::unique_ptr<TextPainter> Open(const std::string& fontPath, std::string* error);
  ~TextPainter();
  TextPainter(const TextPainter&) = delete;
  TextPainter& operator=(const TextPainter&) = delete;

  // Advance width of UTF-8 text at a pixel size.
  int Measure(std::string_view utf8, int pixelSize, bool bold);
  // Draws UTF-8 text centred in box (or from its left edge), vertically centred.
  void Draw(Raster& raster, std::string_view utf8, const Box& box, int pixelSize, Rgb colour, bool bold,
            bool centred = true);

 private:
  struct Face;
  explicit TextPainter(std::unique_ptr<Face> face);
  std::unique_ptr<Face> face_;
};

}  // namespace mb::skinart
