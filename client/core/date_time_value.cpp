#include "client/core/date_time_value.h"

#include <algorithm>
#include <ctime>

namespace mb {

namespace {

constexpr std::int64_t kMsPerDay = 86400000;
constexpr int kMinYear = 100;
constexpr int kMaxYear = 9999;
constexpr int kDaysBeforeMonth[13] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};

bool IsLeapYear(std::int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(std::int64_t year, int month) {
  if (month == 2 && IsLeapYear(year)) return 29;
  return kDaysBeforeMonth[month] - kDaysBeforeMonth[month - 1];
}

// Days of the year before the given month, February 29 included.
int DaysBefore(std::int64_t year, int month) {
  return kDaysBeforeMonth[month - 1] + (month > 2 && IsLeapYear(year) ? 1 : 0);
}

// The day number of a date; the leap day of the date's own year only counts from March on.
std::int64_t DayNumberOf(std::int64_t year, int month, int day) {
  std::int64_t n = year * 365 + year / 4 - year / 100 + year / 400 + kDaysBeforeMonth[month - 1] + day;
  if (month <= 2 && IsLeapYear(year)) --n;
  return n;
}

bool DayInRange(std::int64_t day) {
  return day >= DayNumberOf(kMinYear, 1, 1) && day <= DayNumberOf(kMaxYear, 12, 31);
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

DateTimeValue DateTimeValue::FromParts(int year, int month, int day, int hour, int minute, int second) {
  if (year < kMinYear || year > kMaxYear || month < 1 || month > 12) return {};
  if (day < 1 || day > DaysInMonth(year, month)) return {};
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) return {};
  const std::int32_t ms = ((hour * 60 + minute) * 60 + second) * 1000;
  return DateTimeValue(static_cast<std::int32_t>(DayNumberOf(year, month, day)), ms);
}

DateTimeValue DateTimeValue::Now() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  // A leap second reads as the last second of its minute.
  return FromParts(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                   std::min(local.tm_sec, 59));
}

DateTimeParts DateTimeValue::Split() const {
  DateTimeParts parts;
  std::int64_t year = static_cast<std::int64_t>(day_) * 400 / 146097;  // days in 400 years
  while (DayNumberOf(year + 1, 1, 1) <= day_) ++year;
  while (year > 0 && DayNumberOf(year, 1, 1) > day_) --year;
  const std::int64_t dayOfYear = day_ - DayNumberOf(year, 1, 1);
  int month = 12;
  while (month > 1 && DaysBefore(year, month) > dayOfYear) --month;
  parts.year = static_cast<int>(year);
  parts.month = month;
  parts.day = static_cast<int>(dayOfYear - DaysBefore(year, month)) + 1;
  parts.hour = milliseconds_ / 3600000;
  parts.minute = milliseconds_ / 60000 % 60;
  parts.second = milliseconds_ / 1000 % 60;
  parts.weekday = static_cast<int>((static_cast<std::int64_t>(day_) - 1 + 7) % 7);
  return parts;
}

void DateTimeValue::Add(int amount, char unit) {
  std::int64_t unitMs = 0;
  switch (unit) {
    case 'D': case 'd':
      if (DayInRange(static_cast<std::int64_t>(day_) + amount)) day_ += amount;
      return;
    case 'H': case 'h': unitMs = 3600000; break;
    case 'N': case 'n': unitMs = 60000; break;
    case 'S': case 's': unitMs = 1000; break;
    case 'M': case 'm': case 'Y': case 'y': {
      const DateTimeParts parts = Split();
      const std::int64_t monthIndex = static_cast<std::int64_t>(parts.year) * 12 + (parts.month - 1) +
                                      (unit == 'M' || unit == 'm' ? amount : amount * std::int64_t{12});
      const std::int64_t year = FloorDiv(monthIndex, 12);
      const int month = static_cast<int>(monthIndex - year * 12) + 1;
      if (year < kMinYear || year > kMaxYear) return;
      const int day = std::min(parts.day, DaysInMonth(year, month));
      day_ = static_cast<std::int32_t>(DayNumberOf(year, month, day));
      return;
    }
    default:
      return;
  }
  const std::int64_t total = milliseconds_ + amount * unitMs;
  const std::int64_t carry = FloorDiv(total, kMsPerDay);
  if (!DayInRange(day_ + carry)) return;
  day_ = static_cast<std::int32_t>(day_ + carry);
  milliseconds_ = static_cast<std::int32_t>(total - carry * kMsPerDay);
}

DateTimeValue DateTimeValue::AddSeconds(int seconds) const {
  DateTimeValue moved = *this;
  moved.Add(seconds, 'S');
  return moved;
}

bool DateTimeValue::operator>(const DateTimeValue& other) const {
  return day_ != other.day_ ? day_ > other.day_ : milliseconds_ > other.milliseconds_;
}

bool DateTimeValue::operator>=(const DateTimeValue& other) const { return !(other > *this); }

}  // namespace mb
