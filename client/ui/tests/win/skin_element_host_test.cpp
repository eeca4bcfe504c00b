// The skin elements on real windows of each skin layout, painted by skin.dll: normal, hot and
// pressed images after mouse messages, commands posted on release, tabs that ask their owner,
// push buttons and labels, and windows without a skin.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <set>
#include <vector>

#include "client/core/win/skin_engine.h"
#include "client/ui/skin/skin_tab_bar.h"
#include "client/ui/skin/win/skin_element_host.h"
#include "client/ui/tests/win/control_test_support.h"
#include "framework/gdi.h"
#include "framework/module.h"
#include "framework/window.h"

namespace mb::uitest {
namespace {

using skin::SkinElementHost;
using skin::SkinWindow;

const winkit::Rgb kPlainBackground{10, 200, 30};

// A popup shaped and painted like a skinned window: its background image (or a plain colour
// without a skin) and its elements on top. It answers the tabs' questions and refuses the ids
// in `refused`.
class SkinnedTestWindow : public fw::Window {
 public:
  SkinnedTestWindow(int layout, std::string background) : host_(layout), background_(std::move(background)) {
    Handle(WM_PAINT, &SkinnedTestWindow::OnPaint);
    Handle(WM_ERASEBKGND, &SkinnedTestWindow::OnEraseBackground);
    Handle(WM_MOUSEMOVE, &SkinnedTestWindow::OnMouse);
    Handle(WM_LBUTTONDOWN, &SkinnedTestWindow::OnMouse);
    Handle(WM_LBUTTONUP, &SkinnedTestWindow::OnMouse);
    Handle(WM_COMMAND, &SkinnedTestWindow::OnCommand);
  }
  ~SkinnedTestWindow() override { Destroy(); }

  // Sized to the background image (400 x 300 without a skin) and given its region.
  bool Open(SkinWindow elements, int x, int y) {
    fw::Module::Init(GetModuleHandleA(nullptr));
    RECT frame = {x, y, x + 400, y + 300};
    SkinSchemeRef scheme;
    RECT image = {};
    if (scheme && SUCCEEDED(scheme->GetImageRect(&image, background_.c_str()))) {
      frame = {x, y, x + image.right, y + image.bottom};
    }
    if (!Create(nullptr, "skin test", WS_POPUP, WS_EX_TOOLWINDOW, &frame)) return false;
    if (scheme) SetWindowRgn(Handle(), scheme->GetImageRegion(background_.c_str()), FALSE);
    host_.Attach(Handle());
    host_.AddLayoutElements(elements);
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    UpdateWindow(Handle());
    return true;
  }

  SkinElementHost& Host() { return host_; }
  template <typename T>
  T* Element(int id) {
    return dynamic_cast<T*>(host_.Elements().GetElement(id));
  }

  void Mouse(UINT message, int x, int y) { Send(message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y)); }
  void Click(int x, int y) {
    Mouse(WM_MOUSEMOVE, x, y);
    Mouse(WM_LBUTTONDOWN, x, y);
    Mouse(WM_LBUTTONUP, x, y);
  }
  // The commands posted to this window so far, taken off the queue.
  std::vector<int> TakePosted() {
    std::vector<int> ids;
    MSG msg;
    while (PeekMessageA(&msg, Handle(), WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
      EXPECT_EQ(msg.lParam, 0);
      ids.push_back(static_cast<int>(msg.wParam));
    }
    return ids;
  }

  std::vector<int> sent;
  std::set<int> refused;

 protected:
  fw::WindowClassSpec ClassSpec() const override {
    fw::WindowClassSpec spec;
    spec.name = "mb.test.SkinnedWindow";
    spec.background = nullptr;
    return spec;
  }

 private:
  LRESULT OnPaint(const fw::Message&) {
    fw::PaintDC dc(Handle());
    SkinSchemeRef scheme;
    if (scheme) {
      scheme->DrawImage(dc, background_.c_str(), 0, 0, 0, 0, SRCCOPY);
    } else {
      RECT client = {};
      GetClientRect(Handle(), &client);
      fw::Brush brush(CreateSolidBrush(RGB(kPlainBackground.red, kPlainBackground.green, kPlainBackground.blue)));
      FillRect(dc, &client, brush);
    }
    host_.Draw(dc);
    return 0;
  }
  LRESULT OnEraseBackground(const fw::Message&) { return TRUE; }
  LRESULT OnMouse(const fw::Message& m) {
    host_.OnMouseMessage(m.id, m.wParam, m.lParam);
    return 0;
  }
  LRESULT OnCommand(const fw::Message& m) {
    const int id = static_cast<int>(LOWORD(m.wParam));
    sent.push_back(id);
    return refused.count(id) ? 1 : 0;
  }

  SkinElementHost host_;
  std::string background_;
};

skin::Rect RectOf(skin::SkinElement* element) { return element ? element->CurrentRect() : skin::Rect{}; }

// The image an image button shows in a state: 0 normal, 1 hot, 2 pressed.
std::string ButtonImage(skin::SkinElement* element, int state) {
  auto* button = dynamic_cast<skin::SkinButtonElement*>(element);
  return button ? button->Images()[static_cast<std::size_t>(state)] : std::string();
}

TEST(SkinnedWindow, ButtonsShowTheirNormalHotAndPressedImagesInEveryLayout) {
  for (int layout = 1; layout <= 3; ++layout) {
    SCOPED_TRACE(layout);
    CurrentSkin skin(layout);
    SkinnedTestWindow window(layout, "main_bk");
    ASSERT_TRUE(window.Open(SkinWindow::kMainWindow, 20, 20));
    skin::SkinElement* close = window.Host().Elements().GetElement(20006);
    skin::SkinElement* minimize = window.Host().Elements().GetElement(20007);
    ASSERT_NE(close, nullptr);
    ASSERT_NE(minimize, nullptr);
    const skin::Rect c = RectOf(close);
    const skin::Rect m = RectOf(minimize);
    const std::string tag = "main_layout" + std::to_string(layout);
    // Elements paint in ascending id order: in layout 2 the minimize button's last column lies
    // over the close button's first.
    auto shows = [&](const winkit::RgbImage& shot, skin::SkinElement* element, int state) {
      const skin::Rect r = RectOf(element);
      RECT own = {0, 0, r.Width(), r.Height()};
      const bool covered = m.left < c.left && m.right > c.left && m.top < c.bottom && m.bottom > c.top;
      if (element == close && covered) own.left = m.right - c.left;
      return PixelsDifferingFromImage(shot, skin.Files(), ButtonImage(element, state), r.left, r.top, "main_bk", &own);
    };

    winkit::RgbImage shot = SaveScreenshot(window, tag + "_normal");
    EXPECT_EQ(shows(shot, close, 0), 0);
    EXPECT_EQ(shows(shot, minimize, 0), 0);

    window.Mouse(WM_MOUSEMOVE, c.left + c.Width() / 2, c.top + c.Height() / 2);
    shot = SaveScreenshot(window, tag + "_close_hot");
    EXPECT_EQ(shows(shot, close, 1), 0);
    EXPECT_EQ(shows(shot, minimize, 0), 0);
    EXPECT_GT(shows(shot, close, 0), 0) << "the hot image differs from the normal one";

    window.Mouse(WM_LBUTTONDOWN, c.left + 2, c.top + 2);
    shot = SaveScreenshot(window, tag + "_close_pressed");
    EXPECT_EQ(shows(shot, close, 2), 0);
    EXPECT_TRUE(window.TakePosted().empty()) << "nothing before the release";

    window.Mouse(WM_LBUTTONUP, c.left + 2, c.top + 2);
    shot = SaveScreenshot(window, tag + "_close_released");
    EXPECT_EQ(shows(shot, close, 1), 0);
    EXPECT_EQ(window.TakePosted(), std::vector<int>{20006});

    // Moving on to the minimize button moves the hot look with it.
    window.Mouse(WM_MOUSEMOVE, m.left + 1, m.bottom - 2);
    shot = SaveScreenshot(window, tag + "_minimize_hot");
    EXPECT_EQ(shows(shot, close, 0), 0);
    EXPECT_EQ(shows(shot, minimize, 1), 0);
    EXPECT_TRUE(window.sent.empty()) << "buttons post, they never ask";
  }
}

TEST(SkinnedWindow, ReleaseDecidesTheCommandAndSignedCoordinatesHit) {
  CurrentSkin skin(1);
  SkinnedTestWindow window(1, "main_bk");
  ASSERT_TRUE(window.Open(SkinWindow::kMainWindow, 40, 40));
  const skin::Rect c = RectOf(window.Host().Elements().GetElement(20006));
  const skin::Rect m = RectOf(window.Host().Elements().GetElement(20007));

  // Pressed on close, released over minimize: minimize's command.
  window.Mouse(WM_LBUTTONDOWN, c.left + 3, c.top + 3);
  window.Mouse(WM_LBUTTONUP, m.left + 3, m.top + 3);
  EXPECT_EQ(window.TakePosted(), std::vector<int>{20007});
  // Released over empty space: no command.
  window.Mouse(WM_LBUTTONDOWN, c.left + 3, c.top + 3);
  window.Mouse(WM_LBUTTONUP, 5, 300);
  EXPECT_TRUE(window.TakePosted().empty());

  // A point left of and above the client area arrives as negative coordinates (mouse capture);
  // an element reaching there is hit, and only then.
  auto* edge = window.Host().Elements().AddTextElement(20400, "", -600, -600, 10, 10, 0xFFFFFF, true, "", false);
  window.Host().LayoutElements();
  ASSERT_EQ(edge->CurrentRect().left, -60);  // anchored to the 540-pixel-wide client area
  window.Mouse(WM_LBUTTONDOWN, -3, -4);
  window.Mouse(WM_LBUTTONUP, -3, -4);
  EXPECT_EQ(window.TakePosted(), std::vector<int>{20400});
}

TEST(SkinnedWindow, TabRefusedByItsOwnerStaysUnselected) {
  CurrentSkin skin(1);
  SkinnedTestWindow window(1, "main_bk");
  window.refused = {20002};
  ASSERT_TRUE(window.Open(SkinWindow::kMainWindow, 60, 60));
  auto* bar = window.Element<skin::SkinTabBar>(10000);
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(bar->Tabs().size(), 6u);
  // The tabs carry their labels in the middle: the image is checked on both sides of them.
  auto tabShows = [&](const winkit::RgbImage& shot, int index, const char* image) {
    const skin::SkinTabItem& tab = bar->Tabs()[static_cast<std::size_t>(index)];
    const skin::Rect& r = index == bar->SelectedIndex() ? tab.selected : tab.normal;
    const RECT left = {0, 0, 7, r.Height()};
    const RECT right = {r.Width() - 7, 0, r.Width(), r.Height()};
    return PixelsDifferingFromImage(shot, skin.Files(), image, r.left, r.top, "main_bk", &left) +
           PixelsDifferingFromImage(shot, skin.Files(), image, r.left, r.top, "main_bk", &right);
  };

  winkit::RgbImage shot = SaveScreenshot(window, "tabs_layout1_start");
  EXPECT_EQ(tabShows(shot, 0, "selecttab_normal"), 0);
  EXPECT_EQ(tabShows(shot, 2, "tab_normal"), 0);

  // The upload tab: asked with a sent command, refused.
  const skin::Rect upload = bar->Tabs()[2].normal;
  window.Click(upload.left + 10, upload.top + 10);
  EXPECT_EQ(window.sent, std::vector<int>{20002});
  EXPECT_EQ(bar->SelectedIndex(), 0);
  shot = SaveScreenshot(window, "tabs_layout1_refused");
  EXPECT_EQ(tabShows(shot, 0, "selecttab_normal"), 0);
  EXPECT_EQ(tabShows(shot, 2, "tab_mousemove"), 0) << "under the mouse it is hot, not selected";
  EXPECT_EQ(window.TakePosted(), std::vector<int>{10000}) << "the bar's own id, which owners ignore";

  // The download tab: accepted, selected and (still under the mouse) drawn selected-hot.
  const skin::Rect download = bar->Tabs()[1].normal;
  window.Click(download.left + 10, download.top + 10);
  EXPECT_EQ(window.sent, (std::vector<int>{20002, 20001}));
  EXPECT_EQ(bar->SelectedIndex(), 1);
  shot = SaveScreenshot(window, "tabs_layout1_accepted");
  EXPECT_EQ(tabShows(shot, 1, "selecttab_mousemove"), 0);
  EXPECT_EQ(tabShows(shot, 0, "tab_normal"), 0);
  EXPECT_EQ(tabShows(shot, 2, "tab_normal"), 0);
}

TEST(SkinnedWindow, PageBarsOfLayoutsTwoAndThreeMarkOnlyTheAcceptedPage) {
  for (int layout = 2; layout <= 3; ++layout) {
    SCOPED_TRACE(layout);
    CurrentSkin skin(layout);
    SkinnedTestWindow window(layout, "main_bk");
    window.refused = {20002};
    ASSERT_TRUE(window.Open(SkinWindow::kMainWindow, 20, 20));
    auto barShows = [&](const winkit::RgbImage& shot, int barId, const std::string& image) {
      const skin::Rect r = window.Element<skin::SkinTabBar>(barId)->Tabs()[0].selected;
      return PixelsDifferingFromImage(shot, skin.Files(), image, r.left, r.top, "main_bk");
    };
    const skin::Rect download = window.Element<skin::SkinTabBar>(10001)->Tabs()[0].selected;
    window.Click(download.left + 5, download.top + 5);
    const skin::Rect upload = window.Element<skin::SkinTabBar>(10002)->Tabs()[0].selected;
    window.Click(upload.left + 5, upload.top + 5);
    EXPECT_EQ(window.sent, (std::vector<int>{20001, 20002}));

    const winkit::RgbImage shot = SaveScreenshot(window, "tabs_layout" + std::to_string(layout));
    EXPECT_EQ(barShows(shot, 10000, "tab_normal"), 0);
    EXPECT_EQ(barShows(shot, 10001, "tab_mousemove_download"), 0) << "the page shown";
    EXPECT_EQ(barShows(shot, 10002, "tab_normal_upload"), 0) << "refused: unmarked";
    EXPECT_EQ(barShows(shot, 10005, "tab_normal_personalinfo"), 0);
  }
}

// Dark or light text pixels: far from every colour a skin button face has.
bool IsDark(const winkit::Rgb& c) { return c.red + c.green + c.blue < 300; }
bool IsLight(const winkit::Rgb& c) { return c.red > 235 && c.green > 235 && c.blue > 235; }

TEST(SkinnedWindow, PushButtonsAreSlicedAroundTheirLabels) {
  struct Page {
    int layout;
    SkinWindow window;
    const char* background;
    int pushId;
    const char* name;
  };
  // Layout 1's panel buttons are taller than the skin's button image (nine slices), the manager
  // page's are as tall (three slices); layout 3 writes its labels white.
  const Page pages[] = {
      {1, SkinWindow::kWallpaperManagerPage, "dlg_bk", 20110, "page_layout1_manager"},
      {1, SkinWindow::kThumbnailPanel, "thumbpanel2_bk", 20108, "page_layout1_panel"},
      {2, SkinWindow::kThumbnailPanel, "thumbpanel2_bk", 20108, "page_layout2_panel"},
      {3, SkinWindow::kThumbnailPanel, "thumbpanel2_bk", 20108, "page_layout3_panel"},
      {3, SkinWindow::kSettingsDialog, "conf_bk", 20027, "page_layout3_settings"},
  };
  for (const Page& page : pages) {
    SCOPED_TRACE(page.name);
    CurrentSkin skin(page.layout);
    SkinnedTestWindow window(page.layout, page.background);
    ASSERT_TRUE(window.Open(page.window, 30, 30));
    skin::SkinElement* element = window.Host().Elements().GetElement(page.pushId);
    ASSERT_NE(element, nullptr);
    const skin::Rect r = element->CurrentRect();
    window.Mouse(WM_MOUSEMOVE, r.left + 3, r.top + 3);
    const winkit::RgbImage shot = SaveScreenshot(window, page.name);

    if (dynamic_cast<skin::SkinPushButtonElement*>(element)) {
      // Corner pieces are copied unscaled: the top-left corner of the hot button image.
      const skinfile::SkinImage* image = skin.Files().Catalog().Find("button_focus");
      ASSERT_NE(image, nullptr);
      const int corner = image->rect.height == r.Height() ? image->rect.width / 3 : image->rect.height / 3;
      const RECT piece = {0, 0, std::min(corner, 4), std::min(corner, image->rect.height)};  // clear of the label
      EXPECT_EQ(PixelsDifferingFromImage(shot, skin.Files(), "button_focus", r.left, r.top, page.background, &piece), 0);
      const auto isLabel = page.layout == 3 ? IsLight : IsDark;
      EXPECT_GT(CountPixels(shot, r.left + 2, r.top + 2, r.right - 2, r.bottom - 2, isLabel), 8)
          << "the label is written";
    } else {
      // A label whose icon is the whole button image.
      EXPECT_EQ(CountPixels(shot, r.left, r.top, r.right, r.bottom,
                            [](const winkit::Rgb& c) { return c == winkit::Rgb{255, 0, 255}; }),
                0)
          << "transparent parts never show the key colour";
    }
  }
}

TEST(SkinnedWindow, WithoutASkinNothingIsDrawnAndClicksStillCount) {
  CurrentSkin skin(0);
  ASSERT_EQ(GetCurrentSkinScheme(), nullptr);
  SkinnedTestWindow window(1, "main_bk");
  ASSERT_TRUE(window.Open(SkinWindow::kMainWindow, 50, 50));
  const winkit::RgbImage shot = SaveScreenshot(window, "main_without_skin");
  EXPECT_EQ(CountPixels(shot, 0, 0, shot.Width(), shot.Height(),
                        [](const winkit::Rgb& c) { return c != kPlainBackground; }),
            0);
  // The caption buttons keep their rectangles and commands.
  const skin::Rect c = RectOf(window.Host().Elements().GetElement(20006));
  window.Mouse(WM_LBUTTONDOWN, c.left + 1, c.top + 1);
  window.Mouse(WM_LBUTTONUP, c.left + 1, c.top + 1);
  EXPECT_EQ(window.TakePosted(), std::vector<int>{20006});
}

}  // namespace
}  // namespace mb::uitest
