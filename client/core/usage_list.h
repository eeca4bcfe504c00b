// UsageList: how long each picture and each advert has been on the desktop. The wallpaper player
// adds display time; the usage report takes finished items from the front. Both run on their own
// threads, so every access takes the list's lock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace mb {

struct UsageItem {
  std::string text;           // file-name part of a picture or an advert picture
  std::int32_t seconds = 0;   // accumulated display time
  std::int64_t clock = 0;     // clock value when the item was added
};

class UsageList {
 public:
  // Adds seconds to every item named text; appends {text, seconds, clock} when none is.
  void AddDisplayTime(const std::string& text, std::int32_t seconds, std::int64_t clock);
  // Removes and returns up to maxCount items from the front, stopping at the first item whose
  // seconds are below minSeconds (it and every item after it stay).
  std::vector<UsageItem> TakeFront(std::size_t maxCount, std::int32_t minSeconds);
  std::vector<UsageItem> Items() const;

 private:
  mutable std::mutex mutex_;
  std::vector<UsageItem> items_;
};

}  // namespace mb
