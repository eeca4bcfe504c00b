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
