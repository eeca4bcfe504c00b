// Parts from anywhere give either the empty value or one that splits back into the same parts, and
// shifting a value by any amount in any unit keeps it inside the calendar.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "client/core/date_time_value.h"

namespace {
bool Valid(const mb::DateTimeParts& p) {
  return p.year >= 100 && p.year <= 9999 && p.month >= 1 && p.month <= 12 && p.day >= 1 && p.day <= 31 &&
         p.hour >= 0 && p.hour <= 23 && p.minute >= 0 && p.minute <= 59 && p.second >= 0 && p.second <= 59 &&
         p.weekday >= 0 && p.weekday <= 6;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::int32_t parts[6];
  if (size < sizeof parts) return 0;
  std::memcpy(parts, data, sizeof parts);
  data += sizeof parts;
  size -= sizeof parts;

  mb::DateTimeValue value =
      mb::DateTimeValue::FromParts(parts[0], parts[1], parts[2], parts[3], parts[4], parts[5]);
  if (value.DayNumber() == 0) return 0;
  const mb::DateTimeParts split = value.Split();
  if (split.year != parts[0] || split.month != parts[1] || split.day != parts[2] || split.hour != parts[3] ||
      split.minute != parts[4] || split.second != parts[5]) {
    std::abort();
  }
  // Then shifts: each a unit letter and a 32-bit amount.
  while (size >= 5) {
    std::int32_t amount;
    std::memcpy(&amount, data + 1, sizeof amount);
    value.Add(amount, static_cast<char>(data[0]));
    data += 5;
    size -= 5;
    const mb::DateTimeParts p = value.Split();
    if (!Valid(p)) std::abort();
    const auto rebuilt = mb::DateTimeValue::FromParts(p.year, p.month, p.day, p.hour, p.minute, p.second);
    if (rebuilt.DayNumber() != value.DayNumber() || rebuilt.Milliseconds() != value.Milliseconds()) {
      std::abort();
    }
  }
  return 0;
}
