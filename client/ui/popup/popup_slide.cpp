#include "client/ui/popup/popup_slide.h"

namespace mb {

PopupSlide PopupSlide::AtScreenCorner(int maxWidth, int maxHeight, int width, int fullHeight) {
  return PopupSlide(maxWidth - 18 - width, maxHeight - 8, width, fullHeight);
}

bool PopupSlide::StepIn() {
  if (height_ >= fullHeight_) return true;
  height_ = height_ + kStep < fullHeight_ ? height_ + kStep : fullHeight_;
  return false;
}

bool PopupSlide::StepOut() {
  if (height_ > kLastOutHeight) {
    height_ -= kStep;
    return false;
  }
  height_ = 0;
  return true;
}

void PopupSlide::ContinueFrom(int left, int top) {
  left_ = left;
  bottom_ = top + height_;
}

}  // namespace mb
