// The notices waiting to be shown: the page addresses of the service's notice list, in order.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mb {

struct PopupItem {
  std::string pageUrl;
  int left = 0, top = 0, right = 400, bottom = 300;  // the popup's rectangle without a skin
  int displaySeconds = 10;
};

// The page addresses of a notice list: one a line, lines ending in LF. A line's trailing CR is
// dropped; blank lines and anything but http:// and https:// addresses are skipped.
std::vector<std::string> ParseNoticeList(std::string_view text);

class NoticeQueue {
 public:
  // Appends each address that is not waiting already; the number appended.
  std::size_t Append(const std::vector<std::string>& pageUrls);
  // Removes and returns the first notice; none when the queue is empty.
  std::optional<PopupItem> TakeFront();
  std::size_t Size() const { return items_.size(); }

 private:
  std::deque<PopupItem> items_;
};

}  // namespace mb
