// Paging of the wallpaper manager page's preview list: how many pages a category's pictures
// fill, the page chooser's entries, the page texts and the "GO" box's number.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mb::manager {

// 20 pictures a page in skin layout 1, 4 in the others.
int PicturesPerPage(int layout);
// Full pages plus one for a remainder: 0 pictures fill 0 pages.
int PageCount(int pictureCount, int perPage);

// The list's current page (from 0) and its page count; a page outside 0..count-1 is refused.
class PreviewPaging {
 public:
  void Reset(int pictureCount, int perPage);
  bool GoTo(int page);
  bool First() { return GoTo(0); }
  bool Previous() { return GoTo(current_ - 1); }
  bool Next() { return GoTo(current_ + 1); }
  bool Last() { return GoTo(count_ - 1); }
  int Current() const { return current_; }
  int Count() const { return count_; }
  // The first picture index of the current page.
  int FirstPicture() const { return current_ * perPage_; }
  int PerPage() const { return perPage_; }

 private:
  int current_ = 0;
  int count_ = 0;
  int perPage_ = 1;
};

// "第1页" .. "第n页"; "第1页" alone when there are no pages.
std::vector<std::string> PageChooserEntries(int pageCount);
// "%d/%d 页" with the page counted from 1, or "0/0 页" without pages.
std::string PagePositionText(int currentPage, int pageCount);
// "共%d张".
std::string PictureCountText(int pictureCount);
// The tree label of a category: "%s (%d张)".
std::string CategoryLabel(std::string_view name, int pictureCount);
// The preview list's caption: user, "的", category, "类壁纸，共", count, "张".
std::string PreviewCaption(std::string_view user, std::string_view category, int pictureCount);

// The page index typed into the "GO" box: its leading decimal value; nothing when that value is
// 0 and the text is not exactly "0" (the page then asks for a number).
std::optional<int> ParseGoPage(std::string_view text);

// The page chooser's step for the preview list's own arrows: the entry to select, or the notice
// to show when the selection is already at that end.
struct ChooserStep {
  int selection = 0;
  std::string notice;  // empty when the step moved
};
ChooserStep StepChooser(int selection, int entryCount, int step);

}  // namespace mb::manager
