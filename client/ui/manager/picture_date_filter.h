// The preview list's pictures of a category: newest first, and the date filter of the page's
// drop-down list (the last d days, or what is older). Times are seconds on the local clock.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mb::manager {

struct CategoryPicture {
  std::string path;
  std::int64_t localTime = 0;  // last write, local time in seconds
};

struct DateFilter {
  int days = 0;
  bool keepRecent = true;  // true: the last `days` days; false: older than that
};

// A file's universal time on the local clock; biasMinutes as Windows gives it (UTC = local +
// bias, so UTC+8 is -480).
std::int64_t ToLocalSeconds(std::int64_t utcSeconds, int biasMinutes);

// The six entries of the date filter list, in list order; nothing for an index outside it.
const std::vector<std::string>& DateFilterTexts();
bool DateFilterForChoice(int index, DateFilter* filter);

// True when the picture passes: (its time + days x 86400 is not before now) equals keepRecent.
bool PassesDateFilter(const DateFilter& filter, std::int64_t pictureTime, std::int64_t now);

// Newest first; equal times keep the folder's order.
void SortNewestFirst(std::vector<CategoryPicture>& pictures);

std::vector<CategoryPicture> FilterPictures(const std::vector<CategoryPicture>& all,
                                            const DateFilter& filter, std::int64_t now);

}  // namespace mb::manager
