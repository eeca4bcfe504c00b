#include "client/ui/manager/picture_date_filter.h"

#include <gtest/gtest.h>

namespace mb::manager {
namespace {

constexpr std::int64_t kDay = 86400;

TEST(PictureDateFilter, ChoicesKeepRecentOrOlderPictures) {
  ASSERT_EQ(DateFilterTexts().size(), 6u);
  EXPECT_EQ(DateFilterTexts()[5], "一月以前");
  DateFilter filter;
  EXPECT_FALSE(DateFilterForChoice(6, &filter));
  EXPECT_FALSE(DateFilterForChoice(-1, &filter));

  const std::int64_t now = 1700000000;
  std::vector<CategoryPicture> all = {{"old", now - 40 * kDay}, {"edge", now - 3 * kDay},
                                      {"new", now - 10}, {"week", now - 6 * kDay}};
  SortNewestFirst(all);
  EXPECT_EQ(all.front().path, "new");
  EXPECT_EQ(all.back().path, "old");

  ASSERT_TRUE(DateFilterForChoice(1, &filter));  // 近三天: exactly three days ago still counts
  std::vector<CategoryPicture> kept = FilterPictures(all, filter, now);
  ASSERT_EQ(kept.size(), 2u);
  EXPECT_EQ(kept[0].path, "new");
  EXPECT_EQ(kept[1].path, "edge");

  ASSERT_TRUE(DateFilterForChoice(5, &filter));  // 一月以前
  kept = FilterPictures(all, filter, now);
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(kept[0].path, "old");
}

TEST(PictureDateFilter, FileTimesAreComparedOnTheLocalClock) {
  // UTC+8: a picture written 20 hours ago. Its raw universal time would look 28 hours old next
  // to the local now and fall out of "近一天".
  const int bias = -480;
  const std::int64_t utcNow = 1700000000;
  const std::int64_t localNow = ToLocalSeconds(utcNow, bias);
  const std::int64_t written = utcNow - 20 * 3600;
  DateFilter lastDay;
  ASSERT_TRUE(DateFilterForChoice(0, &lastDay));
  EXPECT_FALSE(PassesDateFilter(lastDay, written, localNow));
  EXPECT_TRUE(PassesDateFilter(lastDay, ToLocalSeconds(written, bias), localNow));
  // West of Greenwich the raw time would keep a picture 30 hours old.
  EXPECT_FALSE(PassesDateFilter(lastDay, ToLocalSeconds(utcNow - 30 * 3600, 300), ToLocalSeconds(utcNow, 300)));
}

}  // namespace
}  // namespace mb::manager
