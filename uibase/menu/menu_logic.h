// The arithmetic of the flat owner-drawn menus, free of windows.h: the packed item data, item
// sizes, mnemonic search, the hue-lightness-saturation colour tools, the shadow's shading, the
// Windows version code and the use count of the menu hook.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace mb::menu {

using Colour = std::uint32_t;  // 0x00BBGGRR

// Item data of an owner-drawn item: bits 0-7 the height, 8-15 the widest shortcut text of its
// popup, 16-31 the widest caption. Each field is clamped to its bits.
std::uint32_t PackItemData(int height, int shortcutWidth, int captionWidth);
int ItemDataHeight(std::uint32_t data);
int ItemDataShortcut(std::uint32_t data);
int ItemDataCaption(std::uint32_t data);

struct ItemSize {
  int width = 0;
  int height = 0;
};

// Measuring: a popup item is caption + shortcut + 42 wide; a menu-bar item (height 0) its
// caption + 4.
ItemSize MeasureItem(std::uint32_t data);

// Heights from the menu font's text height.
int ItemHeight(int textHeight);
int SeparatorHeight(int textHeight);

// One item of a popup as the preparation sees it.
struct PopupItem {
  bool separator = false;
  int captionWidth = 0;
  int shortcutWidth = 0;
};

// Every item's data once the whole popup is seen: separators their height, the others the
// widest caption, the widest shortcut and the item height.
std::vector<std::uint32_t> PopupItemData(const std::vector<PopupItem>& items, int itemHeight, int separatorHeight);

// An item's text cut at its tab: the caption and the shortcut text (empty when no tab).
struct CaptionParts {
  std::string caption;
  std::string shortcut;
};
CaptionParts SplitCaption(std::string_view text);

// WM_MENUCHAR: the index of the first item whose caption has "&" + the character (either case)
// not preceded by another "&", or -1. Only popups (MF_POPUP without MF_SYSMENU) and flags 0
// are searched.
int FindMnemonic(const std::vector<std::string>& captions, unsigned char character, unsigned flags);
// The WM_MENUCHAR result for that index: MNC_EXECUTE and the index, or 0.
std::uint32_t MenuCharResult(int index);

// Colour tools: hue (degrees x 255 / 360), lightness and saturation packed from the low byte up.
std::uint32_t RgbToHls(Colour colour);
Colour HlsToRgb(std::uint32_t hls);
// A byte changed by p percent: up toward 255 for p > 0, down toward 0 for p < 0, low 8 bits kept.
int AdjustByte(int value, int percent);
// The colour with its lightness and then its saturation changed by those percents.
Colour AdjustColour(Colour colour, int lightnessPercent, int saturationPercent);

// The shadow's shading of a pixel: each channel times (93 - 5 x depth) percent.
Colour ShadeColour(Colour colour, int depth);

// Windows version codes: 1 Win32s or failure, 2 Windows 95, 3 98, 4 Me, 5 other NT, 6 NT 4,
// 7 Windows 2000, 8 XP or later (every NT from 5.1 on).
int VersionCode(bool ok, unsigned platformId, unsigned major, unsigned minor);
constexpr int kVersionXp = 8;

// The menu hook's use count: the first acquire installs, the matching last release removes.
class CountedHook {
 public:
  using Action = std::function<bool()>;
  // Installs through install when the count is 0; false (count unchanged) when that fails.
  bool Acquire(const Action& install);
  // Removes through remove when the count falls from 1 to 0.
  void Release(const Action& remove);
  int Count() const { return count_; }

 private:
  int count_ = 0;
};

}  // namespace mb::menu
