// The skin configuration file (default.config and its per-layout copies): where each named
// image lies in the skin picture and which colour marks pixels outside a window's shape.
//
//   ; comment
//   [skin]
//   transparent=FF00FF
//   [images]
//   main_bk=0,0,732,460,keyed
//
// An image line is name=x,y,width,height with ",keyed" when the image holds transparent pixels
// (drawn see-through, and left out of a window region built from it). Names are matched
// without regard to letter case.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "skin/format/bmp24.h"

namespace mb::skinfile {

struct ImageRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

inline bool operator==(const ImageRect& a, const ImageRect& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

struct SkinImage {
  std::string name;  // as written
  ImageRect rect;
  bool keyed = false;
};

class SkinCatalog {
 public:
  static constexpr Rgb kDefaultTransparent{255, 0, 255};

  Rgb Transparent() const { return transparent_; }
  void SetTransparent(Rgb colour) { transparent_ = colour; }

  // Adds an image; false (and nothing added) when the name is taken or not a valid name.
  bool Add(const SkinImage& image);
  const SkinImage* Find(std::string_view name) const;
  // Images in the order they were added.
  const std::vector<SkinImage>& Images() const { return images_; }

  // Drops images that do not lie wholly inside a picture of that size; returns how many.
  int DropImagesOutside(int width, int height);

 private:
  Rgb transparent_ = kDefaultTransparent;
  std::vector<SkinImage> images_;
  std::map<std::string, std::size_t> index_;  // lower-case name -> position
};

struct ParsedCatalog {
  SkinCatalog catalog;
  int rejectedLines = 0;  // lines that were neither blank, comment, section nor a valid entry
};

// Reads the file's text; lines that cannot be used are skipped and counted.
ParsedCatalog ParseSkinCatalog(std::string_view text);

std::string FormatSkinCatalog(const SkinCatalog& catalog);

// Image names are ASCII letters, digits and '_'.
bool IsValidImageName(std::string_view name);

}  // namespace mb::skinfile
