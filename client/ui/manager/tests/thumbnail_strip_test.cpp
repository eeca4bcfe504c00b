#include "client/ui/manager/thumbnail_strip.h"

#include <gtest/gtest.h>

#include "client/core/carousel_times.h"

namespace mb::manager {
namespace {

TEST(ThumbnailStrip, DuplicatesReorderAndFolderRemoval) {
  ThumbnailStrip strip;
  EXPECT_TRUE(strip.Add("C:\\w\\abc\\1.jpg"));
  EXPECT_FALSE(strip.Add("c:\\W\\ABC\\1.JPG"));
  // GBK: the character D5 5C ends in a byte equal to '\\'; case folding leaves trail bytes alone.
  EXPECT_TRUE(strip.Add("C:\\w\\\xD5\x5C\x41.jpg"));
  EXPECT_FALSE(strip.Add("C:\\w\\\xD5\x5C\x61.jpg"));
  EXPECT_TRUE(strip.Add("C:\\w\\\xD5\x5A.jpg"));
  EXPECT_TRUE(strip.Add("C:\\w\\\xD5\x7A.jpg"));
  EXPECT_TRUE(strip.Add("C:\\w\\\xD5\x5C\\4.jpg"));
  EXPECT_TRUE(strip.Add("C:\\w\\abcdef\\2.jpg"));
  EXPECT_TRUE(strip.Add("C:\\w\\abc\\3.jpg"));
  ASSERT_EQ(strip.Count(), 7);

  EXPECT_FALSE(strip.MoveEarlier(0));
  EXPECT_FALSE(strip.MoveLater(6));
  EXPECT_TRUE(strip.MoveLater(0));
  EXPECT_EQ(strip.PathAt(1), "C:\\w\\abc\\1.jpg");
  EXPECT_TRUE(strip.MoveEarlier(6));
  EXPECT_EQ(strip.PathAt(5), "C:\\w\\abc\\3.jpg");

  EXPECT_EQ(strip.RemoveFolderPictures("C:\\W\\ABC"), 2);  // "abcdef" keeps its picture
  // The folder named by the one character D5 5C holds 4.jpg only, not the file beside it.
  EXPECT_EQ(strip.RemoveFolderPictures("C:\\w\\\xD5\x5C"), 1);
  EXPECT_EQ(strip.Paths(), (std::vector<std::string>{"C:\\w\\\xD5\x5C\x41.jpg", "C:\\w\\\xD5\x5A.jpg",
                                                     "C:\\w\\\xD5\x7A.jpg", "C:\\w\\abcdef\\2.jpg"}));
  EXPECT_TRUE(strip.RemovePath("C:\\W\\ABCDEF\\2.JPG"));
  EXPECT_TRUE(strip.RemovePath("C:\\w\\\xD5\x7A.jpg"));
  EXPECT_EQ(strip.PathAt(7), "");

  // Scrolled to the end, deleting the last picture moves the first shown one back.
  EXPECT_TRUE(strip.ScrollForward());
  EXPECT_FALSE(strip.ScrollForward());
  EXPECT_EQ(strip.ItemAtSlot(0), 1);
  EXPECT_EQ(strip.ItemAtSlot(1), -1);
  EXPECT_TRUE(strip.RemoveAt(1));
  EXPECT_EQ(strip.FirstVisible(), 0);
  EXPECT_FALSE(strip.RemoveAt(1));
  EXPECT_TRUE(strip.RemoveAt(0));
  EXPECT_FALSE(strip.ScrollForward());
  EXPECT_FALSE(strip.ScrollBack());
}

TEST(ThumbnailStrip, FitSlotsHitsAndMarks) {
  EXPECT_EQ(FitThumbnail(1920, 1080, StripCellSize(1), kStripFitRatio), skin::RectFromSize(0, 5, 71, 39));
  EXPECT_EQ(FitThumbnail(1080, 1920, StripCellSize(1), kStripFitRatio), skin::RectFromSize(21, 0, 28, 50));
  EXPECT_EQ(FitThumbnail(1920, 1080, StripCellSize(2), kStripFitRatio), skin::RectFromSize(0, 12, 116, 65));
  EXPECT_TRUE(FitThumbnail(0, 1080, StripCellSize(1), kStripFitRatio).IsEmpty());
  // A 4:3 picture is wide for a 77 x 60 preview cell: it fills the width and stays inside.
  const skin::Size previewCell{77, 60};
  EXPECT_EQ(FitThumbnail(1000, 750, previewCell, CellRatio(previewCell)), skin::RectFromSize(0, 1, 77, 57));
  EXPECT_EQ(FitThumbnail(1000, 750, {120, 92}, CellRatio({120, 92})), skin::RectFromSize(0, 1, 120, 90));

  EXPECT_EQ(StripSlotRect(1, 4), (skin::Rect{310, 2, 385, 56}));
  EXPECT_EQ(DrawnStripSlotRect(2, 0), (skin::Rect{29, 36, 145, 126}));
  EXPECT_EQ(DrawnStripSlotRect(3, 1), (skin::Rect{156, 47, 272, 137}));
  // Right of the drawn first thumbnail in layout 2 is still the first slot, not the second.
  EXPECT_EQ(HitStripSlot(2, 140, 60), 0);
  EXPECT_EQ(HitStripSlot(2, 15, 60), -1);
  EXPECT_EQ(HitStripSlot(1, 80, 10), 1);
  EXPECT_TRUE(IsStripDoubleClickIgnored(2, 660, 80));
  EXPECT_TRUE(IsStripDoubleClickIgnored(3, 300, 20));
  EXPECT_FALSE(IsStripDoubleClickIgnored(1, 10, 10));
  EXPECT_EQ(StripMarkAt(2, 75, 10), 0x46Bu);
  EXPECT_EQ(StripMarkAt(3, 190, 20), 0x46Cu);
  EXPECT_EQ(StripMarkAt(1, 600, 20), 0x46Du);
  EXPECT_EQ(StripMarkAt(1, 300, 20), 0u);
}

TEST(CarouselTimes, RefusedAndAcceptedIntervals) {
  EXPECT_EQ(CheckCarouselTimes({0, 61}, true, true), "秒数设置最小为0，最大为60，请重新设置!");
  EXPECT_EQ(CheckCarouselTimes({0, 0}, true, true), "时间设置必须大于0");
  EXPECT_EQ(CheckCarouselTimes({0, 0}, true, false), "");
  EXPECT_EQ(CheckCarouselTimes({-1, 30}, true, false), "时间设置必须大于0");
  EXPECT_EQ(CheckCarouselTimes({0, 90}, false, true), "");  // the time dialog has no seconds limit
  // 35791394 minutes would wrap a 32-bit millisecond period; it is refused, not wrapped.
  EXPECT_EQ(CarouselPeriodSeconds({35791394, 0}), 2147483640LL);
  EXPECT_EQ(CheckCarouselTimes({35791394, 0}, true, true), "时间设置过长，请重新设置!");
  EXPECT_EQ(CheckCarouselTimes({35791, 23}, true, true), "");
  EXPECT_EQ(CheckCarouselTimes({35791, 24}, true, true), "时间设置过长，请重新设置!");
}

}  // namespace
}  // namespace mb::manager
