#include "client/core/date_time_value.h"

#include <gtest/gtest.h>

#include <ctime>

namespace mb {
namespace {

void ExpectParts(const DateTimeValue& value, int year, int month, int day, int hour, int minute, int second) {
  const DateTimeParts p = value.Split();
  EXPECT_EQ(p.year, year);
  EXPECT_EQ(p.month, month);
  EXPECT_EQ(p.day, day);
  EXPECT_EQ(p.hour, hour);
  EXPECT_EQ(p.minute, minute);
  EXPECT_EQ(p.second, second);
}

bool IsEmpty(const DateTimeValue& v) { return v.DayNumber() == 0 && v.Milliseconds() == 0; }

TEST(DateTimeValue, DayNumberAndMillisecondsFollowTheCalendar) {
  const DateTimeValue v = DateTimeValue::FromParts(2000, 1, 1, 1, 2, 3);
  EXPECT_EQ(v.DayNumber(), 730485);  // 2000 * 365 + 500 - 20 + 5, January 1 of a leap year
  EXPECT_EQ(v.Milliseconds(), 3723000);
  EXPECT_EQ(v.Split().weekday, 6);  // a Saturday
  EXPECT_EQ(DateTimeValue::FromParts(2000, 3, 1, 0, 0, 0).DayNumber() -
                DateTimeValue::FromParts(2000, 2, 28, 0, 0, 0).DayNumber(), 2);
  EXPECT_EQ(DateTimeValue::FromParts(2024, 6, 9, 0, 0, 0).Split().weekday, 0);  // a Sunday
}

TEST(DateTimeValue, InvalidPartsGiveTheEmptyValue) {
  EXPECT_TRUE(IsEmpty(DateTimeValue()));
  EXPECT_TRUE(IsEmpty(DateTimeValue::FromParts(1900, 2, 29, 0, 0, 0)));
  EXPECT_FALSE(IsEmpty(DateTimeValue::FromParts(2000, 2, 29, 0, 0, 0)));
  EXPECT_TRUE(IsEmpty(DateTimeValue::FromParts(99, 1, 1, 0, 0, 0)));
  EXPECT_TRUE(IsEmpty(DateTimeValue::FromParts(10000, 1, 1, 0, 0, 0)));
  EXPECT_TRUE(IsEmpty(DateTimeValue::FromParts(2001, 13, 1, 0, 0, 0)));
  EXPECT_TRUE(IsEmpty(DateTimeValue::FromParts(2001, 4, 31, 0, 0, 0)));
  EXPECT_TRUE(IsEmpty(DateTimeValue::FromParts(2001, 4, 1, 24, 0, 0)));
  EXPECT_TRUE(IsEmpty(DateTimeValue::FromParts(2001, 4, 1, 0, 60, 0)));
  EXPECT_TRUE(IsEmpty(DateTimeValue::FromParts(2001, 4, 1, 0, 0, -1)));
}

TEST(DateTimeValue, SplitReturnsThePartsOfEveryDayOverFourCenturies) {
  DateTimeValue v = DateTimeValue::FromParts(1899, 12, 31, 23, 59, 59);
  int previousDay = v.DayNumber();
  for (int i = 0; i < 146097; ++i) {
    v.Add(1, 'D');
    ASSERT_EQ(v.DayNumber(), previousDay + 1);
    previousDay = v.DayNumber();
    const DateTimeParts p = v.Split();
    ASSERT_EQ(DateTimeValue::FromParts(p.year, p.month, p.day, p.hour, p.minute, p.second).DayNumber(),
              v.DayNumber());
  }
  ExpectParts(v, 2299, 12, 31, 23, 59, 59);
}

TEST(DateTimeValue, MonthsAndYearsKeepTheDayWithinTheMonth) {
  DateTimeValue v = DateTimeValue::FromParts(2001, 1, 31, 10, 20, 30);
  v.Add(1, 'M');
  ExpectParts(v, 2001, 2, 28, 10, 20, 30);
  v = DateTimeValue::FromParts(2000, 2, 29, 0, 0, 0);
  v.Add(1, 'y');
  ExpectParts(v, 2001, 2, 28, 0, 0, 0);
  v = DateTimeValue::FromParts(2000, 11, 15, 0, 0, 0);
  v.Add(14, 'm');
  ExpectParts(v, 2002, 1, 15, 0, 0, 0);
  v.Add(-13, 'M');
  ExpectParts(v, 2000, 12, 15, 0, 0, 0);
}

TEST(DateTimeValue, TimeUnitsCarryWholeDays) {
  DateTimeValue v = DateTimeValue::FromParts(2005, 12, 31, 23, 0, 0);
  const int day = v.DayNumber();
  v.Add(90000, 'S');
  EXPECT_EQ(v.DayNumber(), day + 2);
  EXPECT_EQ(v.Milliseconds(), 0);
  ExpectParts(v, 2006, 1, 2, 0, 0, 0);
  v.Add(-1, 's');
  ExpectParts(v, 2006, 1, 1, 23, 59, 59);
  v.Add(25, 'H');
  ExpectParts(v, 2006, 1, 3, 0, 59, 59);
  v.Add(-61, 'n');
  ExpectParts(v, 2006, 1, 2, 23, 58, 59);
  v.Add(-2, 'd');
  ExpectParts(v, 2005, 12, 31, 23, 58, 59);
  const DateTimeValue before = v;
  v.Add(5, 'X');
  EXPECT_EQ(v.DayNumber(), before.DayNumber());
  EXPECT_EQ(v.Milliseconds(), before.Milliseconds());
  const DateTimeValue later = v.AddSeconds(61);
  ExpectParts(later, 2006, 1, 1, 0, 0, 0);
  ExpectParts(v, 2005, 12, 31, 23, 58, 59);  // AddSeconds leaves the original alone
}

TEST(DateTimeValue, ResultsOutsideTheCalendarRangeChangeNothing) {
  DateTimeValue v = DateTimeValue::FromParts(9999, 12, 31, 23, 59, 59);
  v.Add(1, 'S');
  v.Add(1, 'D');
  v.Add(1, 'M');
  v.Add(1, 'Y');
  v.Add(2147483647, 'H');
  ExpectParts(v, 9999, 12, 31, 23, 59, 59);
  v = DateTimeValue::FromParts(100, 1, 1, 0, 0, 0);
  v.Add(-2147483647 - 1, 'Y');
  v.Add(-1, 'N');
  ExpectParts(v, 100, 1, 1, 0, 0, 0);
}

TEST(DateTimeValue, ComparesDayBeforeTime) {
  const DateTimeValue morning = DateTimeValue::FromParts(2010, 5, 2, 8, 0, 0);
  const DateTimeValue evening = DateTimeValue::FromParts(2010, 5, 1, 23, 0, 0);
  EXPECT_TRUE(morning > evening);
  EXPECT_FALSE(evening > morning);
  EXPECT_TRUE(morning >= morning);
  EXPECT_FALSE(morning > morning);
  EXPECT_TRUE(DateTimeValue::FromParts(2010, 5, 1, 23, 0, 1) > evening);
}

TEST(DateTimeValue, NowIsTheLocalTime) {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  const DateTimeValue expected = DateTimeValue::FromParts(
      local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  const DateTimeValue now = DateTimeValue::Now();
  EXPECT_TRUE(now >= expected);
  EXPECT_TRUE(expected.AddSeconds(5) > now);
}

}  // namespace
}  // namespace mb
