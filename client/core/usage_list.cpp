#include "client/core/usage_list.h"

#include <limits>

namespace mb {
namespace {

// Display time saturates instead of wrapping after some 68 years on the desktop.
std::int32_t SaturatingAdd(std::int32_t a, std::int32_t b) {
  const std::int64_t sum = static_cast<std::int64_t>(a) + b;
  if (sum > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (sum < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(sum);
}

}  // namespace

void UsageList::AddDisplayTime(const std::string& text, std::int32_t seconds, std::int64_t clock) {
  std::lock_guard<std::mutex> lock(mutex_);
  bool matched = false;
  for (UsageItem& item : items_) {
    if (item.text != text) continue;
    item.seconds = SaturatingAdd(item.seconds, seconds);
    matched = true;
  }
  if (!matched) items_.push_back({text, seconds, clock});
}

std::vector<UsageItem> UsageList::TakeFront(std::size_t maxCount, std::int32_t minSeconds) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::size_t taken = 0;
  while (taken < maxCount && taken < items_.size() && items_[taken].seconds >= minSeconds) ++taken;
  std::vector<UsageItem> front(items_.begin(), items_.begin() + static_cast<std::ptrdiff_t>(taken));
  items_.erase(items_.begin(), items_.begin() + static_cast<std::ptrdiff_t>(taken));
  return front;
}

std::vector<UsageItem> UsageList::Items() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return items_;
}

}  // namespace mb
