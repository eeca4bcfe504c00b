#include "client/ui/manager/picture_date_filter.h"

#include <algorithm>

namespace mb::manager {

namespace {
constexpr std::int64_t kSecondsPerDay = 86400;
constexpr int kFilterDays[] = {1, 3, 7, 14, 30, 30};
}  // namespace

std::int64_t ToLocalSeconds(std::int64_t utcSeconds, int biasMinutes) {
  return utcSeconds - static_cast<std::int64_t>(biasMinutes) * 60;
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

bool PassesDateFilter(const DateFilter& filter, std::int64_t pictureTime, std::int64_t now) {
  const bool recent = pictureTime + filter.days * kSecondsPerDay >= now;
  return recent == filter.keepRecent;
}

void SortNewestFirst(std::vector<CategoryPicture>& pictures) {
  std::stable_sort(pictures.begin(), pictures.end(),
                   [](const CategoryPicture& a, const CategoryPicture& b) { return a.localTime > b.localTime; });
}

std::vector<CategoryPicture> FilterPictures(const std::vector<CategoryPicture>& all,
                                            const DateFilter& filter, std::int64_t now) {
  std::vector<CategoryPicture> kept;
  for (const CategoryPicture& picture : all) {
    if (PassesDateFilter(filter, picture.localTime, now)) kept.push_back(picture);
  }
  return kept;
}

}  // namespace mb::manager
