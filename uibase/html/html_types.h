// Plain types shared by the HTML-subset drawer's language and layout: colours, geometry, fonts,
// and the interfaces through which the portable engine asks the platform for text metrics,
// images and string resources.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "uibase/core/geometry.h"

namespace mb::html {

// 0x00BBGGRR, as the platform keeps colours.
using Colour = std::uint32_t;

constexpr Colour Rgb(int r, int g, int b) {
  return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

struct Point {
  int x = 0;
  int y = 0;
};

using Rect = zel::Rect;

// Edges included.
inline bool Contains(const Rect& r, Point p) { return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom; }

// Every length, count and position is kept inside these bounds, so no text can push a
// coordinate past what an int holds.
constexpr int kMaxLength = 100000;
constexpr int kMaxCoordinate = 1 << 29;

inline int ClampLength(long long v) {
  return v < 0 ? 0 : v > kMaxLength ? kMaxLength : static_cast<int>(v);
}
inline int ClampCoordinate(long long v) {
  return v < -kMaxCoordinate ? -kMaxCoordinate : v > kMaxCoordinate ? kMaxCoordinate : static_cast<int>(v);
}

struct FontSpec {
  int size = 16;  // pixels, the height the font is created with
  int weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  std::string family = "Verdana";
};

inline bool operator==(const FontSpec& a, const FontSpec& b) {
  return a.size == b.size && a.weight == b.weight && a.italic == b.italic && a.underline == b.underline &&
         a.strikeout == b.strikeout && a.family == b.family;
}

struct FontMetrics {
  int height = 0;   // ascent + descent
  int ascent = 0;
  int descent = 0;
  int xHeight = 0;  // height of the letter "x"
};

// Text measurement on the drawing surface.
class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  virtual FontMetrics Metrics(const FontSpec& font) = 0;
  virtual int TextWidth(const FontSpec& font, std::string_view text) = 0;
  // Vertical logical pixels per inch of the drawing surface.
  virtual int DpiY() = 0;
};

// Where an image or a string comes from: the first of "idres", "file", "iddll" (of "srcdll")
// and "handle" that a tag names.
struct ImageSource {
  enum Kind { kNone, kResource, kFile, kModuleResource, kHandle };
  Kind kind = kNone;
  std::uint32_t number = 0;  // resource id or handle value
  std::string path;          // file path or module name (empty: the drawer's own module)
};

enum class ImageKind { kBitmap, kIcon, kStrip };

struct ImageSize {
  int width = 0;
  int height = 0;
};

// The platform's images and strings. A missing one draws nothing and takes no space.
class ResourceSource {
 public:
  virtual ~ResourceSource() = default;
  virtual std::optional<ImageSize> ImageSizeOf(ImageKind kind, const ImageSource& source) = 0;
  virtual std::optional<std::string> StringOf(const ImageSource& source) = 0;
  // The system icon size, for "icon" tags.
  virtual ImageSize IconSize() = 0;
};

}  // namespace mb::html
