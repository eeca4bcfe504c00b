#include "client/ui/manager/preview_paging.h"

#include <cctype>
#include <climits>

namespace mb::manager {

int PicturesPerPage(int layout) { return layout == 1 ? 20 : 4; }

int PageCount(int pictureCount, int perPage) {
  if (pictureCount <= 0 || perPage <= 0) return 0;
  return pictureCount / perPage + (pictureCount % perPage != 0 ? 1 : 0);
}

void PreviewPaging::Reset(int pictureCount, int perPage) {
  perPage_ = perPage > 0 ? perPage : 1;
  count_ = PageCount(pictureCount, perPage_);
  current_ = 0;
}

bool PreviewPaging::GoTo(int page) {
  if (page < 0 || page >= count_) return false;
  current_ = page;
  return true;
}

std::vector<std::string> PageChooserEntries(int pageCount) {
  std::vector<std::string> entries;
  const int shown = pageCount > 0 ? pageCount : 1;
  for (int page = 1; page <= shown; ++page) entries.push_back("第" + std::to_string(page) + "页");
  return entries;
}

std::string PagePositionText(int currentPage, int pageCount) {
  if (pageCount <= 0) return "0/0 页";
  return std::to_string(currentPage + 1) + "/" + std::to_string(pageCount) + " 页";
}

std::string PictureCountText(int pictureCount) { return "共" + std::to_string(pictureCount) + "张"; }

std::string CategoryLabel(std::string_view name, int pictureCount) {
  return std::string(name) + " (" + std::to_string(pictureCount) + "张)";
}

std::string PreviewCaption(std::string_view user, std::string_view category, int pictureCount) {
  return std::string(user) + "的" + std::string(category) + "类壁纸，共" +
         std::to_string(pictureCount) + "张";
}

std::optional<int> ParseGoPage(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
  long long value = 0;
  while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
    value = value * 10 + (text[at] - '0');
    if (value > INT_MAX) value = INT_MAX;  // past every page either way
    ++at;
  }
  if (value == 0 && text != "0") return std::nullopt;
  return static_cast<int>(value);
}

ChooserStep StepChooser(int selection, int entryCount, int step) {
  if (step < 0 && selection <= 0) return {selection, "已经是开始页了!"};
  if (step > 0 && selection + 1 >= entryCount) return {selection, "已经是最尾页了!"};
  return {selection + step, ""};
}

}  // namespace mb::manager
