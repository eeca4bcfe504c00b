// The preview list's pictures of a category: newest first, and the date filter of the page's
// drop-down list (the last d days, or what is older). Times are on the local clock.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "client/core/date_time_value.h"

namespace mb::manager {

struct CategoryPicture {
  std::string path;
  DateTimeValue written;  // last write, on the local clock
};

struct DateFilter {
  int days = 0;
  bool keepRecent = true;  // true: the last `days` days; false: older than that
};

// A file's universal time (seconds since 1970) on the local clock; biasMinutes as Windows gives
// it (UTC = local + bias, so UTC+8 is -480).
DateTimeValue LocalPictureTime(std::int64_t utcSeconds, int biasMinutes);

// The six entries of the date filter list, in list order; nothing for an index outside it.
const std::vector<std::string>& DateFilterTexts();
bool DateFilterForChoice(int index, DateFilter* filter);

// True when the picture passes: (its time + days x 86400 seconds is not before now) equals
// keepRecent.
bool PassesDateFilter(const DateFilter& filter, const DateTimeValue& pictureTime, const DateTimeValue& now);

// Newest first (DateTimeValue::operator>); equal times keep the folder's order.
void SortNewestFirst(std::vector<CategoryPicture>& pictures);

std::vector<CategoryPicture> FilterPictures(const std::vector<CategoryPicture>& all,
                                            const DateFilter& filter, const DateTimeValue& now);

}  // namespace mb::manager
