#include "uibase/core/colour.h"

#include <algorithm>

namespace zel {

Colour GreyOf(Colour c) {
  const int grey = static_cast<int>(RedOf(c) * 0.299 + GreenOf(c) * 0.587 + BlueOf(c) * 0.114);
  return MakeColour(grey, grey, grey);
}

Colour InvertOf(Colour c) { return MakeColour(255 - RedOf(c), 255 - GreenOf(c), 255 - BlueOf(c)); }

Colour DarkenOf(Colour c) {
  return MakeColour(static_cast<int>(RedOf(c) * 0.75), static_cast<int>(GreenOf(c) * 0.75),
                    static_cast<int>(BlueOf(c) * 0.75));
}

Colour LightenOf(Colour c) {
  auto up = [](int v) { return std::min(255, static_cast<int>(v * 1.25)); };
  return MakeColour(up(RedOf(c)), up(GreenOf(c)), up(BlueOf(c)));
}

Colour BlendOf(Colour source, Colour destination, int alpha) {
  alpha = std::clamp(alpha, 0, 255);
  auto mix = [alpha](int s, int d) { return (s * alpha + d * (255 - alpha)) / 255; };
  return MakeColour(mix(RedOf(source), RedOf(destination)), mix(GreenOf(source), GreenOf(destination)),
                    mix(BlueOf(source), BlueOf(destination)));
}

}  // namespace zel
