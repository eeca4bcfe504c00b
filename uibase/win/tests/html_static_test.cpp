// The HTML static control in a dialog shaped like the uploader's About dialog, under Wine: the
// link label's text queries, hover, clicks and disabled state, and a sample of the whole subset.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/dialog.h"
#include "tests/winkit/screenshot.h"
#include "tests/winkit/winkit.h"
#include "uibase/win/tests/html_static_test_ids.h"
#include "uibase/win/pp_html_static.h"

namespace {

constexpr UINT kLinkClicked = WM_APP + 5;
constexpr COLORREF kAboutBackground = RGB(255, 243, 187);

void Pump() {
  MSG msg;
  for (int round = 0; round < 5; ++round) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(10);
  }
}

// Hover notices the control sends itself, seen by a thread hook.
std::vector<int> g_hovers;
LRESULT CALLBACK WatchHover(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == CPPHtmlStatic::kLinkHoverMessage) g_hovers.push_back(static_cast<int>(call->wParam));
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

class AboutSample : public fw::Dialog {
 public:
  AboutSample() : fw::Dialog(IDD_ABOUT_SAMPLE) {
    Handle(WM_INITDIALOG, &AboutSample::OnInitDialog);
    Handle(kLinkClicked, &AboutSample::OnLinkClicked);
  }
  CPPHtmlStatic link;
  CPPHtmlStatic sample;
  std::vector<std::string> clicked;
  std::vector<LPARAM> values;

 private:
  LRESULT OnInitDialog(const fw::Message&) {
    link.SubclassDlgItem(IDC_HOME_LINK, Handle());
    link.SetHyperlink("http://home.example/", "http://home.example/", 0);
    link.SetBkColor(kAboutBackground);
    sample.SubclassDlgItem(IDC_SAMPLE, Handle());
    return TRUE;
  }
  LRESULT OnLinkClicked(const fw::Message& m) {
    clicked.push_back(reinterpret_cast<const char*>(m.wParam));  // readable during the call only
    values.push_back(m.lParam);
    return 0;
  }
};

winkit::Rgb ToRgb(COLORREF c) { return {GetRValue(c), GetGValue(c), GetBValue(c)}; }

POINT ScreenPointOf(HWND control, const RECT& area) {
  POINT p = {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
  ClientToScreen(control, &p);
  return p;
}

void PointAt(HWND control, POINT screen) {
  SetCursorPos(screen.x, screen.y);
  SendMessageA(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  Pump();
}

TEST(HtmlStatic, AboutLinkAnswersQueriesHoversClicksAndDisables) {
  AboutSample about;
  ASSERT_NE(about.Create(), nullptr);
  // On top, so that the pointer moved onto the link is over this dialog.
  SetWindowPos(about.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  HWND control = about.link.Handle();
  Pump();

  // Text queries: the buffer's size bounds the copy, and a byte past it stays as it was.
  for (std::size_t size : {0u, 1u, 5u}) {
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    const LRESULT n = SendMessageA(control, WM_GETTEXT, size, reinterpret_cast<LPARAM>(buffer));
    EXPECT_EQ(n, size == 0 ? 0 : static_cast<LRESULT>(size - 1));
    EXPECT_EQ(buffer[size], '#') << size;
    if (size > 0) {
      EXPECT_EQ(std::string(buffer), std::string("<a href=\"http://home.example/\">").substr(0, size - 1));
    }
  }
  EXPECT_EQ(GetWindowTextLengthA(control), static_cast<int>(about.link.HtmlText().size()));
  EXPECT_TRUE(SetWindowTextA(control, "plain"));
  EXPECT_EQ(about.link.HtmlText(), "plain");
  about.link.SetHyperlink("http://home.example/", "http://home.example/", 0);
  Pump();

  const winkit::RgbImage plain = winkit::SaveClientScreenshot(about.Handle(), "html_static_link");
  RECT placed = {};
  GetWindowRect(control, &placed);
  MapWindowPoints(nullptr, about.Handle(), reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ(plain.Pixel(placed.right - 2, placed.bottom - 2), ToRgb(kAboutBackground));
  const winkit::Rgb blue = ToRgb(RGB(0, 0, 255));
  const std::size_t bluePlain = plain.CountPixels(blue, placed.left, placed.top, placed.right, placed.bottom);
  EXPECT_GT(bluePlain, 20u);

  // Onto the link: the hover notice with link 0 and the hand; the underline appears.
  std::string opened;
  about.link.GetHtmlDrawer()->SetUrlOpener([&](const std::string& target, int) { opened = target; });
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchHover, nullptr, GetCurrentThreadId());
  const POINT onLink = ScreenPointOf(control, about.link.TextArea());
  PointAt(control, onLink);
  EXPECT_EQ(g_hovers, (std::vector<int>{0}));
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
  const winkit::RgbImage hovered = winkit::SaveClientScreenshot(about.Handle(), "html_static_hover");
  EXPECT_GT(hovered.CountPixels(blue, placed.left, placed.top, placed.right, placed.bottom), bluePlain + 20);

  // Off the link, twice: -2 once.
  POINT off = onLink;
  off.x = placed.right + 200;
  PointAt(control, off);
  SendMessageA(control, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(g_hovers, (std::vector<int>{0, -2}));
  UnhookWindowsHookEx(hook);

  // A click on a URL link reaches the opener; a "msg" link calls the parent with its text.
  const RECT area = about.link.TextArea();
  const LPARAM at = MAKELPARAM((area.left + area.right) / 2, (area.top + area.bottom) / 2);
  SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(control, WM_LBUTTONUP, 0, at);
  EXPECT_EQ(opened, "http://home.example/");
  about.link.SetHyperlink("a <b> \xC1\xB4\xBD\xD3", "ping \"me\"", 1);
  about.link.SetCallbackHyperlink(kLinkClicked, 77);
  EXPECT_EQ(about.link.HtmlText(), "<a msg='ping \"me\"'>a <<b> \xC1\xB4\xBD\xD3</a>");
  Pump();
  const RECT msgArea = about.link.TextArea();
  const LPARAM msgAt = MAKELPARAM((msgArea.left + msgArea.right) / 2, (msgArea.top + msgArea.bottom) / 2);
  SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, msgAt);
  EXPECT_EQ(about.clicked, (std::vector<std::string>{"ping \"me\""}));
  EXPECT_EQ(about.values, (std::vector<LPARAM>{77}));

  // Disabled: embossed, no clicks, no animation ticks.
  about.link.SetAnimation(static_cast<DWORD>(1));  // a missing strip: only the timer matters
  EnableWindow(control, FALSE);
  Pump();
  SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, msgAt);
  SendMessageA(control, WM_TIMER, CPPHtmlStatic::kAnimationTimer, 0);
  EXPECT_EQ(about.clicked.size(), 1u);
  about.link.SetHyperlink("http://home.example/", "http://home.example/", 0);
  Pump();
  const winkit::RgbImage disabled = winkit::SaveClientScreenshot(about.Handle(), "html_static_disabled");
  EXPECT_GT(disabled.CountPixels(ToRgb(GetSysColor(COLOR_BTNSHADOW)), placed.left, placed.top, placed.right, placed.bottom), 20u);
  EXPECT_EQ(disabled.CountPixels(blue, placed.left, placed.top, placed.right, placed.bottom), 0u);
  about.EndDialog(IDOK);
}

TEST(HtmlStatic, ZoomAndTheSubsetSample) {
  AboutSample about;
  ASSERT_NE(about.Create(), nullptr);
  CPPHtmlStatic& sample = about.sample;
  // Zoom 0 fills the client area less the margins.
  SIZE frame = {16, 8};
  sample.SetImageList(static_cast<DWORD>(3), 2, &frame, RGB(255, 0, 255));
  sample.SetMargins(3, 2);
  sample.SetImageZoom(0);
  RECT client = {};
  GetClientRect(sample.Handle(), &client);
  EXPECT_EQ(sample.HtmlText(), "<ilst index=2 idres=3 mask=0xFF00FF cx=16, cy=8 width=" + std::to_string(client.right - 7) +
                                   " height=" + std::to_string(client.bottom - 4) + ">");

  // The whole subset: a table with a filled cell, a rule, an image and justified Chinese text.
  HDC screen = GetDC(nullptr);
  HBITMAP picture = CreateCompatibleBitmap(screen, 24, 24);
  ReleaseDC(nullptr, screen);
  {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, picture);
    RECT all = {0, 0, 24, 24};
    HBRUSH green = CreateSolidBrush(RGB(0, 160, 0));
    FillRect(dc, &all, green);
    DeleteObject(green);
    SelectObject(dc, old);
    DeleteDC(dc);
  }
  char text[1024];
  wsprintfA(text,
            "<table border=1 cellpadding=3><tr><td bgcolor=#ffcc00><b>墨岚屏</b></td><td>上传 <bmp handle=0x%X></td>"
            "</tr></table><hr size=2 color=red><br><justify>这是一段很长的中文文字，用来检查换行和两端对齐的效果是否正确。"
            "Words wrap at spaces, too.</justify>",
            HandleToUlong(picture));
  SetWindowTextA(sample.Handle(), text);
  sample.SetBkColor(RGB(255, 255, 255));
  Pump();
  const winkit::RgbImage shot = winkit::SaveClientScreenshot(about.Handle(), "html_subset_sample");
  RECT placed = {};
  GetWindowRect(sample.Handle(), &placed);
  MapWindowPoints(nullptr, about.Handle(), reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_GT(shot.CountPixels({255, 204, 0}, placed.left, placed.top, placed.right, placed.bottom), 100u);
  EXPECT_GE(shot.CountPixels({0, 160, 0}, placed.left, placed.top, placed.right, placed.bottom), 24u * 24u);
  EXPECT_GT(shot.CountPixels({255, 0, 0}, placed.left, placed.top, placed.right, placed.bottom), 100u);
  EXPECT_GT(shot.CountPixels({0, 0, 0}, placed.left, placed.top + 60, placed.right, placed.bottom), 200u);
  about.EndDialog(IDOK);
  DeleteObject(picture);
}

}  // namespace
