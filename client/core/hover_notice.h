// The contract with the hover program, which shows a link region over the desktop while an
// advert is on the wallpaper: how its window is found and what the client tells it.
#pragma once

#include <string>
#include <string_view>

namespace mb {

// The hover program's window: a dialog-class window with this title.
constexpr char kHoverWindowClass[] = "#32770";
constexpr char kHoverWindowTitle[] = "Muralbox Mouse Hook";
// The program, under the Common Files folder.
constexpr char kHoverProgramUnderCommonFiles[] = "\\muralbox\\hoverpin.exe";
// A notice is WM_COPYDATA with this dwData, its text with the terminating zero, sent with this
// time-out so that a hung hover program never holds the client.
constexpr unsigned long kHoverNoticeDataId = 1;
constexpr unsigned kHoverNoticeTimeoutMs = 2000;

// A screen rectangle, already in screen coordinates.
struct HoverRegion {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// "left,top,right,bottom,link text"; the empty text, which clears the region, when the link text
// is empty.
std::string FormatHoverNotice(std::string_view linkText, const HoverRegion& region);

}  // namespace mb
