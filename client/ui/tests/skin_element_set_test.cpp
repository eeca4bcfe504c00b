#include "client/ui/skin/skin_element_set.h"

#include <gtest/gtest.h>

#include "client/ui/skin/skin_tab_bar.h"
#include "client/ui/tests/skin_fakes.h"

namespace mb::skin {
namespace {

using testing::FakeCanvas;
using testing::FakeOwner;

std::unique_ptr<SkinButtonElement> MakeButton(int id, Rect r, const std::string& base) {
  auto b = std::make_unique<SkinButtonElement>(id);
  b->SetImages({base + "_normal", base + "_focus", base + "_down", base + "_disable"});
  b->SetStoredRect(r);
  return b;
}

// Records the mouse calls it receives.
class ProbeElement : public SkinTextElement {
 public:
  ProbeElement(int id, std::vector<int>* log) : SkinTextElement(id), log_(log) {}
  int OnLButtonDown(unsigned, int, int) override {
    log_->push_back(Id());
    return -1;
  }

 private:
  std::vector<int>* log_;
};

class SkinElementSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    set.SetOwnerWindow(&owner);
    for (const char* base : {"a", "b"}) {
      for (const char* state : {"_normal", "_focus", "_down", "_disable"}) canvas.SetImage(std::string(base) + state, 20, 20);
    }
    set.Insert(MakeButton(1, {0, 0, 20, 20}, "a"));
    set.Insert(MakeButton(2, {30, 0, 50, 20}, "b"));
    set.LayoutElements(0, 400, 300, &canvas);
  }

  FakeOwner owner;
  FakeCanvas canvas;
  SkinElementSet set;
};

TEST_F(SkinElementSetTest, ReleaseOverAnotherButtonPostsThatButtonAndEmptySpacePostsNothing) {
  EXPECT_EQ(set.OnLButtonDown(1, 5, 5), 1);
  EXPECT_TRUE(set.IsPressed());
  EXPECT_EQ(set.OnLButtonUp(0, 35, 5), 2);
  EXPECT_FALSE(set.IsPressed());
  EXPECT_EQ(owner.posted, std::vector<int>{2});

  owner.posted.clear();
  set.OnLButtonDown(1, 5, 5);
  EXPECT_EQ(set.OnLButtonUp(0, 100, 100), -1);
  EXPECT_TRUE(owner.posted.empty());
}

TEST_F(SkinElementSetTest, HotAndPressedChooseTheImageAndOnlyTheHotElementIsPressed) {
  set.OnMouseMove(0, 5, 5);
  set.Draw(&canvas);
  EXPECT_EQ(canvas.ImageNames(), (std::vector<std::string>{"a_focus", "b_normal"}));
  canvas.images.clear();
  set.OnLButtonDown(1, 5, 5);
  set.Draw(&canvas);
  EXPECT_EQ(canvas.ImageNames(), (std::vector<std::string>{"a_down", "b_normal"}));
  // Without a scheme nothing is drawn.
  set.Draw(nullptr);
}

TEST_F(SkinElementSetTest, MouseMoveInvalidatesOnlyWhenTheHotElementChanges) {
  set.OnMouseMove(0, 5, 5);
  EXPECT_EQ(owner.invalidated, std::vector<std::string>{"(0,0,20,20)"});
  set.OnMouseMove(0, 6, 6);
  EXPECT_EQ(owner.invalidated.size(), 1u);
  set.OnMouseMove(0, 35, 5);
  EXPECT_EQ(owner.invalidated, (std::vector<std::string>{"(0,0,20,20)", "(0,0,20,20)", "(30,0,50,20)"}));
  // A press always repaints the old and the new hot element, even the same one.
  owner.invalidated.clear();
  set.OnLButtonDown(1, 35, 5);
  EXPECT_EQ(owner.invalidated, (std::vector<std::string>{"(30,0,50,20)", "(30,0,50,20)"}));
}

TEST_F(SkinElementSetTest, DisabledElementLooksDisabledButIsNeverHotOrClicked) {
  SkinButtonElement* b = static_cast<SkinButtonElement*>(set.GetElement(2));
  b->SetEnabled(false);
  b->SetText("系统设置");
  EXPECT_EQ(set.OnMouseMove(0, 35, 5), -1);
  set.OnLButtonDown(1, 35, 5);
  EXPECT_EQ(set.OnLButtonUp(0, 35, 5), -1);
  EXPECT_TRUE(owner.posted.empty());
  set.Draw(&canvas);
  EXPECT_EQ(canvas.ImageNames().back(), "b_disable");
  ASSERT_EQ(canvas.texts.size(), 1u);
  EXPECT_EQ(canvas.texts[0].colour, 0x003859u);
  EXPECT_EQ(canvas.texts[0].rect.left, 60) << "text inset 30";
}

TEST_F(SkinElementSetTest, HiddenElementIsNeitherDrawnNorHitUntilItGetsText) {
  set.ShowElement(set.GetElement(1), false);
  EXPECT_EQ(set.HitTest(5, 5), -1);
  set.Draw(&canvas);
  EXPECT_EQ(canvas.ImageNames(), std::vector<std::string>{"b_normal"});
  owner.invalidated.clear();
  set.SetElementText(1, "x");
  EXPECT_EQ(set.GetElementText(1), "x");
  EXPECT_EQ(set.HitTest(5, 5), 1);
  EXPECT_EQ(owner.invalidated, std::vector<std::string>{"(0,0,20,20)"});
  set.SetElementText(99, "nobody");  // unknown ids do nothing
  EXPECT_EQ(set.GetElementText(99), "");
}

TEST_F(SkinElementSetTest, AMissingImageDrawsNothingOfThatElement) {
  static_cast<SkinButtonElement*>(set.GetElement(1))->SetText("label");
  static_cast<SkinButtonElement*>(set.GetElement(1))->SetImages({"gone", "gone", "gone", "gone"});
  set.Draw(&canvas);
  EXPECT_EQ(canvas.ImageNames(), std::vector<std::string>{"b_normal"});
  EXPECT_TRUE(canvas.texts.empty());
}

TEST(SkinElementSet, PanelLabelsStopTheButtonPress) {
  FakeOwner owner;
  SkinElementSet set;
  set.SetOwnerWindow(&owner);
  std::vector<int> told;
  for (int id : {20108, 20111, 20112, 20121}) {
    auto e = std::make_unique<ProbeElement>(id, &told);
    e->SetStoredRect({0, 0, 50, 50});
    set.Insert(std::move(e));
  }
  set.LayoutElements(0, 100, 100, nullptr);
  EXPECT_EQ(set.OnLButtonDown(1, 10, 10), -1);
  EXPECT_EQ(told, (std::vector<int>{20108, 20111}));
  EXPECT_FALSE(set.IsPressed());
  EXPECT_EQ(set.HotId(), -1);
  EXPECT_TRUE(owner.invalidated.empty());
  // The release still produces the command of the element under the cursor.
  EXPECT_EQ(set.OnLButtonUp(0, 10, 10), 20108);
  EXPECT_EQ(owner.posted, std::vector<int>{20108});
}

TEST(SkinElementSet, HigherIdsPaintLaterAndAddedElementsReplaceTheirId) {
  FakeCanvas canvas;
  canvas.SetImage("low", 10, 10);
  canvas.SetImage("high", 10, 10);
  canvas.SetImage("new", 10, 10);
  SkinElementSet set;
  auto same = [](int id, const char* image) {
    auto b = std::make_unique<SkinButtonElement>(id);
    b->SetImages({image, image, image, image});
    b->SetStoredRect({0, 0, 10, 10});
    return b;
  };
  set.Insert(same(20, "high"));
  set.Insert(same(10, "low"));
  set.LayoutElements(0, 100, 100, &canvas);
  set.Draw(&canvas);
  EXPECT_EQ(canvas.ImageNames(), (std::vector<std::string>{"low", "high"}));
  EXPECT_EQ(set.HitTest(5, 5), 10) << "the lowest id wins a hit";
  set.Insert(same(10, "new"));
  set.LayoutElements(0, 100, 100, &canvas);
  canvas.images.clear();
  set.Draw(&canvas);
  EXPECT_EQ(canvas.ImageNames(), (std::vector<std::string>{"new", "high"}));
  set.RemoveAll();
  EXPECT_EQ(set.GetElement(10), nullptr);
  EXPECT_EQ(set.HitTest(5, 5), -1);
}

TEST(SkinElementSet, OwnerMayEmptyTheSetWhileATabClickWaitsForIt) {
  // The owner's answer to a tab click can run a modal loop in which the window is destroyed.
  FakeOwner owner;
  FakeCanvas canvas;
  canvas.SetImage("n", 20, 20);
  canvas.SetImage("s", 20, 20);
  SkinElementSet set;
  set.SetOwnerWindow(&owner);
  auto bar = std::make_unique<SkinTabBar>(10000);
  bar->SetImages({"n", "n", "s", "s"});
  bar->SetStoredRect({0, 0, 200, 20});
  bar->SetLeftAligned(true);
  bar->SetMargin(0);
  bar->AddTab(20000, "a");
  bar->AddTab(20001, "b");
  set.Insert(std::move(bar));
  auto after = std::make_unique<SkinTextElement>(20010);
  after->SetStoredRect({0, 0, 200, 20});
  set.Insert(std::move(after));
  set.LayoutElements(0, 200, 20, &canvas);
  owner.onSend = [&](int) { set.RemoveAll(); };
  EXPECT_EQ(set.OnLButtonDown(1, 25, 5), -1);
  EXPECT_EQ(owner.sent, std::vector<int>{20001});
  EXPECT_EQ(set.GetElement(10000), nullptr);
}

TEST(SkinPushButtonElement, LabelColourFollowsTheLayoutAndIconsComeFromAThreeFrameStrip) {
  FakeCanvas canvas;
  canvas.SetImage("button_normal", 60, 18);
  canvas.SetImage("button_disable", 60, 18);
  canvas.SetImage("strip", 48, 10);
  FakeOwner layout3(3);
  SkinElementSet set;
  set.SetOwnerWindow(&layout3);
  SkinPushButtonElement* push = set.AddPushButtonElement(20100, "搜索", 100, 10, 200, 28, true, "strip");
  set.LayoutElements(0, 300, 100, &canvas);
  set.Draw(&canvas);
  ASSERT_EQ(canvas.texts.size(), 1u);
  EXPECT_EQ(canvas.texts[0].colour, 0xFFFFFFu);
  EXPECT_EQ(canvas.texts[0].font, SkinFont::kSongTi9);
  EXPECT_EQ(canvas.texts[0].rect, (Rect{121, 10, 200, 28})) << "icon width 16 + 5 on the left";
  EXPECT_EQ(canvas.images.back(), "strip part (0,0,16,10)@105,14");

  push->SetEnabled(false);
  canvas.images.clear();
  canvas.texts.clear();
  set.Draw(&canvas);
  EXPECT_EQ(canvas.images.front().substr(0, 14), "button_disable");
  EXPECT_EQ(canvas.images.back(), "strip part (32,0,48,10)@105,14") << "disabled shows the third frame";

  FakeOwner layout1(1);
  set.SetOwnerWindow(&layout1);
  canvas.texts.clear();
  set.Draw(&canvas);
  EXPECT_EQ(canvas.texts[0].colour, 0x000000u);
}

TEST(SkinTextElement, PressedTextShiftsAndHotTextUnderlines) {
  FakeCanvas canvas;
  canvas.SetImage("first_icon", 12, 12);
  FakeOwner owner;
  SkinElementSet set;
  set.SetOwnerWindow(&owner);
  SkinTextElement* left = set.AddTextElement(1, "首页", 160, 149, 236, 167, 0xFFFFFF, true, "first_icon", false);
  left->SetUnderlineWhenHot(true);
  SkinTextElement* right = set.AddTextElement(2, "末页", 300, 149, 376, 167, 0x2F2F2F, true, "first_icon", true);
  set.LayoutElements(0, 500, 300, &canvas);

  set.Draw(&canvas);
  ASSERT_EQ(canvas.texts.size(), 2u);
  EXPECT_EQ(canvas.texts[0].rect, (Rect{172, 149, 236, 167})) << "left icon: text moves right by the spacing";
  EXPECT_EQ(canvas.texts[0].font, SkinFont::kGui);
  EXPECT_EQ(canvas.texts[1].rect, (Rect{300, 149, 364, 167}));
  EXPECT_EQ(canvas.images, (std::vector<std::string>{"first_icon@160,152", "first_icon@364,152"}));

  canvas.texts.clear();
  canvas.images.clear();
  set.OnLButtonDown(1, 170, 150);
  set.Draw(&canvas);
  EXPECT_EQ(canvas.texts[0].rect, (Rect{174, 151, 236, 167}));
  EXPECT_EQ(canvas.texts[0].font, SkinFont::kGuiUnderline);
  EXPECT_EQ(canvas.images[0], "first_icon@162,153");

  right->SetEnabled(false);
  canvas.texts.clear();
  set.Draw(&canvas);
  EXPECT_EQ(canvas.texts[1].colour, 0xC0C0C0u);
}

}  // namespace
}  // namespace mb::skin
