// The skin pictures of the three layouts, drawn from nothing: every named image the client's
// windows ask for, at the sizes their element rectangles and backgrounds need, packed into one
// 24-bit picture per layout with its configuration, plus the waiting animation.
#pragma once

#include <string>
#include <vector>

#include "skin/art/text_painter.h"
#include "skin/format/bmp24.h"
#include "skin/format/skin_catalog.h"

namespace mb::skinart {

// One named image of a layout. An image with a parent is a part of the parent (its offset and
// size inside it) rather than a picture of its own: the pages' background is the page area of
// the main window's background, so a page shows exactly what lies behind it.
struct ImagePlan {
  std::string name;
  int width = 0;
  int height = 0;
  std::string parent;
  int offsetX = 0;
  int offsetY = 0;
};

// Every image of a layout (1 to 3), parents before their parts.
std::vector<ImagePlan> PlanSkinImages(int layout);

struct SkinArt {
  skinfile::Bitmap24 picture;
  skinfile::SkinCatalog catalog;
};

SkinArt DrawSkinArt(int layout, TextPainter& text);

// The waiting animation of a layout as a GIF file.
std::string WaitingAnimation(int layout);

// File names of a layout: default.bmp, default2.bmp, ... and waitting.gif, waitting2.gif, ...
std::string SkinPictureFileName(int layout);
std::string SkinConfigFileName(int layout);
std::string WaitingAnimationFileName(int layout);

}  // namespace mb::skinart
