// A compact calendar date and time: a day number and the milliseconds since midnight. File times
// are compared and shifted with it.
#pragma once

#include <cstdint>

namespace mb {

struct DateTimeParts {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int weekday = 0;  // 0 to 6, Sunday first
};

class DateTimeValue {
 public:
  // The empty value: both words 0.
  DateTimeValue() = default;

  // Invalid parts (year outside 100-9999, a day past the month's end, ...) give the empty value.
  static DateTimeValue FromParts(int year, int month, int day, int hour, int minute, int second);
  // The local time, to the second.
  static DateTimeValue Now();

  // unit: 'D' days, 'H' hours, 'N' minutes, 'S' seconds, 'M' months, 'Y' years, in either case;
  // any other letter changes nothing. Months and years keep the day within the new month. A result
  // outside the years 100-9999 leaves the value unchanged.
  void Add(int amount, char unit);
  DateTimeValue AddSeconds(int seconds) const;

  DateTimeParts Split() const;

  std::int32_t DayNumber() const { return day_; }
  std::int32_t Milliseconds() const { return milliseconds_; }

  bool operator>(const DateTimeValue& other) const;
  bool operator>=(const DateTimeValue& other) const;

 private:
  DateTimeValue(std::int32_t day, std::int32_t milliseconds) : day_(day), milliseconds_(milliseconds) {}

  std::int32_t day_ = 0;
  std::int32_t milliseconds_ = 0;
};

}  // namespace mb
