#include <gtest/gtest.h>

#include "uibase/core/button_logic.h"
#include "uibase/core/effect_fill.h"
#include "uibase/core/geometry.h"
#include "uibase/core/image_effects.h"

namespace zel {
namespace {

TEST(EffectFill, GradientBandsCoverTheRectAndSkipEmptyBands) {
  const Colour from = MakeColour(0, 100, 200), to = MakeColour(255, 0, 64);
  const auto narrow = GradientBands({10, 5, 20, 9}, from, to, true);
  ASSERT_EQ(narrow.size(), 10u);  // 64 bands over 10 pixels: only 10 are not empty
  int x = 10;
  for (const FillBand& band : narrow) {
    EXPECT_EQ(band.rect.left, x);
    EXPECT_EQ(band.rect.top, 5);
    EXPECT_EQ(band.rect.bottom, 9);
    x = band.rect.right;
  }
  EXPECT_EQ(x, 20);
  // The last band is (from + 63 x to) / 64, not exactly the end colour.
  EXPECT_EQ(narrow.back().colour, MakeColour(63 * 255 / 64, 100 / 64, (200 + 63 * 64) / 64));
  EXPECT_EQ(GradientBands({0, 0, 64, 1}, from, to, true).front().colour, from);

  const auto tall = GradientBands({0, 0, 3, 128}, from, to, false);
  ASSERT_EQ(tall.size(), 64u);
  EXPECT_EQ(tall[1].rect.top, 2);
  EXPECT_EQ(tall[1].rect.bottom, 4);
  EXPECT_TRUE(GradientBands({0, 0, 0, 10}, from, to, true).empty());
}

TEST(EffectFill, EffectCodesChooseTheirBands) {
  const Rect r{0, 0, 100, 10};
  const Colour s = MakeColour(10, 20, 30), m = MakeColour(90, 90, 90), e = MakeColour(200, 210, 220);
  for (int code : {0, 20, -7}) {
    const auto solid = PlanBandFill(code, r, s, m, e);
    ASSERT_EQ(solid.size(), 1u) << code;
    EXPECT_EQ(solid[0].colour, s);
    EXPECT_EQ(solid[0].rect, r);
  }
  EXPECT_TRUE(PlanBandFill(kFillTransparent, r, s, m, e).empty());
  EXPECT_TRUE(PlanBandFill(kFillMetal, r, s, m, e).empty());
  // Centred: start to end on the left half, end back to start on the right.
  const auto centred = PlanBandFill(kFillHCGradient, {0, 0, 256, 10}, s, m, e);
  ASSERT_EQ(centred.size(), 128u);
  EXPECT_EQ(centred[0].colour, s);
  EXPECT_EQ(centred[64].rect.left, 128);
  EXPECT_EQ(centred[64].colour, e);
  // Three colours: the right half starts at the middle colour.
  const auto three = PlanBandFill(kFill3VGradient, {0, 0, 4, 256}, s, m, e);
  ASSERT_EQ(three.size(), 128u);
  EXPECT_EQ(three[64].rect.top, 128);
  EXPECT_EQ(three[64].colour, m);
}

TEST(EffectFill, TexturePaletteAndTint) {
  const Colour s = MakeColour(255, 0, 0), m = MakeColour(0, 255, 0), e = MakeColour(0, 0, 255);
  const TexturePalette plain = MakeTexturePalette(s, m, e, 0);
  EXPECT_EQ(plain[0], e);
  EXPECT_EQ(plain[128], m);
  EXPECT_EQ(plain[255], s);
  EXPECT_EQ(plain[64], MakeColour(0, 127, 128));
  const TexturePalette half = MakeTexturePalette(s, m, e, 50);
  EXPECT_EQ(half[0], MakeColour(127, 0, 127));
  // Above 100 counts as 100: every entry is the start colour.
  const TexturePalette full = MakeTexturePalette(s, m, e, 150);
  for (Colour c : full) ASSERT_EQ(c, s);
}

TEST(EffectFill, TexturesFollowTheirProfiles) {
  const RandomSource zero = [] { return 0; };
  // Granularity 0 and a zero draw: no noise, so noise is flat 128 and the shades are exact.
  for (std::uint8_t v : MakeTexture(kFillNoise, 7, 5, 0, zero)) ASSERT_EQ(v, 128);
  const auto hshade = MakeTexture(kFillHShade, 4, 10, 20, [] { return 0x7FFF / 2; });
  // A = 20, R = 215; noise of a middle draw is 0x3FFF / (0x7FFF / 40) - 20 = 0.
  for (int y = 0; y < 10; ++y) EXPECT_EQ(hshade[static_cast<std::size_t>(y) * 4], 20 + y * 215 / 10) << y;
  const auto vbump = MakeTexture(kFillVBump, 100, 2, 0, zero);
  const int d = 255 * (100 - 3) / 100 - 127;
  EXPECT_EQ(vbump[3], 128 + (d * d * d / 16384) * 128 / 128);
  for (int effect = kFillNoise; effect <= kFillMetal; ++effect) {
    unsigned state = 1;
    const RandomSource lcg = [&state] { return static_cast<int>((state = state * 1103515245u + 12345u) >> 16 & 0x7FFF); };
    EXPECT_EQ(MakeTexture(effect, 33, 17, 5, lcg).size(), 33u * 17u) << effect;
  }
  EXPECT_TRUE(MakeTexture(kFillSolid, 3, 3, 5, zero).empty());
  EXPECT_TRUE(MakeTexture(kFillNoise, 0, 3, 5, zero).empty());
}

TEST(ImageEffects, StylesMaskAlphaAndShadow) {
  const Pixel magenta = MakePixel(255, 0, 255);
  std::vector<Pixel> pixels = {MakePixel(100, 200, 40), magenta, MakePixel(10, 20, 30, 0x80), MakePixel(250, 250, 250)};
  // Grey then dark: 0.299 x 100 + 0.587 x 200 + 0.114 x 40 = 151 -> 113.
  const PreparedImage grey = PrepareImage(pixels, 2, 2, kStyleGrey | kStyleDark, true, MakeColour(255, 0, 255), 0);
  EXPECT_EQ(grey.pixels[0], MakePixel(113, 113, 113));
  EXPECT_EQ(grey.pixels[1], MakePixel(0, 0, 0));
  EXPECT_EQ(grey.transparent, (std::vector<std::uint8_t>{0, 1, 0, 0}));
  EXPECT_TRUE(grey.hasAlpha);
  EXPECT_EQ(PixelAlpha(grey.pixels[2]), 0x80);
  const PreparedImage light = PrepareImage(pixels, 2, 2, kStyleLight | kStyleInvert, false, 0, 0);
  EXPECT_EQ(light.pixels[3], MakePixel(0, 0, 0));  // 250 x 1.25 stops at 255, then inverted
  EXPECT_EQ(light.pixels[1], MakePixel(0, 255, 0));
  const PreparedImage filled = PrepareImage(pixels, 2, 2, kStyleFill, true, MakeColour(255, 0, 255), MakeColour(1, 2, 3));
  EXPECT_EQ(filled.pixels[0], MakePixel(1, 2, 3));

  // Without alpha the transparent pixels keep the destination; with alpha each pixel blends.
  std::vector<Pixel> opaque = {MakePixel(9, 9, 9), magenta};
  const PreparedImage masked = PrepareImage(opaque, 2, 1, 0, true, MakeColour(255, 0, 255), 0);
  std::vector<Pixel> destination(2, MakePixel(50, 60, 70));
  CompositeOnto(masked, destination);
  EXPECT_EQ(destination[0], MakePixel(9, 9, 9));
  EXPECT_EQ(destination[1], MakePixel(50, 60, 70));
  std::vector<Pixel> translucent = {MakePixel(255, 0, 0, 0x80)};
  std::vector<Pixel> under = {MakePixel(0, 0, 255)};
  CompositeOnto(PrepareImage(translucent, 1, 1, 0, false, 0, 0), under);
  EXPECT_EQ(under[0], MakePixel(128, 0, 127));

  // A 9 x 9 square: the plain shadow darkens exactly the silhouette; the blurred one is darkest
  // in the middle, lighter at the rim and white outside the reach of the filter.
  std::vector<Pixel> square(81, MakePixel(0, 0, 0));
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x)
      if (x < 2 || y < 2 || x > 6 || y > 6) square[y * 9 + x] = magenta;
  const PreparedImage shape = PrepareImage(square, 9, 9, 0, true, MakeColour(255, 0, 255), 0);
  const auto plain = ShadowFactors(shape, 2, 2, false);
  EXPECT_EQ(plain[4 * 9 + 4], 128);
  EXPECT_EQ(plain[0], 255);
  const auto blurred = ShadowFactors(shape, 3, 3, true);
  EXPECT_LT(blurred[4 * 9 + 4], blurred[4 * 9 + 2]);
  EXPECT_EQ(blurred[0], 255);
  EXPECT_EQ(Shade(MakePixel(200, 100, 50, 7), 128), MakePixel(100, 50, 25, 7));
}

TEST(ButtonLogic, FaceLinesHoverAndOptions) {
  // Equal colours give a flat face; the step truncates toward zero in both directions.
  for (Colour c : FaceLineColours(0x123456, 0x123456, 20, 20)) ASSERT_EQ(c, 0x123456u);
  const auto down = FaceLineColours(MakeColour(0x88, 0xE8, 0xFF), MakeColour(0x0C, 0xC0, 0xFF), 20, 20);
  ASSERT_EQ(down.size(), 20u);
  EXPECT_EQ(down[0], MakeColour(0x88 - 6, 0xE8 - 2, 0xFF));
  EXPECT_EQ(down[19], MakeColour(0x88 - 120, 0xE8 - 40, 0xFF));
  const auto up = FaceLineColours(MakeColour(0, 0, 0), MakeColour(30, 0, 0), 7, 3);
  EXPECT_EQ(up[2], MakeColour(12, 0, 0));
  // A face of no height draws nothing instead of dividing by zero.
  EXPECT_TRUE(FaceLineColours(1, 2, 0, 5).empty());
  EXPECT_TRUE(FaceLineColours(1, 2, 5, 0).empty());
  // Green 0xC0 + 100 wraps to 0x24.
  EXPECT_EQ(HoverTopColour(MakeColour(0x50, 0xC0, 0x10)), MakeColour(0x50, 0x24, 0x74));

  EXPECT_EQ(ButtonKindFromStyle(0x50010003), kCheckBox);    // auto check box
  EXPECT_EQ(ButtonKindFromStyle(0x50010009), kRadioButton); // auto radio button
  EXPECT_EQ(ButtonKindFromStyle(0x50010002), kPushButton);  // plain check box: not emulated
  EXPECT_EQ(ButtonKindFromStyle(0x50010000), kPushButton);
  EXPECT_EQ(NormalisedDrawMode(5), kDrawTile);
  EXPECT_EQ(NormalisedDrawMode(-1), kDrawNormal);
  EXPECT_EQ(NormalisedDrawMode(1), kDrawStretch);
  EXPECT_EQ(NormalisedFocusMargin(-3), 0);
  EXPECT_EQ(NormalisedFocusMargin(4), 4);
}

TEST(Geometry, RunsTilesAndStripFrames) {
  // Rows from the bottom up; a run reaching the last column ends at the width.
  const char* rows[] = {"..##.", "#...#", "#####"};
  const auto runs = OpaqueRuns(5, 3, [&](int x, int y) { return rows[y][x] == '#'; });
  const std::vector<Rect> expected = {{0, 2, 5, 3}, {0, 1, 1, 2}, {4, 1, 5, 2}, {2, 0, 4, 1}};
  EXPECT_EQ(runs, expected);

  const auto tiles = TilePieces({10, 10, 35, 22}, 10, 8);
  ASSERT_EQ(tiles.size(), 6u);
  EXPECT_EQ(tiles[2].destination, (Rect{30, 10, 35, 18}));
  EXPECT_EQ(tiles[2].width, 5);
  EXPECT_EQ(tiles[5].height, 4);
  EXPECT_TRUE(TilePieces({0, 0, 10, 10}, 0, 8).empty());

  Rect frame;
  ASSERT_TRUE(StripFrame(64, 32, 16, 16, 5, frame));  // 4 columns, 2 rows
  EXPECT_EQ(frame, (Rect{16, 16, 32, 32}));
  EXPECT_FALSE(StripFrame(64, 32, 16, 16, 8, frame));
  EXPECT_FALSE(StripFrame(64, 32, 0, 16, 0, frame));
}

}  // namespace
}  // namespace zel
