#include "uibase/menu/menu_logic.h"

#include <algorithm>
#include <cmath>

#include "common/gbk_text.h"

namespace mb::menu {

std::uint32_t PackItemData(int height, int shortcutWidth, int captionWidth) {
  const auto clamp = [](int v, int max) { return static_cast<std::uint32_t>(std::clamp(v, 0, max)); };
  return clamp(height, 0xFF) | (clamp(shortcutWidth, 0xFF) << 8) | (clamp(captionWidth, 0xFFFF) << 16);
}

int ItemDataHeight(std::uint32_t data) { return static_cast<int>(data & 0xFF); }
int ItemDataShortcut(std::uint32_t data) { return static_cast<int>((data >> 8) & 0xFF); }
int ItemDataCaption(std::uint32_t data) { return static_cast<int>(data >> 16); }

ItemSize MeasureItem(std::uint32_t data) {
  const int height = ItemDataHeight(data);
  if (height == 0) return {ItemDataCaption(data) + 4, 0};
  return {ItemDataCaption(data) + ItemDataShortcut(data) + 42, height};
}

int ItemHeight(int textHeight) { return textHeight + 2 > 16 ? textHeight + 6 : 20; }
int SeparatorHeight(int textHeight) { return textHeight / 2 + 2; }

std::vector<std::uint32_t> PopupItemData(const std::vector<PopupItem>& items, int itemHeight, int separatorHeight) {
  int caption = 0, shortcut = 0;
  for (const PopupItem& item : items) {
    if (item.separator) continue;
    caption = std::max(caption, item.captionWidth);
    shortcut = std::max(shortcut, item.shortcutWidth);
  }
  std::vector<std::uint32_t> data;
  data.reserve(items.size());
  for (const PopupItem& item : items) {
    data.push_back(item.separator ? PackItemData(separatorHeight, 0, 0) : PackItemData(itemHeight, shortcut, caption));
  }
  return data;
}

CaptionParts SplitCaption(std::string_view text) {
  const std::size_t tab = mb::GbkFind(text, '\t');
  if (tab == std::string_view::npos) return {std::string(text), {}};
  return {std::string(text.substr(0, tab)), std::string(text.substr(tab + 1))};
}

int FindMnemonic(const std::vector<std::string>& captions, unsigned char character, unsigned flags) {
  constexpr unsigned kPopup = 0x0010, kSystemMenu = 0x2000;
  const bool popup = (flags & kPopup) != 0 && (flags & kSystemMenu) == 0;
  if (!popup && flags != 0) return -1;
  const char wanted = static_cast<char>(character >= 'a' && character <= 'z' ? character - 32 : character);
  for (std::size_t index = 0; index < captions.size(); ++index) {
    const std::string upper = mb::GbkToUpperAscii(captions[index]);
    // Character starts, so that a trail byte is never taken for "&" or the letter.
    std::vector<std::size_t> starts;
    for (std::size_t pos = 0; pos < upper.size(); pos += mb::GbkCharLength(upper, pos)) starts.push_back(pos);
    for (std::size_t k = starts.size() >= 2 ? starts.size() - 1 : 0; k-- > 0;) {
      const std::size_t at = starts[k];
      if (upper[at] != '&' || upper[starts[k + 1]] != wanted) continue;
      if (mb::GbkCharLength(upper, starts[k + 1]) != 1) continue;
      if (k > 0 && upper[starts[k - 1]] == '&') continue;
      return static_cast<int>(index);
    }
  }
  return -1;
}

std::uint32_t MenuCharResult(int index) {
  constexpr std::uint32_t kExecute = 2;
  return index < 0 ? 0 : (kExecute << 16) | static_cast<std::uint32_t>(index & 0xFFFF);
}

std::uint32_t RgbToHls(Colour colour) {
  const double r = (colour & 0xFF) / 255.0, g = ((colour >> 8) & 0xFF) / 255.0, b = ((colour >> 16) & 0xFF) / 255.0;
  const double max = std::max({r, g, b}), min = std::min({r, g, b});
  const double l = (max + min) / 2;
  double h = 0, s = 0;
  if (max != min) {
    const double d = max - min;
    s = l < 0.5 ? d / (max + min) : d / (2 - max - min);
    if (max == r) h = (g - b) / d + (g < b ? 6 : 0);
    else if (max == g) h = (b - r) / d + 2;
    else h = (r - g) / d + 4;
    h *= 60;
  }
  const auto byte = [](double v) { return static_cast<std::uint32_t>(std::clamp(std::lround(v), 0L, 255L)); };
  return byte(h * 255 / 360) | (byte(l * 255) << 8) | (byte(s * 255) << 16);
}

namespace {
double HueChannel(double p, double q, double t) {
  if (t < 0) t += 1;
  if (t > 1) t -= 1;
  if (t < 1.0 / 6) return p + (q - p) * 6 * t;
  if (t < 0.5) return q;
  if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
  return p;
}
}  // namespace

Colour HlsToRgb(std::uint32_t hls) {
  const double h = (hls & 0xFF) / 255.0, l = ((hls >> 8) & 0xFF) / 255.0, s = ((hls >> 16) & 0xFF) / 255.0;
  double r = l, g = l, b = l;
  if (s != 0) {
    const double q = l < 0.5 ? l * (1 + s) : l + s - l * s;
    const double p = 2 * l - q;
    r = HueChannel(p, q, h + 1.0 / 3);
    g = HueChannel(p, q, h);
    b = HueChannel(p, q, h - 1.0 / 3);
  }
  const auto byte = [](double v) { return static_cast<Colour>(std::clamp(std::lround(v * 255), 0L, 255L)); };
  return byte(r) | (byte(g) << 8) | (byte(b) << 16);
}

int AdjustByte(int value, int percent) {
  int result = value;
  if (percent > 0) result = value + (255 - value) * percent / 100;
  else if (percent < 0) result = value * (100 + percent) / 100;
  return result & 0xFF;
}

Colour AdjustColour(Colour colour, int lightnessPercent, int saturationPercent) {
  std::uint32_t hls = RgbToHls(colour);
  const int l = AdjustByte(static_cast<int>((hls >> 8) & 0xFF), lightnessPercent);
  hls = (hls & 0xFF00FF) | (static_cast<std::uint32_t>(l) << 8);
  const int s = AdjustByte(static_cast<int>((hls >> 16) & 0xFF), saturationPercent);
  hls = (hls & 0x00FFFF) | (static_cast<std::uint32_t>(s) << 16);
  return HlsToRgb(hls);
}

Colour ShadeColour(Colour colour, int depth) {
  const int percent = 93 - 5 * depth;
  const auto channel = [&](int shift) { return static_cast<Colour>(((colour >> shift) & 0xFF) * percent / 100) << shift; };
  return channel(0) | channel(8) | channel(16);
}

int VersionCode(bool ok, unsigned platformId, unsigned major, unsigned minor) {
  constexpr unsigned kWindows9x = 1, kNt = 2;
  if (!ok) return 1;
  if (platformId == kWindows9x) return minor == 10 ? 3 : minor == 90 ? 4 : 2;
  if (platformId != kNt) return 1;
  if (major > 5 || (major == 5 && minor >= 1)) return kVersionXp;
  if (major == 5) return 7;
  if (major == 4) return 6;
  return 5;
}

bool CountedHook::Acquire(const Action& install) {
  if (count_ == 0 && !install()) return false;
  ++count_;
  return true;
}

void CountedHook::Release(const Action& remove) {
  if (count_ == 0) return;
  if (count_ == 1) remove();
  --count_;
}

}  // namespace mb::menu
