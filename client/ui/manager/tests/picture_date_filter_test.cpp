#include "client/ui/manager/picture_date_filter.h"

#include <gtest/gtest.h>

namespace mb::manager {
namespace {

DateTimeValue DaysBefore(const DateTimeValue& time, int days) {
  DateTimeValue earlier = time;
  earlier.Add(-days, 'D');
  return earlier;
}

TEST(PictureDateFilter, ChoicesKeepRecentOrOlderPicturesNewestFirst) {
  ASSERT_EQ(DateFilterTexts().size(), 6u);
  EXPECT_EQ(DateFilterTexts()[5], "一月以前");
  DateFilter filter;
  EXPECT_FALSE(DateFilterForChoice(6, &filter));
  EXPECT_FALSE(DateFilterForChoice(-1, &filter));

  const DateTimeValue now = DateTimeValue::FromParts(2026, 3, 1, 0, 0, 5);
  std::vector<CategoryPicture> all = {
      {"old", DaysBefore(now, 40)},
      {"edge", DaysBefore(now, 3)},
      {"late yesterday", DateTimeValue::FromParts(2026, 2, 28, 23, 59, 59)},
      {"new", DateTimeValue::FromParts(2026, 3, 1, 0, 0, 1)},
      {"week", DaysBefore(now, 6)},
      {"also new", DateTimeValue::FromParts(2026, 3, 1, 0, 0, 1)},
  };
  SortNewestFirst(all);
  std::vector<std::string> order;
  for (const CategoryPicture& picture : all) order.push_back(picture.path);
  EXPECT_EQ(order, (std::vector<std::string>{"new", "also new", "late yesterday", "edge", "week", "old"}))
      << "the day first, then the time of day; equal times keep the folder's order";

  ASSERT_TRUE(DateFilterForChoice(1, &filter));  // 近三天: exactly three days ago still counts
  std::vector<CategoryPicture> kept = FilterPictures(all, filter, now);
  ASSERT_EQ(kept.size(), 4u);
  EXPECT_EQ(kept[3].path, "edge");
  EXPECT_EQ(FilterPictures(all, filter, now.AddSeconds(1)).size(), 3u) << "one second later it is out";

  ASSERT_TRUE(DateFilterForChoice(5, &filter));  // 一月以前
  kept = FilterPictures(all, filter, now);
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(kept[0].path, "old");
}

TEST(PictureDateFilter, FileTimesAreReadOnTheLocalClock) {
  // 2023-11-14 22:13:20 UTC is 06:13:20 the next morning at UTC+8 (bias -480).
  const std::int64_t utcNow = 1700000000;
  const DateTimeParts local = LocalPictureTime(utcNow, -480).Split();
  EXPECT_EQ(local.year, 2023);
  EXPECT_EQ(local.month, 11);
  EXPECT_EQ(local.day, 15);
  EXPECT_EQ(local.hour, 6);
  EXPECT_EQ(local.minute, 13);
  EXPECT_EQ(local.second, 20);
  EXPECT_EQ(LocalPictureTime(0, 300).Split().year, 1969) << "west of Greenwich the epoch is still 1969";

  // A picture written 20 hours ago passes "近一天" next to the local now; its raw universal time
  // would look 28 hours old there.
  const DateTimeValue localNow = LocalPictureTime(utcNow, -480);
  DateFilter lastDay;
  ASSERT_TRUE(DateFilterForChoice(0, &lastDay));
  EXPECT_TRUE(PassesDateFilter(lastDay, LocalPictureTime(utcNow - 20 * 3600, -480), localNow));
  EXPECT_FALSE(PassesDateFilter(lastDay, LocalPictureTime(utcNow - 20 * 3600, 0), localNow));
}

}  // namespace
}  // namespace mb::manager
