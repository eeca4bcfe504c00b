// The flat menus' arithmetic: item data and sizes, mnemonics, colour tools, version codes and
// the counted hook.
#include <gtest/gtest.h>

#include "uibase/menu/menu_logic.h"

namespace mb::menu {
namespace {

TEST(MenuLogic, ItemDataPacksClampsAndMeasures) {
  const std::uint32_t data = PackItemData(22, 40, 300);
  EXPECT_EQ(data, 22u | (40u << 8) | (300u << 16));
  EXPECT_EQ(MeasureItem(data).width, 300 + 40 + 42);
  EXPECT_EQ(MeasureItem(data).height, 22);
  EXPECT_EQ(MeasureItem(PackItemData(0, 0, 57)).width, 61);  // a menu-bar item
  const std::uint32_t wide = PackItemData(300, 999, 70000);
  EXPECT_EQ(ItemDataHeight(wide), 255);
  EXPECT_EQ(ItemDataShortcut(wide), 255);
  EXPECT_EQ(ItemDataCaption(wide), 0xFFFF);
  EXPECT_EQ(PackItemData(-5, -1, -1), 0u);

  EXPECT_EQ(ItemHeight(13), 20);  // 13 + 2 does not exceed 16
  EXPECT_EQ(ItemHeight(15), 21);
  EXPECT_EQ(SeparatorHeight(13), 8);
  const auto popup = PopupItemData({{false, 50, 0}, {true, 0, 0}, {false, 80, 30}}, 20, 8);
  EXPECT_EQ(popup, (std::vector<std::uint32_t>{PackItemData(20, 30, 80), 8u, PackItemData(20, 30, 80)}));

  const CaptionParts parts = SplitCaption("&Open\tCtrl+O");
  EXPECT_EQ(parts.caption, "&Open");
  EXPECT_EQ(parts.shortcut, "Ctrl+O");
}

TEST(MenuLogic, MnemonicsMatchEitherCaseButNotAfterADoubledAmpersand) {
  const std::vector<std::string> captions = {"Save &&As", "E&xit", "&about", "\x81&&b", "&\xB0" "A"};
  constexpr unsigned kPopup = 0x10;
  EXPECT_EQ(FindMnemonic(captions, 'a', kPopup), 2);
  EXPECT_EQ(FindMnemonic(captions, 'A', 0), 2);
  EXPECT_EQ(FindMnemonic(captions, 'x', kPopup), 1);
  EXPECT_EQ(FindMnemonic(captions, 'b', kPopup), -1);  // "&&b": doubled
  EXPECT_EQ(FindMnemonic(captions, 'a', kPopup | 0x2000), -1);  // the system menu
  EXPECT_EQ(FindMnemonic(captions, 'a', 0x80), -1);
  EXPECT_EQ(MenuCharResult(2), (2u << 16) | 2u);
  EXPECT_EQ(MenuCharResult(-1), 0u);
  EXPECT_EQ(FindMnemonic({"&"}, '&', 0), -1);
}

TEST(MenuLogic, ColourToolsKeepGreysAndFollowThePercentRule) {
  for (int v : {0, 1, 127, 128, 200, 255}) {
    const Colour grey = static_cast<Colour>(v | (v << 8) | (v << 16));
    EXPECT_EQ(HlsToRgb(RgbToHls(grey)), grey) << v;
    EXPECT_EQ((RgbToHls(grey) >> 16) & 0xFF, 0u);
  }
  EXPECT_EQ(AdjustByte(100, 20), 131);
  EXPECT_EQ(AdjustByte(100, -18), 82);
  EXPECT_EQ(AdjustByte(100, 199), (100 + 155 * 199 / 100) & 0xFF);  // wraps past 255
  const Colour face = 0xC0C0C0;
  EXPECT_EQ(AdjustColour(face, 75, 0), 0xEFEFEFu);
  EXPECT_EQ(AdjustColour(face, -18, 0), 0x9D9D9Du);
  EXPECT_EQ(RgbToHls(0x0000FF) & 0xFF, 0u);  // red: hue 0
  EXPECT_EQ(RgbToHls(0xFF0000) & 0xFF, 170u);  // blue: 240 degrees
  EXPECT_EQ(ShadeColour(0x646464, 0), 0x5D5D5Du);  // 93 %
  EXPECT_EQ(ShadeColour(0x646464, 2), 0x535353u);  // 83 %
}

TEST(MenuLogic, VersionCodesAndTheCountedHook) {
  EXPECT_EQ(VersionCode(false, 2, 5, 1), 1);
  EXPECT_EQ(VersionCode(true, 0, 3, 10), 1);
  EXPECT_EQ(VersionCode(true, 1, 4, 0), 2);
  EXPECT_EQ(VersionCode(true, 1, 4, 10), 3);
  EXPECT_EQ(VersionCode(true, 1, 4, 90), 4);
  EXPECT_EQ(VersionCode(true, 2, 3, 51), 5);
  EXPECT_EQ(VersionCode(true, 2, 4, 0), 6);
  EXPECT_EQ(VersionCode(true, 2, 5, 0), 7);
  EXPECT_EQ(VersionCode(true, 2, 5, 1), 8);
  EXPECT_EQ(VersionCode(true, 2, 6, 1), 8);  // what Wine reports counts as XP or later

  CountedHook hook;
  int installs = 0, removes = 0;
  const auto install = [&] { ++installs; return true; };
  const auto remove = [&] { ++removes; return true; };
  EXPECT_FALSE(hook.Acquire([] { return false; }));
  EXPECT_EQ(hook.Count(), 0);
  hook.Acquire(install);
  hook.Acquire(install);
  hook.Release(remove);
  EXPECT_EQ(installs, 1);
  EXPECT_EQ(removes, 0);
  hook.Release(remove);
  hook.Release(remove);
  EXPECT_EQ(removes, 1);
  EXPECT_EQ(hook.Count(), 0);
}

}  // namespace
}  // namespace mb::menu
