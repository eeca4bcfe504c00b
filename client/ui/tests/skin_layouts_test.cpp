#include "client/ui/skin/skin_layouts.h"

#include <gtest/gtest.h>

#include <set>

#include "client/ui/skin/skin_tab_bar.h"
#include "client/ui/tests/skin_fakes.h"

namespace mb::skin {
namespace {

using testing::FakeCanvas;
using testing::FakeOwner;

// The largest client area of any skinned window (the main window of layouts 2 and 3).
constexpr int kMaxWidth = 732;
constexpr int kMaxHeight = 460;

TEST(SkinLayouts, EveryTableHasUniqueIdsSaneRectanglesAndNamedImages) {
  for (SkinWindow window : AllSkinWindows()) {
    for (int layout = 1; layout <= 3; ++layout) {
      SCOPED_TRACE(std::string(SkinWindowName(window)) + ", layout " + std::to_string(layout));
      std::set<int> ids;
      for (const SkinElementSpec& spec : SkinLayoutElements(window, layout, {true, true})) {
        SCOPED_TRACE(spec.id);
        EXPECT_TRUE(ids.insert(spec.id).second) << "duplicate id";
        for (const SkinTabSpec& tab : spec.tabs) EXPECT_TRUE(ids.insert(tab.id).second) << "duplicate tab id";
        const Rect& r = spec.rect;
        EXPECT_GE(r.left, 0);
        EXPECT_GE(r.top, 0);
        EXPECT_LT(r.left, r.right);
        EXPECT_LT(r.top, r.bottom);
        EXPECT_LE(r.right, kMaxWidth);
        EXPECT_LE(r.bottom, kMaxHeight);
        switch (spec.kind) {
          case SkinElementKind::kButton:
          case SkinElementKind::kTabBar:
            for (const std::string& image : spec.images) EXPECT_FALSE(image.empty());
            break;
          case SkinElementKind::kPushButton:
            EXPECT_FALSE(spec.text.empty());
            break;
          case SkinElementKind::kText:
            break;
        }
        if (spec.kind == SkinElementKind::kTabBar) {
          EXPECT_GE(spec.id, 10000);
          EXPECT_LT(spec.id, 10006);
          EXPECT_FALSE(spec.tabs.empty());
        } else {
          EXPECT_GE(spec.id, 20000);
        }
      }
    }
  }
}

TEST(SkinLayouts, WindowsWithoutElementsInALayoutGetNone) {
  EXPECT_TRUE(SkinLayoutElements(SkinWindow::kWallpaperManagerPage, 2).empty());
  EXPECT_TRUE(SkinLayoutElements(SkinWindow::kThumbnailPreviewList, 1).empty());
  EXPECT_TRUE(SkinLayoutElements(SkinWindow::kSettingsDialog, 2).empty());
  EXPECT_TRUE(SkinLayoutElements(SkinWindow::kFloatWindow, 3).empty());
  EXPECT_TRUE(SkinLayoutElements(SkinWindow::kUploadPage, 1).empty());
  EXPECT_TRUE(SkinLayoutElements(SkinWindow::kMainWindow, 4).empty());
  EXPECT_EQ(SkinLayoutElements(SkinWindow::kLoginDialog, 3).size(), 1u) << "only the close button";
  EXPECT_EQ(SkinLayoutElements(SkinWindow::kUploadPage, 2).size(), 1u);
}

TEST(SkinLayouts, TrayMenuItemsFollowTheirColumnsStepsAndState) {
  auto find = [](const std::vector<SkinElementSpec>& specs, int id) {
    for (const SkinElementSpec& s : specs) {
      if (s.id == id) return s;
    }
    ADD_FAILURE() << "no element " << id;
    return SkinElementSpec{};
  };
  const auto one = SkinLayoutElements(SkinWindow::kTrayMenu, 1, {false, false});
  EXPECT_EQ(find(one, 20305).rect, (Rect{48, 216, 114, 236})) << "last of the first column";
  EXPECT_EQ(find(one, 20311).rect, (Rect{121, 96, 182, 116}));
  EXPECT_EQ(find(one, 20310).rect, (Rect{121, 216, 182, 236}));
  EXPECT_EQ(find(one, 20302).text, "开拖拽框");
  EXPECT_EQ(find(one, 20309).text, "登录");
  EXPECT_EQ(find(one, 20307).colour, 0x000000u);

  const auto two = SkinLayoutElements(SkinWindow::kTrayMenu, 2, {true, true});
  EXPECT_EQ(find(two, 20304).rect, (Rect{36, 106, 114, 130}));
  EXPECT_EQ(find(two, 20305).rect, (Rect{36, 136, 114, 160})) << "30 before 参数设置";
  EXPECT_EQ(find(two, 20307).rect, (Rect{36, 238, 114, 262})) << "30 before 帮助";
  EXPECT_EQ(find(two, 20310).rect, (Rect{36, 286, 114, 310}));
  EXPECT_EQ(find(two, 20302).text, "关拖拽框");
  EXPECT_EQ(find(two, 20309).text, "注  销");
  EXPECT_EQ(find(two, 20307).text, "帮  助");

  const auto three = SkinLayoutElements(SkinWindow::kTrayMenu, 3);
  EXPECT_EQ(find(three, 20305).rect, (Rect{47, 134, 115, 152}));
  EXPECT_EQ(find(three, 20311).rect, (Rect{47, 152, 115, 170}));
  EXPECT_EQ(find(three, 20310).rect, (Rect{47, 248, 115, 266}));
  EXPECT_EQ(find(three, 20300).colour, 0x2F2F2Fu);
  EXPECT_EQ(find(three, 20008).rect, (Rect{97, 157, 101, 164}));
}

TEST(SkinLayouts, ThumbnailPanelPushButtonsNeverShowTheirDownImage) {
  for (int layout : {1, 3}) {
    SCOPED_TRACE(layout);
    FakeOwner owner(layout);
    FakeCanvas canvas;
    for (const std::string& image : SkinPushButtonElement::BackgroundImages()) canvas.SetImage(image, 40, 18);
    SkinElementSet set;
    set.SetOwnerWindow(&owner);
    AddSkinLayoutElements(set, SkinWindow::kThumbnailPanel, layout);
    set.LayoutElements(0, 675, 140, &canvas);
    const Rect apply = set.GetElement(20108)->CurrentRect();
    EXPECT_EQ(set.OnLButtonDown(1, apply.left + 2, apply.top + 2), -1);
    set.Draw(&canvas);
    for (const std::string& name : canvas.ImageNames()) EXPECT_NE(name, "button_down");
    EXPECT_EQ(set.OnLButtonUp(0, apply.left + 2, apply.top + 2), 20108);
  }
}

TEST(SkinLayouts, BuiltElementsCarryTheirDescription) {
  FakeOwner owner;
  SkinElementSet set;
  set.SetOwnerWindow(&owner);
  AddSkinLayoutElements(set, SkinWindow::kSettingsDialog, 1);
  const SkinElement* wallpaper = set.GetElement(20200);
  ASSERT_NE(wallpaper, nullptr);
  EXPECT_FALSE(wallpaper->IsEnabled());
  EXPECT_EQ(wallpaper->Text(), "壁纸参数");
  EXPECT_EQ(static_cast<const SkinButtonElement*>(wallpaper)->Images()[3], "vertab_selected");

  AddSkinLayoutElements(set, SkinWindow::kThumbnailPreviewList, 3);
  set.LayoutElements(0, 540, 200, nullptr);
  EXPECT_EQ(set.GetElement(20011)->CurrentRect(), (Rect{10, 11, 400, 30}));
  EXPECT_FALSE(set.GetElementText(20011).empty()) << "a sample caption until the page sets one";
  const auto* caption = static_cast<const SkinTextElement*>(set.GetElement(20011));
  EXPECT_EQ(caption->GetColour(), 0xFFFFFFu);
}

}  // namespace
}  // namespace mb::skin
