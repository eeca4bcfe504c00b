#include "client/ui/progress/progress_bar_model.h"

#include <gtest/gtest.h>

namespace mb::progress {
namespace {

using Mode = skin::ImageBlit::Mode;
using skin::Rect;

TEST(ProgressBarModel, TextAndPositionAreClamped) {
  EXPECT_EQ(ProgressText(0), "已完成 0%");
  EXPECT_EQ(ProgressText(57), "已完成 57%");
  EXPECT_EQ(ProgressText(130), "已完成 100%");
  EXPECT_EQ(ClampProgressPosition(-1), kNoProgress);
  EXPECT_EQ(ClampProgressPosition(-20), kNoProgress);
  EXPECT_EQ(ClampProgressPosition(101), 100);
}

TEST(ProgressBarModel, TextIsDrawnInLayoutOneAndInTheDialog) {
  EXPECT_TRUE(ProgressBarDrawsText(1, false));
  EXPECT_TRUE(ProgressBarDrawsText(2, true));
  EXPECT_FALSE(ProgressBarDrawsText(2, false));
  EXPECT_FALSE(ProgressBarDrawsText(3, false));
}

TEST(ProgressBarModel, FilledWidthUsesIntegerDivisionAndNeverPassesTheBar) {
  EXPECT_EQ(ProgressFilledWidth(288, kNoProgress), 0);
  EXPECT_EQ(ProgressFilledWidth(288, 0), 0);
  EXPECT_EQ(ProgressFilledWidth(288, 33), 95);  // 9504 / 100
  EXPECT_EQ(ProgressFilledWidth(288, 100), 288);
  EXPECT_EQ(ProgressFilledWidth(288, 250), 288);
}

TEST(ProgressBarModel, BackgroundIsThreeSlicedAcrossTheBarAndCentred) {
  const auto blits = ProgressBackgroundBlits({60, 12}, 288, 16);
  ASSERT_EQ(blits.size(), 3u);
  EXPECT_EQ(blits[0].dst, (Rect{0, 2, 20, 14}));
  EXPECT_EQ(blits[1].dst, (Rect{20, 2, 268, 14}));
  EXPECT_EQ(blits[2].dst, (Rect{268, 2, 288, 14}));
}

TEST(ProgressBarModel, FillKeepsTheImageEndsInEveryRange) {
  const skin::Size image{60, 10};  // thirds of 20
  // Up to a third: the left part of that width only.
  auto blits = ProgressFillBlits(image, 20, 16);
  ASSERT_EQ(blits.size(), 1u);
  EXPECT_EQ(blits[0].src, (Rect{0, 0, 20, 10}));
  EXPECT_EQ(blits[0].dst, (Rect{0, 3, 20, 13}));
  // Between a third and two thirds: a left part and the whole right end piece.
  blits = ProgressFillBlits(image, 33, 16);
  ASSERT_EQ(blits.size(), 2u);
  EXPECT_EQ(blits[0].src, (Rect{0, 0, 13, 10}));
  EXPECT_EQ(blits[1].src, (Rect{40, 0, 60, 10}));
  EXPECT_EQ(blits[1].dst, (Rect{13, 3, 33, 13}));
  blits = ProgressFillBlits(image, 40, 16);
  ASSERT_EQ(blits.size(), 2u);
  EXPECT_EQ(blits[1].dst.right, 40);
  // Beyond two thirds: three slices ending at the filled width.
  blits = ProgressFillBlits(image, 41, 16);
  ASSERT_EQ(blits.size(), 3u);
  EXPECT_EQ(blits[1].mode, Mode::Stretch);
  EXPECT_EQ(blits[1].dst, (Rect{20, 3, 21, 13}));
  EXPECT_EQ(blits[2].dst, (Rect{21, 3, 41, 13}));
  EXPECT_TRUE(ProgressFillBlits(image, 0, 16).empty());
}

}  // namespace
}  // namespace mb::progress
