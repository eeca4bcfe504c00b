// The carousel interval as the member types it (minutes and seconds): the one check shared by
// the wallpaper manager page and the carousel time dialog.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mb {

// The longest interval a millisecond window timer can carry, in seconds.
constexpr std::int64_t kLongestCarouselSeconds = 0x7FFFFFFF / 1000;

struct CarouselTimes {
  int minutes = 0;
  int seconds = 0;
};

// The two boxes' texts read as decimal numbers the way the member sees them: leading blanks and
// one sign are taken, reading stops at the first other character, empty text is 0, and a
// number past the int range stays at its end of the range (so the check below refuses it).
CarouselTimes ReadCarouselTimes(std::string_view minutes, std::string_view seconds);

std::int64_t CarouselPeriodSeconds(const CarouselTimes& times);

// The message refusing the times, or empty when they may be stored. checkSecondsRange: the
// page's limit of 0..60 seconds; carouselOn: a zero interval is refused only when the carousel
// is to run. Negative minutes and an interval past the timer's longest are always refused.
std::string CheckCarouselTimes(const CarouselTimes& times, bool checkSecondsRange, bool carouselOn);

}  // namespace mb
