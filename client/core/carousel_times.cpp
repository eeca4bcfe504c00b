#include "client/core/carousel_times.h"

namespace mb {

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
