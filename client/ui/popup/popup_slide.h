// Where a popup stands as it slides up from the lower right corner of the screen and down again:
// 5 pixels a step, its bottom edge fixed.
#pragma once

namespace mb {

struct PopupRect {
  int left = 0, top = 0, width = 0, height = 0;
};

class PopupSlide {
 public:
  static constexpr int kStep = 5;
  static constexpr int kLastOutHeight = 25;  // below this the popup goes at once

  // A popup of width x fullHeight whose bottom edge stays at bottom, starting with no height.
  PopupSlide(int left, int bottom, int width, int fullHeight)
      : left_(left), bottom_(bottom), width_(width), fullHeight_(fullHeight) {}
  // The place on a screen whose maximised window measures maxWidth x maxHeight.
  static PopupSlide AtScreenCorner(int maxWidth, int maxHeight, int width, int fullHeight);

  // One step of sliding in; true once the popup had its full height before the step (nothing
  // moved), false when it grew.
  bool StepIn();
  // One step of sliding out; true when the popup is gone (its height 0), false when it shrank.
  bool StepOut();
  // Slides on from a popup whose top is now at top.
  void ContinueFrom(int left, int top);

  PopupRect Place() const { return {left_, bottom_ - height_, width_, height_}; }
  int Height() const { return height_; }
  int FullHeight() const { return fullHeight_; }

 private:
  int left_, bottom_, width_, fullHeight_;
  int height_ = 0;
};

}  // namespace mb
