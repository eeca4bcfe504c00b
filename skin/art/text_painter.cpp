#include "skin/art/text_painter.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cmath>
#include <vector>

namespace mb::skinart {
namespace {

std::vector<char32_t> DecodeUtf8(std::string_view s) {
  std::vector<char32_t> out;
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
    char32_t cp = extra == 0 ? c : extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
    if (i + static_cast<std::size_t>(extra) >= s.size()) break;  // a cut sequence ends the text
    for (int k = 1; k <= extra; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) & 0x3F);
    out.push_back(cp);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

}  // namespace

struct TextPainter::Face {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  ~Face() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }

  // Loads a glyph at a size; bold thickens its outline by 1/24 of the size.
  bool Load(char32_t cp, int pixelSize, bool bold) {
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize));
    if (FT_Load_Char(face, cp, FT_LOAD_DEFAULT | FT_LOAD_TARGET_LIGHT) != 0) return false;
    if (bold && face->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
      FT_Outline_Embolden(&face->glyph->outline, pixelSize * 64 / 24);
    }
    return FT_Render_Glyph(face->glyph, FT_RENDER_MODE_LIGHT) == 0;
  }
};

std::unique_ptr<TextPainter> TextPainter::Open(const std::string& fontPath, std::string* error) {
  auto face = std::make_unique<Face>();
  if (FT_Init_FreeType(&face->library) != 0) {
    if (error) *error = "FreeType cannot start";
    return nullptr;
  }
  if (FT_New_Face(face->library, fontPath.c_str(), 0, &face->face) != 0) {
    if (error) *error = "cannot open font " + fontPath;
    return nullptr;
  }
  return std::unique_ptr<TextPainter>(new TextPainter(std::move(face)));
}

TextPainter::TextPainter(std::unique_ptr<Face> face) : face_(std::move(face)) {}
TextPainter::~TextPainter() = default;

int TextPainter::Measure(std::string_view utf8, int pixelSize, bool bold) {
  long width = 0;
  for (char32_t cp : DecodeUtf8(utf8)) {
    if (face_->Load(cp, pixelSize, bold)) width += (face_->face->glyph->advance.x + 63) / 64;
  }
  return static_cast<int>(width);
}

void TextPainter::Draw(Raster& raster, std::string_view utf8, const Box& box, int pixelSize, Rgb colour, bool bold,
                       bool centred) {
  const int width = Measure(utf8, pixelSize, bold);
  FT_Set_Pixel_Sizes(face_->face, 0, static_cast<FT_UInt>(pixelSize));
  const FT_Size_Metrics& m = face_->face->size->metrics;
  const double ascender = m.ascender / 64.0;
  const double descender = -m.descender / 64.0;
  const long baseline = std::lround(box.y + (box.h - (ascender + descender)) / 2 + ascender);
  long penX = std::lround(centred ? box.x + (box.w - width) / 2 : box.x);
  for (char32_t cp : DecodeUtf8(utf8)) {
    if (!face_->Load(cp, pixelSize, bold)) continue;
    const FT_GlyphSlot g = face_->face->glyph;
    const FT_Bitmap& bm = g->bitmap;
    for (unsigned row = 0; row < bm.rows; ++row) {
      for (unsigned col = 0; col < bm.width; ++col) {
        const unsigned char coverage = bm.buffer[static_cast<long>(row) * bm.pitch + col];
        raster.Blend(static_cast<int>(penX + g->bitmap_left + static_cast<long>(col)),
                     static_cast<int>(baseline - g->bitmap_top + static_cast<long>(row)), colour, coverage / 255.0);
      }
    }
    penX += (g->advance.x + 63) / 64;
  }
}

}  // namespace mb::skinart
