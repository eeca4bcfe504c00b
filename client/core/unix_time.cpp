#include "client/core/unix_time.h"

namespace mb {
namespace {

constexpr std::int64_t kUnixEpochDay = 2440588;
constexpr std::int64_t kSecondsPerDay = 86400;

// Division rounding towards minus infinity, so that years before the era stay correct.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

}  // namespace

std::int64_t JulianDayNumber(int year, int month, int day) {
  // March-based year: January and February count as months 13 and 14 of the year before.
  const std::int64_t a = FloorDiv(14 - month, 12);
  const std::int64_t y = static_cast<std::int64_t>(year) + 4800 - a;
  const std::int64_t m = month + 12 * a - 3;
  return day + FloorDiv(153 * m + 2, 5) + 365 * y + FloorDiv(y, 4) - FloorDiv(y, 100) + FloorDiv(y, 400) - 32045;
}

std::int64_t UnixTimeFromUtc(int year, int month, int day, int hour, int minute, int second) {
  return (JulianDayNumber(year, month, day) - kUnixEpochDay) * kSecondsPerDay + hour * 3600LL +
         minute * 60LL + second;
}

}  // namespace mb
