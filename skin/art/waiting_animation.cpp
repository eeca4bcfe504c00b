// The waiting animation shown while a page loads: eight dots on a ring, the bright one moving
// round, one GIF frame per step.
#include <cmath>

#include "client/ui/gif/gif_writer.h"
#include "skin/art/skin_art.h"
#include "skin/art/skin_theme.h"

namespace mb::skinart {
namespace {

constexpr int kSide = 40;
constexpr int kDots = 8;
constexpr int kShades = 16;  // palette: background to dot colour

std::uint32_t Packed(Rgb c) { return (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b; }

}  // namespace

std::string WaitingAnimation(int layout) {
  const SkinTheme& theme = ThemeFor(layout);
  const Rgb background = theme.page;
  const Rgb dot = layout == 1 ? Rgb{255, 255, 255} : theme.accentDark;
  std::vector<std::uint32_t> palette;
  for (int i = 0; i < kShades; ++i) palette.push_back(Packed(Mix(background, dot, i / double(kShades - 1))));

  gif::GifWriter writer(kSide, kSide, palette, 0);
  writer.LoopForever();
  const double pi = std::acos(-1.0);
  for (int step = 0; step < kDots; ++step) {
    skinfile::Bitmap24 frame(kSide, kSide, background);
    Raster r(frame, 0, 0, kSide, kSide);
    for (int i = 0; i < kDots; ++i) {
      const double angle = 2 * pi * i / kDots - pi / 2;
      const int age = (step - i + kDots) % kDots;  // 0 = the bright dot
      const double strength = 1.0 - age / double(kDots) * 0.85;
      r.FillCircle(kSide / 2.0 + 13 * std::cos(angle), kSide / 2.0 + 13 * std::sin(angle), 3.6 - age * 0.2,
                   Mix(background, dot, strength));
    }
    gif::GifWriterFrame f;
    f.width = kSide;
    f.height = kSide;
    f.delay = 10;
    f.disposal = 1;
    for (int y = 0; y < kSide; ++y) {
      for (int x = 0; x < kSide; ++x) {
        // The palette runs in a straight line from background to dot: project onto it.
        const Rgb p = frame.At(x, y);
        double best = 0;
        double bestDistance = 1e9;
        for (int i = 0; i < kShades; ++i) {
          const Rgb c = Mix(background, dot, i / double(kShades - 1));
          const double d = std::pow(c.r - p.r, 2) + std::pow(c.g - p.g, 2) + std::pow(c.b - p.b, 2);
          if (d < bestDistance) {
            bestDistance = d;
            best = i;
          }
        }
        f.pixels.push_back(static_cast<std::uint8_t>(best));
      }
    }
    writer.Frame(f);
  }
  return writer.Finish();
}

}  // namespace mb::skinart
