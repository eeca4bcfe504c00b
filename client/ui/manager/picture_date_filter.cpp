#include "client/ui/manager/picture_date_filter.h"

#include <algorithm>

namespace mb::manager {

namespace {
constexpr std::int64_t kSecondsPerDay = 86400;
constexpr int kFilterDays[] = {1, 3, 7, 14, 30, 30};
}  // namespace

DateTimeValue LocalPictureTime(std::int64_t utcSeconds, int biasMinutes) {
  const std::int64_t local = utcSeconds - static_cast<std::int64_t>(biasMinutes) * 60;
  std::int64_t days = local / kSecondsPerDay;
  std::int64_t rest = local % kSecondsPerDay;
  if (rest < 0) {
    rest += kSecondsPerDay;
    --days;
  }
  DateTimeValue value = DateTimeValue::FromParts(1970, 1, 1, 0, 0, 0);
  value.Add(static_cast<int>(days), 'D');
  value.Add(static_cast<int>(rest), 'S');
  return value;
}

const std::vector<std::string>& DateFilterTexts() {
  static const std::vector<std::string> texts = {"近一天", "近三天", "近一周",
                                                 "近两周", "近一月", "一月以前"};
  return texts;
}

bool DateFilterForChoice(int index, DateFilter* filter) {
  if (index < 0 || index >= static_cast<int>(DateFilterTexts().size())) return false;
  filter->days = kFilterDays[index];
  filter->keepRecent = index != 5;
  return true;
}

bool PassesDateFilter(const DateFilter& filter, const DateTimeValue& pictureTime, const DateTimeValue& now) {
  const bool recent = pictureTime.AddSeconds(filter.days * static_cast<int>(kSecondsPerDay)) >= now;
  return recent == filter.keepRecent;
}

void SortNewestFirst(std::vector<CategoryPicture>& pictures) {
  std::stable_sort(pictures.begin(), pictures.end(),
                   [](const CategoryPicture& a, const CategoryPicture& b) { return a.written > b.written; });
}

std::vector<CategoryPicture> FilterPictures(const std::vector<CategoryPicture>& all,
                                            const DateFilter& filter, const DateTimeValue& now) {
  std::vector<CategoryPicture> kept;
  for (const CategoryPicture& picture : all) {
    if (PassesDateFilter(filter, picture.written, now)) kept.push_back(picture);
  }
  return kept;
}

}  // namespace mb::manager
