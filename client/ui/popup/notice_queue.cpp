#include "client/ui/popup/notice_queue.h"

#include <algorithm>

namespace mb {
namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

bool IsWebAddress(std::string_view line) {
  for (std::string_view scheme : {std::string_view("http://"), std::string_view("https://")}) {
    if (StartsWithNoCase(line, scheme) && line.size() > scheme.size()) return true;
  }
  return false;
}

}  // namespace

std::vector<std::string> ParseNoticeList(std::string_view text) {
  std::vector<std::string> addresses;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (IsWebAddress(line)) addresses.emplace_back(line);
    pos = end + 1;
  }
  return addresses;
}

std::size_t NoticeQueue::Append(const std::vector<std::string>& pageUrls) {
  std::size_t appended = 0;
  for (const std::string& url : pageUrls) {
    const bool waiting =
        std::any_of(items_.begin(), items_.end(), [&url](const PopupItem& item) { return item.pageUrl == url; });
    if (waiting) continue;
    PopupItem item;
    item.pageUrl = url;
    items_.push_back(std::move(item));
    ++appended;
  }
  return appended;
}

std::optional<PopupItem> NoticeQueue::TakeFront() {
  if (items_.empty()) return std::nullopt;
  PopupItem item = std::move(items_.front());
  items_.pop_front();
  return item;
}

}  // namespace mb
