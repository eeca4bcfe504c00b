// Seconds since 1970-01-01 00:00 UTC from a calendar date and time, by the Julian day number.
#pragma once

#include <cstdint>

namespace mb {

// Julian day number of a Gregorian date (2440588 for 1970-01-01).
std::int64_t JulianDayNumber(int year, int month, int day);

// The parts are a UTC date and time; no range checks beyond what the arithmetic needs.
std::int64_t UnixTimeFromUtc(int year, int month, int day, int hour, int minute, int second);

}  // namespace mb
