#include "client/ui/skin/skin_geometry.h"

#include <gtest/gtest.h>

#include "client/ui/tests/skin_fakes.h"

namespace mb::skin {
namespace {

using Mode = ImageBlit::Mode;

TEST(SkinGeometry, AnchorRuleCountsNegativeAndZeroEdgesFromTheOwnerEdge) {
  EXPECT_EQ(AnchorRect({-30, 5, -10, 25}, 400, 300), (Rect{370, 5, 390, 25}));
  EXPECT_EQ(AnchorRect({10, 20, 0, 0}, 400, 300), (Rect{10, 20, 400, 300}));
  // 0 as left or top is an ordinary edge, 1 as right or bottom too.
  EXPECT_EQ(AnchorRect({0, 0, 1, 1}, 400, 300), (Rect{0, 0, 1, 1}));
  EXPECT_EQ(AnchorRect({-1, -1, -0, 5}, 400, 300), (Rect{399, 299, 400, 5}));
}

TEST(SkinGeometry, RectContainsLikePtInRect) {
  const Rect r{10, 20, 30, 40};
  EXPECT_TRUE(r.Contains(10, 20));
  EXPECT_TRUE(r.Contains(29, 39));
  EXPECT_FALSE(r.Contains(30, 25));
  EXPECT_FALSE(r.Contains(15, 40));
  EXPECT_FALSE(r.Contains(9, 25));
}

TEST(SkinGeometry, ButtonImageOfTheRectSizeIsDrawnOnceUnscaled) {
  const std::vector<ImageBlit> blits = ButtonBackgroundBlits({26, 26}, {488, 6, 514, 32});
  ASSERT_EQ(blits.size(), 1u);
  EXPECT_EQ(blits[0].mode, Mode::Whole);
  EXPECT_EQ(blits[0].dst, (Rect{488, 6, 514, 32}));
}

TEST(SkinGeometry, WiderButtonIsThreeSlicedInTheImageHeight) {
  // 31 / 3 = 10: the last column of the middle third is never used.
  const std::vector<ImageBlit> blits = ButtonBackgroundBlits({31, 12}, {100, 50, 200, 80});
  ASSERT_EQ(blits.size(), 3u);
  EXPECT_EQ(blits[0], (ImageBlit{Mode::Part, {0, 0, 10, 12}, {100, 50, 110, 62}}));
  EXPECT_EQ(blits[1], (ImageBlit{Mode::Stretch, {10, 0, 20, 12}, {110, 50, 190, 62}}));
  EXPECT_EQ(blits[2], (ImageBlit{Mode::Part, {21, 0, 31, 12}, {190, 50, 200, 62}}));
}

TEST(SkinGeometry, RectNarrowerThanBothEndsGetsNoMirroredMiddle) {
  // A 30-pixel image in a 12-pixel rectangle: the middle would be -8 pixels wide.
  const std::vector<ImageBlit> blits = ButtonBackgroundBlits({30, 30}, {6, 53, 18, 105});
  ASSERT_EQ(blits.size(), 2u);
  EXPECT_EQ(blits[0].mode, Mode::Part);
  EXPECT_EQ(blits[1].mode, Mode::Part);
  EXPECT_EQ(blits[1].dst.left, 8);
  // An empty image draws nothing.
  EXPECT_TRUE(ButtonBackgroundBlits({0, 10}, {0, 0, 10, 10}).empty());
}

TEST(SkinGeometry, PushButtonOfTheSameHeightIsThreeSliced) {
  const std::vector<ImageBlit> blits = PushButtonBackgroundBlits({60, 18}, {165, 184, 269, 202});
  ASSERT_EQ(blits.size(), 3u);
  EXPECT_EQ(blits[0].dst, (Rect{165, 184, 185, 202}));
  EXPECT_EQ(blits[1], (ImageBlit{Mode::Stretch, {20, 0, 40, 18}, {185, 184, 249, 202}}));
  EXPECT_EQ(blits[2].dst, (Rect{249, 184, 269, 202}));
  // Exactly two end pieces wide: the empty middle is left out.
  EXPECT_EQ(PushButtonBackgroundBlits({60, 18}, {112, 149, 152, 167}).size(), 2u);
}

TEST(SkinGeometry, PushButtonOfAnotherHeightIsNineSliced) {
  // Image 60 x 18 (corner 6) into a 35 x 20 rectangle at (595, 3).
  const std::vector<ImageBlit> blits = PushButtonBackgroundBlits({60, 18}, {595, 3, 630, 23});
  const std::vector<ImageBlit> expected = {
      {Mode::Part, {0, 0, 6, 6}, {595, 3, 601, 9}},
      {Mode::Part, {54, 0, 60, 6}, {624, 3, 630, 9}},
      {Mode::Part, {0, 12, 6, 18}, {595, 17, 601, 23}},
      {Mode::Part, {54, 12, 60, 18}, {624, 17, 630, 23}},
      {Mode::Stretch, {6, 0, 54, 6}, {601, 3, 624, 9}},
      {Mode::Stretch, {6, 12, 54, 18}, {601, 17, 624, 23}},
      {Mode::Stretch, {0, 6, 6, 12}, {595, 9, 601, 17}},
      {Mode::Stretch, {54, 6, 60, 12}, {624, 9, 630, 17}},
      {Mode::Stretch, {6, 6, 12, 12}, {601, 9, 624, 17}},
  };
  ASSERT_EQ(blits.size(), expected.size());
  for (std::size_t i = 0; i < blits.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(blits[i].mode, expected[i].mode);
    EXPECT_EQ(testing::Describe(blits[i].src), testing::Describe(expected[i].src));
    EXPECT_EQ(testing::Describe(blits[i].dst), testing::Describe(expected[i].dst));
  }
}

TEST(SkinGeometry, ImageStateFollowsEnabledHotAndPressed) {
  EXPECT_EQ(ImageStateIndex(true, false, false), 0);
  EXPECT_EQ(ImageStateIndex(true, false, true), 0);
  EXPECT_EQ(ImageStateIndex(true, true, false), 1);
  EXPECT_EQ(ImageStateIndex(true, true, true), 2);
  EXPECT_EQ(ImageStateIndex(false, true, true), 3);
}

TEST(SkinGeometry, TabStripPacksLeftOrRightAndAlignsBottoms) {
  TabStripMetrics m;
  m.normalImage = {66, 28};
  m.selectedImage = {66, 30};
  m.margin = 0;
  m.leftAligned = true;
  m.gap = 1;
  const std::vector<TabRects> left = LayoutTabStrip({65, 105, 479, 135}, 6, m);
  ASSERT_EQ(left.size(), 6u);
  EXPECT_EQ(left[0].normal, (Rect{65, 107, 131, 135}));
  EXPECT_EQ(left[0].selected, (Rect{65, 105, 131, 135}));
  EXPECT_EQ(left[5].normal, (Rect{400, 107, 466, 135}));

  // Right-packed: the selected-width strip ends at right - margin.
  m.leftAligned = false;
  m.margin = 30;
  m.selectedImage = {80, 30};
  const std::vector<TabRects> right = LayoutTabStrip({0, 0, 500, 40}, 3, m);
  EXPECT_EQ(right[0].normal.left, 258);  // 500 - 66 x 2 - 30 - 80
  EXPECT_EQ(right[2].normal, (Rect{392, 12, 458, 40}));
  EXPECT_EQ(right[2].selected, (Rect{392, 10, 458, 40}));
  EXPECT_TRUE(LayoutTabStrip({0, 0, 10, 10}, 0, m).empty());
}

}  // namespace
}  // namespace mb::skin
