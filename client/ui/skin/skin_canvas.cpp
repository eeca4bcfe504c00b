#include "client/ui/skin/skin_canvas.h"

namespace mb::skin {

void SkinCanvas::DrawBlits(std::string_view name, const std::vector<ImageBlit>& blits) {
  for (const ImageBlit& b : blits) {
    switch (b.mode) {
      case ImageBlit::Mode::Whole:
        DrawImage(name, b.dst.left, b.dst.top);
        break;
      case ImageBlit::Mode::Part:
        DrawImagePart(name, b.dst.left, b.dst.top, b.src);
        break;
      case ImageBlit::Mode::Stretch:
        StretchImagePart(name, b.dst, b.src);
        break;
    }
  }
}

}  // namespace mb::skin
