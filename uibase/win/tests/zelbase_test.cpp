#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>

#include "framework/module.h"
#include "tests/winkit/screenshot.h"
#include "tests/winkit/winkit.h"
#include "uibase/core/button_logic.h"
#include "uibase/win/tests/zelbase_test_ids.h"
#include "uibase/win/xp_button.h"
#include "uibase/win/skin_button.h"
#include "uibase/win/zel_dialog.h"
#include "uibase/win/zel_head_ctrl.h"

namespace {

winkit::Rgb ToRgb(COLORREF c) {
  return {static_cast<std::uint8_t>(GetRValue(c)), static_cast<std::uint8_t>(GetGValue(c)),
          static_cast<std::uint8_t>(GetBValue(c))};
}

const winkit::Rgb kFace = ToRgb(CZELDialog::kFaceColor);

bool WaitUntil(const std::function<bool()>& test, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!test()) {
    if (GetTickCount() - start >= timeoutMs) return test();
    winkit::PumpMessages(10);
  }
  return true;
}

// Where child's client area starts inside window's client area.
POINT OriginIn(HWND window, HWND child) {
  POINT origin{0, 0};
  MapWindowPoints(child, window, &origin, 1);
  return origin;
}

// A click at a screen point, delivered to the window the system finds there (window regions
// count); returns that window.
HWND ClickAt(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  HWND target = WindowFromPoint(screen);
  POINT client = screen;
  ScreenToClient(target, &client);
  SendMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
  SendMessageA(target, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
  return target;
}

// The test template 105 with the library's two buttons on it.
class ButtonsDialog : public CZELDialog {
 public:
  ButtonsDialog() { Handle(WM_INITDIALOG, &ButtonsDialog::OnInitDialog); }
  CXPButton xp;
  CxSkinButton skin, check, radioA, radioB;

 private:
  LRESULT OnInitDialog(const fw::Message&) {
    xp.SubclassDlgItem(IDC_XP_BUTTON, Handle());
    for (auto [button, id] : {std::pair{&skin, IDC_SKIN_BUTTON}, {&check, IDC_SKIN_CHECK}, {&radioA, IDC_RADIO_A},
                              {&radioB, IDC_RADIO_B}}) {
      button->SubclassDlgItem(id, Handle());
      button->SetSkin(IDB_TEST_NORMAL, IDB_TEST_PRESSED, 0, IDB_TEST_DISABLED, 0, IDB_TEST_MASK, 0, 0, 0);
    }
    return TRUE;
  }
};

class ZelBase : public ::testing::Test {
 protected:
  void SetUp() override {
    fw::Module::Init(GetModuleHandleA(nullptr));
    ASSERT_NE(dialog.Create(), nullptr);
    SetWindowPos(dialog, HWND_TOPMOST, 60, 60, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    UpdateWindow(dialog);
  }
  winkit::Rgb PixelOf(HWND child, int x, int y) {
    const winkit::RgbImage shot = winkit::CaptureClientArea(dialog);
    const POINT origin = OriginIn(dialog, child);
    return shot.Pixel(origin.x + x, origin.y + y);
  }
  ButtonsDialog dialog;
};

TEST_F(ZelBase, DialogFaceAndButtonStatesShowOnScreen) {
  const winkit::RgbImage shot = winkit::SaveClientScreenshot(dialog, "zel_dialog");
  EXPECT_EQ(shot.Pixel(2, 2), kFace);
  // The static draws its text on the face, with no background of its own.
  RECT label;
  GetWindowRect(dialog.Item(IDC_LABEL), &label);
  const POINT labelAt = OriginIn(dialog, dialog.Item(IDC_LABEL));
  EXPECT_EQ(shot.Pixel(labelAt.x + (label.right - label.left) - 2, labelAt.y + 1), kFace);
  EXPECT_GT(shot.CountPixels(kFace, labelAt.x, labelAt.y, labelAt.x + 60, labelAt.y + 12), 0u);
  EXPECT_LT(shot.CountPixels(kFace, labelAt.x, labelAt.y, labelAt.x + 60, labelAt.y + 12), 60u * 12u);

  // Gradient button: normal, pressed (inverted), hovered (lit rim, inner face spanning the rim).
  RECT xpRect;
  GetClientRect(dialog.xp, &xpRect);
  const int h = xpRect.bottom;
  ASSERT_GT(h, 8);
  const auto normalLines = zel::FaceLineColours(0x0088E8FF, 0x000CC0FF, h, h);
  EXPECT_EQ(PixelOf(dialog.xp, 3, 5), ToRgb(normalLines[5]));
  dialog.xp.Send(BM_SETSTATE, TRUE);
  const auto pressedLines = zel::FaceLineColours(0x000CC0FF, 0x0088E8FF, h, h);
  EXPECT_EQ(PixelOf(dialog.xp, 3, 5), ToRgb(pressedLines[5]));
  dialog.xp.Send(BM_SETSTATE, FALSE);
  RECT xpScreen;
  GetWindowRect(dialog.xp, &xpScreen);
  SetCursorPos((xpScreen.left + xpScreen.right) / 2, (xpScreen.top + xpScreen.bottom) / 2);
  dialog.xp.Send(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  ASSERT_TRUE(dialog.xp.IsHovering());
  const auto rimLines = zel::FaceLineColours(zel::HoverTopColour(0x005078FF), 0x005078FF, h - 2, h - 2);
  const auto innerLines = zel::FaceLineColours(0x0088E8FF, 0x000CC0FF, h - 2, h - 4);
  EXPECT_EQ(PixelOf(dialog.xp, 1, 5), ToRgb(rimLines[4]));
  EXPECT_EQ(PixelOf(dialog.xp, 3, 5), ToRgb(innerLines[3]));
  winkit::SaveClientScreenshot(dialog, "zel_dialog_hover");
  SetCursorPos(0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !dialog.xp.IsHovering(); }, 5000));

  // Skinned button: the mask's size and shape, and one image per state.
  RECT skinRect;
  GetClientRect(dialog.skin, &skinRect);
  EXPECT_EQ(skinRect.right, 48);
  EXPECT_EQ(skinRect.bottom, 24);
  const winkit::Rgb red{200, 30, 30}, green{30, 160, 40}, blue{40, 60, 200};
  EXPECT_EQ(PixelOf(dialog.skin, 24, 12), red);
  EXPECT_EQ(PixelOf(dialog.skin, 1, 1), kFace);  // cut away by the mask's white corner
  dialog.skin.Send(BM_SETSTATE, TRUE);
  EXPECT_EQ(PixelOf(dialog.skin, 24, 12), green);
  dialog.skin.Send(BM_SETSTATE, FALSE);
  EnableWindow(dialog.skin, FALSE);
  EXPECT_EQ(PixelOf(dialog.skin, 24, 12), blue);
  EnableWindow(dialog.skin, TRUE);
  EXPECT_EQ(PixelOf(dialog.skin, 24, 12), red);

  // A push button ignores checks; a check box shows its check with the pressed image.
  dialog.skin.Send(BM_SETCHECK, 1);
  EXPECT_EQ(dialog.skin.Send(BM_GETCHECK), 0);
  EXPECT_EQ(dialog.check.Kind(), zel::kCheckBox);
  auto pressSpace = [&] {
    dialog.check.Send(WM_KEYDOWN, VK_SPACE);
    dialog.check.Send(WM_KEYUP, VK_SPACE);
  };
  pressSpace();
  EXPECT_EQ(dialog.check.Send(BM_GETCHECK), 1);
  EXPECT_EQ(PixelOf(dialog.check, 24, 12), green);
  pressSpace();
  EXPECT_EQ(dialog.check.Send(BM_GETCHECK), 0);
  EXPECT_EQ(PixelOf(dialog.check, 24, 12), red);

  // Every state at once for the record: pressed gradient, disabled skin, checked box and radio.
  dialog.xp.Send(BM_SETSTATE, TRUE);
  EnableWindow(dialog.skin, FALSE);
  pressSpace();
  dialog.radioB.Send(BM_SETCHECK, 1);
  winkit::PumpMessages(20);
  const winkit::RgbImage states = winkit::SaveClientScreenshot(dialog, "zel_dialog_states");
  const POINT checkAt = OriginIn(dialog, dialog.check), radioAt = OriginIn(dialog, dialog.radioB);
  EXPECT_EQ(states.Pixel(checkAt.x + 24, checkAt.y + 12), green);
  EXPECT_EQ(states.Pixel(radioAt.x + 24, radioAt.y + 12), green);
}

TEST_F(ZelBase, RadioGroupRegionsAndDegenerateButtonsAreSafe) {
  // Checking one radio unchecks the other, through a posted message.
  EXPECT_EQ(dialog.radioA.Kind(), zel::kRadioButton);
  dialog.radioB.Send(BM_SETCHECK, 1);
  dialog.radioA.Send(BM_SETCHECK, 1);
  EXPECT_TRUE(WaitUntil([&] { return dialog.radioB.GetCheck() == 0; }, 2000));
  EXPECT_EQ(dialog.radioA.GetCheck(), 1);
  // From a hidden radio button the system's group walk never comes back to it: the walk ends
  // anyway, and the visible radio is unchecked.
  dialog.radioB.Send(BM_SETCHECK, 1);
  ShowWindow(dialog.radioA, SW_HIDE);
  dialog.radioA.Send(BM_SETCHECK, 1);
  EXPECT_TRUE(WaitUntil([&] { return dialog.radioB.GetCheck() == 0; }, 2000));

  // The window owns the region it was given; the button's own stays valid after the window
  // is gone and after a second skin.
  RECT box;
  HRGN first = dialog.skin.Region();
  ASSERT_NE(first, nullptr);
  dialog.skin.SetSkin(IDB_TEST_NORMAL, 0, 0, 0, 0, IDB_TEST_MASK, 1, 0, -3);
  EXPECT_EQ(dialog.skin.DrawMode(), zel::kDrawStretch);
  EXPECT_EQ(dialog.skin.FocusMargin(), 0);
  HRGN windowRegion = CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(GetWindowRgn(dialog.skin, windowRegion), ERROR);
  DeleteObject(windowRegion);
  HRGN second = dialog.skin.Region();
  DestroyWindow(dialog.skin);
  ASSERT_NE(GetRgnBox(second, &box), 0);
  EXPECT_EQ(box.right, 48);
  EXPECT_EQ(box.bottom, 24);

  // A button of no height has nothing drawn and nothing divided by its height.
  CXPButton flat;
  ASSERT_TRUE(flat.Create("扁", WS_CHILD | WS_VISIBLE, RECT{4, 80, 80, 80}, dialog, 2100));
  DRAWITEMSTRUCT item = {};
  item.CtlType = ODT_BUTTON;
  item.CtlID = 2100;
  item.hwndItem = flat;
  item.hDC = GetDC(dialog);
  item.rcItem = RECT{0, 0, 76, 0};
  EXPECT_EQ(SendMessageA(dialog, WM_DRAWITEM, 2100, reinterpret_cast<LPARAM>(&item)), TRUE);
  ReleaseDC(dialog, item.hDC);
  UpdateWindow(dialog);
}

// A docked pane: a window with the title bar at its top, counting the close requests.
class Pane : public fw::Window {
 public:
  Pane() { Handle(WM_HEAD_CLOSE, &Pane::OnHeadClose); }
  int closes = 0;

 protected:
  fw::WindowClassSpec ClassSpec() const override {
    fw::WindowClassSpec spec;
    spec.name = "zelbase.test.Pane";
    return spec;
  }

 private:
  LRESULT OnHeadClose(const fw::Message& m) {
    EXPECT_EQ(m.wParam, 0u);
    EXPECT_EQ(m.lParam, 0);
    ++closes;
    return 0;
  }
};

TEST(TitleBar, ClosesThroughTheButtonAndThroughTheBar) {
  fw::Module::Init(GetModuleHandleA(nullptr));
  Pane pane;
  const RECT paneRect{300, 60, 560, 160};
  ASSERT_NE(pane.Create(nullptr, "窗格", WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST, &paneRect), nullptr);
  CZELHeadCtrl head("文件夹");
  ASSERT_TRUE(head.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 220, 25}, pane, 3001));
  UpdateWindow(pane);

  // The close button sits 18 pixels from the right, 3 down, clipped to its image's disc.
  HWND close = head.CloseButton();
  EXPECT_EQ(fw::Window::FromHandle(close), &head.CloseButton());
  EXPECT_EQ(head.CloseButton().Kind(), zel::kPushButton);
  const POINT at = OriginIn(head, close);
  EXPECT_EQ(at.x, 220 - 18);
  EXPECT_EQ(at.y, 3);
  EXPECT_EQ(SendMessageA(head.CloseButton().ToolTip().Handle(), TTM_GETTOOLCOUNT, 0, 0), 1);

  const winkit::RgbImage shot = winkit::SaveClientScreenshot(pane, "zel_head_ctrl");
  EXPECT_EQ(shot.Pixel(5, 0), (winkit::Rgb{255, 246, 214}));  // the strip's top row
  EXPECT_EQ(shot.Pixel(5, 23), (winkit::Rgb{255, 255, 255}));  // below the 22 rows in use
  int textPixels = 0;  // pixels of the title's box that differ from the strip on their row
  for (int y = 6; y < 20; ++y)
    for (int x = 10; x < 40; ++x) textPixels += shot.Pixel(x, y) != shot.Pixel(5, y) ? 1 : 0;
  EXPECT_GT(textPixels, 20);
  const winkit::Rgb disc = shot.Pixel(at.x + 8, at.y + 3);
  EXPECT_GT(disc.red, disc.blue + 100);

  RECT square;
  GetWindowRect(close, &square);
  // A coloured pixel of the image: the button itself sends.
  EXPECT_EQ(ClickAt({square.left + 8, square.top + 8}), close);
  EXPECT_EQ(pane.closes, 1);
  // A white (cut away) pixel: the click reaches the bar, which sends for the whole square.
  EXPECT_EQ(ClickAt({square.left, square.top}), head.Handle());
  EXPECT_EQ(pane.closes, 2);
  // Elsewhere on the bar nothing is sent.
  RECT bar;
  GetWindowRect(head, &bar);
  EXPECT_EQ(ClickAt({bar.left + 50, bar.top + 10}), head.Handle());
  EXPECT_EQ(pane.closes, 2);
  // With the button hidden, its square still closes through the bar.
  head.ShowCloseBtn(0);
  EXPECT_EQ(ClickAt({square.left + 8, square.top + 8}), head.Handle());
  EXPECT_EQ(pane.closes, 3);

  // A new title shows at the next paint.
  head.setTitle("信息");
  EXPECT_EQ(head.Title(), "信息");
  SetCursorPos(0, 0);
}

TEST(SharedFramework, OneCopyServesTheProgramAndTheLibraries) {
  // The library joined the resource chain of the framework the program uses: only one copy of
  // the framework's state exists in the process.
  HMODULE zelbase = GetModuleHandleA("ZelBase.dll");
  ASSERT_NE(GetModuleHandleA("Framework.dll"), nullptr);
  ASSERT_NE(zelbase, nullptr);
  EXPECT_EQ(fw::Module::FindResourceModule(MAKEINTRESOURCEA(260), MAKEINTRESOURCEA(2)), zelbase);
  // The program's own resources come first.
  EXPECT_EQ(fw::Module::FindResourceModule(MAKEINTRESOURCEA(IDB_TEST_NORMAL), MAKEINTRESOURCEA(2)),
            GetModuleHandleA(nullptr));
  EXPECT_EQ(fw::Module::FindResourceModule(MAKEINTRESOURCEA(9999), MAKEINTRESOURCEA(2)), nullptr);
  // A library's skinned button finds the program's bitmaps along the chain.
  Pane host;
  ASSERT_NE(host.Create(nullptr, "宿主", WS_POPUP), nullptr);
  CxSkinButton button;
  ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE, RECT{0, 0, 10, 10}, host, 1));
  button.SetSkin(IDB_TEST_NORMAL, 0, 0, 0, 0, IDB_TEST_MASK, 0, 0, 0);
  EXPECT_NE(button.Region(), nullptr);
  fw::Module::SetMainWindow(host);
  EXPECT_EQ(fw::Module::MainWindow(), host.Handle());
  fw::Module::SetMainWindow(nullptr);
}

}  // namespace
