#include "client/ui/skin/skin_tab_bar.h"

#include <gtest/gtest.h>

#include "client/ui/skin/skin_element_set.h"
#include "client/ui/skin/skin_layouts.h"
#include "client/ui/tests/skin_fakes.h"

namespace mb::skin {
namespace {

using testing::FakeCanvas;
using testing::FakeOwner;

// The main window of layout 1: six tabs 66 wide, normal 28 high, selected 30 high.
class LayoutOneTabs : public ::testing::Test {
 protected:
  void SetUp() override {
    canvas.SetImage("tab_normal", 66, 28);
    canvas.SetImage("tab_mousemove", 66, 28);
    canvas.SetImage("selecttab_normal", 66, 30);
    canvas.SetImage("selecttab_mousemove", 66, 30);
    set.SetOwnerWindow(&owner);
    AddSkinLayoutElements(set, SkinWindow::kMainWindow, 1);
    set.LayoutElements(0, 540, 460, &canvas);
    bar = static_cast<SkinTabBar*>(set.GetElement(10000));
    owner.invalidated.clear();
  }

  FakeOwner owner{1};
  FakeCanvas canvas;
  SkinElementSet set;
  SkinTabBar* bar = nullptr;
};

TEST_F(LayoutOneTabs, TabsAreLaidOutLeftToRightFromTheStripsLeft) {
  ASSERT_EQ(bar->Tabs().size(), 6u);
  EXPECT_EQ(bar->Tabs()[0].normal, (Rect{65, 107, 131, 135}));
  EXPECT_EQ(bar->Tabs()[1].normal, (Rect{132, 107, 198, 135}));
  // The selected tab is hit by its taller rectangle, the others by their normal one.
  EXPECT_EQ(bar->TabFromPoint(70, 105), 0);
  EXPECT_EQ(bar->TabFromPoint(140, 105), -1);
  EXPECT_EQ(bar->TabFromPoint(131, 120), -1) << "the gap between tabs";
  EXPECT_EQ(bar->TabFromPoint(132, 120), 1);
}

TEST_F(LayoutOneTabs, ClickAsksTheOwnerAndOnlyZeroSelects) {
  owner.answer = 1;  // e.g. a page that needs a login
  set.OnLButtonDown(1, 140, 120);
  EXPECT_EQ(owner.sent, std::vector<int>{20001});
  EXPECT_EQ(bar->SelectedIndex(), 0);
  owner.answer = 0;
  set.OnLButtonDown(1, 140, 120);
  EXPECT_EQ(bar->SelectedIndex(), 1);
  EXPECT_EQ(bar->HotIndex(), -1) << "layout 1 does not mark the clicked tab hot";
  // The release also posts the bar's own id, which owners ignore.
  set.OnLButtonUp(0, 140, 120);
  EXPECT_EQ(owner.posted, std::vector<int>{10000});
  EXPECT_EQ(bar->HotIndex(), 1);
}

TEST_F(LayoutOneTabs, ReleaseOfARefusedClickLeavesTheTabsAsTheyWere) {
  owner.answer = 1;
  set.OnLButtonDown(1, 140, 120);
  set.OnLButtonUp(0, 140, 120);
  EXPECT_EQ(bar->SelectedIndex(), 0);
  EXPECT_EQ(bar->HotIndex(), -1) << "the refused tab is not drawn as hot by its release";
  EXPECT_EQ(owner.posted, std::vector<int>{10000});
  // The next click is an ordinary one again.
  owner.answer = 0;
  set.OnLButtonDown(1, 140, 120);
  set.OnLButtonUp(0, 140, 120);
  EXPECT_EQ(bar->SelectedIndex(), 1);
  EXPECT_EQ(bar->HotIndex(), 1);
}

TEST_F(LayoutOneTabs, ReleaseHandledWhileTheOwnerAnswersIsNotHeldBack) {
  // The owner answers behind a modal loop, in which the release arrives.
  owner.answer = 1;
  owner.onSend = [this](int) { set.OnLButtonUp(0, 140, 120); };
  set.OnLButtonDown(1, 140, 120);
  owner.onSend = nullptr;
  EXPECT_EQ(bar->HotIndex(), -1) << "the refused tab gets back the look it had";
  // That release was the click's own: the next one reaches the tabs.
  set.OnLButtonUp(0, 140, 120);
  EXPECT_EQ(bar->HotIndex(), 1);
}

TEST_F(LayoutOneTabs, MouseMoveTracksTheHotTabAndRepaintsOldAndNew) {
  set.OnMouseMove(0, 140, 120);
  EXPECT_EQ(bar->HotIndex(), 1);
  owner.invalidated.clear();
  set.OnMouseMove(0, 70, 120);
  EXPECT_EQ(bar->HotIndex(), 0);
  // Old hot tab 1 by its normal rectangle, new hot tab 0 (selected) by its selected one.
  ASSERT_GE(owner.invalidated.size(), 2u);
  EXPECT_EQ(owner.invalidated[0], "(132,107,198,135)");
  EXPECT_EQ(owner.invalidated[1], "(65,105,131,135)");
}

TEST_F(LayoutOneTabs, DrawPaintsTheSelectedTabLastInBold) {
  set.OnMouseMove(0, 140, 120);
  set.Draw(&canvas);
  ASSERT_EQ(canvas.texts.size(), 6u);
  EXPECT_EQ(canvas.texts.back().text, "壁纸设置");
  EXPECT_EQ(canvas.texts.back().font, SkinFont::kGuiBold);
  EXPECT_EQ(canvas.texts[0].text, "壁纸下载");
  EXPECT_EQ(canvas.texts[0].font, SkinFont::kGui);
  const std::vector<std::string> names = canvas.ImageNames();
  EXPECT_EQ(names[0], "tab_mousemove");
  EXPECT_EQ(names[1], "tab_normal");
  EXPECT_EQ(names[5], "selecttab_normal");
}

TEST_F(LayoutOneTabs, SelectTabSelectsWithoutAskingAndPostsTheCommand) {
  bar->SelectTab(20004);
  EXPECT_TRUE(owner.sent.empty());
  EXPECT_EQ(bar->SelectedIndex(), 4);
  EXPECT_EQ(owner.posted, std::vector<int>{20004});
  EXPECT_EQ(bar->HotIndex(), -1);
  // Selecting the selected tab again marks it hot.
  bar->SelectTab(20004);
  EXPECT_EQ(bar->HotIndex(), 4);
  bar->SelectTab(12345);
  EXPECT_EQ(owner.posted.size(), 2u);
}

TEST(SkinTabBar, PageBarsOfLayoutTwoMarkOnlyTheClickedPage) {
  FakeOwner owner(2);
  FakeCanvas canvas;
  SkinElementSet set;
  set.SetOwnerWindow(&owner);
  AddSkinLayoutElements(set, SkinWindow::kMainWindow, 2);
  for (const SkinElementSpec& spec : SkinLayoutElements(SkinWindow::kMainWindow, 2)) {
    if (spec.kind != SkinElementKind::kTabBar) continue;  // buttons have no images here: they draw nothing
    for (const std::string& image : spec.images) canvas.SetImage(image, 74, 40);
  }
  set.LayoutElements(0, 732, 460, &canvas);

  // The element set is pressed at the download bar and released there.
  set.OnLButtonDown(1, 210, 30);
  set.OnLButtonUp(0, 210, 30);
  EXPECT_EQ(owner.sent, std::vector<int>{20001});
  for (int id = 10000; id <= 10005; ++id) {
    SCOPED_TRACE(id);
    const auto* bar = static_cast<SkinTabBar*>(set.GetElement(id));
    EXPECT_EQ(bar->HotIndex(), id == 10001 ? 0 : -1);
  }
  // Moving the mouse over another bar changes nothing in this layout.
  set.OnMouseMove(0, 290, 30);
  EXPECT_EQ(static_cast<SkinTabBar*>(set.GetElement(10002))->HotIndex(), -1);
  // A click on the strip's arrow leaves the download bar marked.
  set.OnLButtonDown(1, 675, 393);
  set.OnLButtonUp(0, 675, 393);
  EXPECT_EQ(static_cast<SkinTabBar*>(set.GetElement(10001))->HotIndex(), 0);
  EXPECT_EQ(owner.sent, std::vector<int>{20001});

  set.Draw(&canvas);
  const std::vector<std::string> names = canvas.ImageNames();
  ASSERT_EQ(names.size(), 6u);
  EXPECT_EQ(names[0], "tab_normal");
  EXPECT_EQ(names[1], "tab_mousemove_download");
  EXPECT_EQ(names[2], "tab_normal_upload");

  // The owner refuses the upload page: the download page stays marked, upload stays unmarked.
  owner.answer = 1;
  set.OnLButtonDown(1, 290, 30);
  set.OnLButtonUp(0, 290, 30);
  EXPECT_EQ(owner.sent, (std::vector<int>{20001, 20002}));
  EXPECT_EQ(static_cast<SkinTabBar*>(set.GetElement(10001))->HotIndex(), 0);
  EXPECT_EQ(static_cast<SkinTabBar*>(set.GetElement(10002))->HotIndex(), -1);
}

TEST(SkinTabBar, EmptyBarHasNoHitAreaAndDrawsNothing) {
  FakeOwner owner;
  FakeCanvas canvas;
  canvas.SetImage("n", 20, 20);
  SkinElementSet set;
  set.SetOwnerWindow(&owner);
  auto bar = std::make_unique<SkinTabBar>(10000);
  bar->SetImages({"n", "n", "n", "n"});
  bar->SetStoredRect({0, 0, 100, 30});
  set.Insert(std::move(bar));
  set.LayoutElements(0, 100, 30, &canvas);
  EXPECT_EQ(set.HitTest(50, 20), -1);
  set.Draw(&canvas);
  EXPECT_TRUE(canvas.images.empty());
  EXPECT_TRUE(canvas.texts.empty());
  // Without a skin the tabs have no size and cannot be hit either.
  auto sized = std::make_unique<SkinTabBar>(10001);
  sized->AddTab(20000, "a");
  sized->SetStoredRect({0, 0, 100, 30});
  set.Insert(std::move(sized));
  set.LayoutElements(0, 100, 30, nullptr);
  EXPECT_EQ(set.HitTest(99, 29), -1);
}

}  // namespace
}  // namespace mb::skin
