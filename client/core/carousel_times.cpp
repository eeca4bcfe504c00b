#include "client/core/carousel_times.h"

#include <climits>

namespace mb {

namespace {

int ReadBoxNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > INT_MAX) return negative ? INT_MIN : INT_MAX;
  }
  return static_cast<int>(negative ? -value : value);
}

}  // namespace

CarouselTimes ReadCarouselTimes(std::string_view minutes, std::string_view seconds) {
  return {ReadBoxNumber(minutes), ReadBoxNumber(seconds)};
}

std::int64_t CarouselPeriodSeconds(const CarouselTimes& times) {
  return static_cast<std::int64_t>(times.minutes) * 60 + times.seconds;
}

std::string CheckCarouselTimes(const CarouselTimes& times, bool checkSecondsRange, bool carouselOn) {
  if (checkSecondsRange && (times.seconds < 0 || times.seconds > 60)) {
    return "秒数设置最小为0，最大为60，请重新设置!";
  }
  if (times.minutes < 0 || times.seconds < 0) return "时间设置必须大于0";
  const std::int64_t period = CarouselPeriodSeconds(times);
  if (period == 0 && carouselOn) return "时间设置必须大于0";
  if (period > kLongestCarouselSeconds) return "时间设置过长，请重新设置!";
  return "";
}

}  // namespace mb
