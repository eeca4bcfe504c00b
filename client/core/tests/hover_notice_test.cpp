// The hover notice text and the day arithmetic of the Unix time.
#include <gtest/gtest.h>

#include "client/core/hover_notice.h"
#include "client/core/unix_time.h"

namespace mb {
namespace {

TEST(HoverNotice, ListsLeftTopRightBottomThenTheLink) {
  EXPECT_EQ(FormatHoverNotice("http://h/ad.html", {10, 20, 210, 170}), "10,20,210,170,http://h/ad.html");
  EXPECT_EQ(FormatHoverNotice("x,y", {-220, -170, -20, -20}), "-220,-170,-20,-20,x,y");
  EXPECT_EQ(FormatHoverNotice("\xD5\xC5", {}), "0,0,0,0,\xD5\xC5");
}

TEST(HoverNotice, AnEmptyLinkClearsTheRegion) {
  EXPECT_EQ(FormatHoverNotice("", {1, 2, 3, 4}), "");
  EXPECT_EQ(FormatHoverNotice("", {}), "");
}

TEST(UnixTime, JulianDayNumbersOfKnownDates) {
  EXPECT_EQ(JulianDayNumber(1970, 1, 1), 2440588);
  EXPECT_EQ(JulianDayNumber(2000, 1, 1), 2451545);
  EXPECT_EQ(JulianDayNumber(1858, 11, 17), 2400001);  // the Modified Julian Day's origin + 1
  EXPECT_EQ(JulianDayNumber(2000, 3, 1) - JulianDayNumber(2000, 2, 28), 2);  // 2000 is a leap year
  EXPECT_EQ(JulianDayNumber(1900, 3, 1) - JulianDayNumber(1900, 2, 28), 1);  // 1900 is not
}

TEST(UnixTime, SecondsSinceTheEpoch) {
  EXPECT_EQ(UnixTimeFromUtc(1970, 1, 1, 0, 0, 0), 0);
  EXPECT_EQ(UnixTimeFromUtc(1969, 12, 31, 23, 59, 59), -1);
  EXPECT_EQ(UnixTimeFromUtc(2001, 9, 9, 1, 46, 40), 1000000000);
  EXPECT_EQ(UnixTimeFromUtc(2038, 1, 19, 3, 14, 8), 2147483648LL);  // one past the 32-bit limit
  EXPECT_EQ(UnixTimeFromUtc(2024, 2, 29, 12, 0, 0), 1709208000);
}

}  // namespace
}  // namespace mb
