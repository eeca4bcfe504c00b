#include "uibase/core/button_logic.h"

namespace zel {

std::vector<Colour> FaceLineColours(Colour top, Colour bottom, int spanHeight, int areaHeight) {
  std::vector<Colour> lines;
  if (spanHeight <= 0 || areaHeight <= 0) return lines;
  const int stepRed = (RedOf(top) - RedOf(bottom)) / spanHeight;
  const int stepGreen = (GreenOf(top) - GreenOf(bottom)) / spanHeight;
  const int stepBlue = (BlueOf(top) - BlueOf(bottom)) / spanHeight;
  lines.reserve(static_cast<std::size_t>(areaHeight));
  for (int i = 0; i < areaHeight; ++i) {
    lines.push_back(MakeColour(RedOf(top) - (i + 1) * stepRed, GreenOf(top) - (i + 1) * stepGreen,
                               BlueOf(top) - (i + 1) * stepBlue));
  }
  return lines;
}

Colour HoverTopColour(Colour active) {
  return MakeColour(RedOf(active), (GreenOf(active) + 100) % 256, (BlueOf(active) + 100) % 256);
}

ButtonKind ButtonKindFromStyle(unsigned long style) {
  if ((style & 3) == 3) return kCheckBox;
  if ((style & 9) == 9) return kRadioButton;
  return kPushButton;
}

int NormalisedDrawMode(int drawMode) {
  if (drawMode > 1) return kDrawTile;
  if (drawMode < 0) return kDrawNormal;
  return drawMode;
}

int NormalisedFocusMargin(int focusMargin) { return focusMargin < 0 ? 0 : focusMargin; }

}  // namespace zel
