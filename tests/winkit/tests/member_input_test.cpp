// Member input against a window of known controls: a click reaches the button it aims at, a
// covered or hidden button is refused and named, typed and pasted text and keys arrive in the edit
// box as entered, a right click, a double click and a drag are seen by the window under them.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/winkit/member_input.h"
#include "tests/winkit/winkit.h"

namespace winkit {
namespace {

constexpr int kButtonId = 101;
constexpr int kEditId = 102;
const char kClass[] = "WinkitInputScene";

struct Seen {
  int buttonClicks = 0;
  int rightClicks = 0;
  int doubleClicks = 0;
  POINT pressedAt = {-1, -1};
  POINT releasedAt = {-1, -1};
  std::vector<WPARAM> keys;
};
Seen g_seen;

LRESULT CALLBACK SceneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kButtonId && HIWORD(wParam) == BN_CLICKED) ++g_seen.buttonClicks;
      return 0;
    case WM_RBUTTONUP: ++g_seen.rightClicks; return 0;
    case WM_LBUTTONDBLCLK: ++g_seen.doubleClicks; return 0;
    case WM_LBUTTONDOWN: g_seen.pressedAt = {LOWORD(lParam), HIWORD(lParam)}; return 0;
    case WM_LBUTTONUP: g_seen.releasedAt = {LOWORD(lParam), HIWORD(lParam)}; return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

// The box's keys are watched through a Unicode procedure: typed Chinese reaches an edit control
// as one character, which an ANSI procedure would see split into its two GBK bytes (and Wine's
// CallWindowProcA does not join them again).
WNDPROC g_editProc = nullptr;
LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN) g_seen.keys.push_back(wParam);
  return CallWindowProcW(g_editProc, window, message, wParam, lParam);
}

class Scene {
 public:
  Scene() {
    g_seen = Seen();
    WNDCLASSA windowClass = {};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = SceneProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClass;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassA(&windowClass);
    frame_ = CreateWindowExA(0, kClass, "input scene", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 120, 100, 420,
                             260, nullptr, nullptr, windowClass.hInstance, nullptr);
    button_ = CreateWindowExA(0, "BUTTON", "press", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 20, 100, 30, frame_,
                              reinterpret_cast<HMENU>(kButtonId), windowClass.hInstance, nullptr);
    edit_ = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 20, 70, 300, 26,
                            frame_, reinterpret_cast<HMENU>(kEditId), windowClass.hInstance, nullptr);
    g_editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProc)));
    ShowWindow(frame_, SW_SHOW);
    UpdateWindow(frame_);
    PumpMessages(100);
  }
  ~Scene() { DestroyWindow(frame_); }

  HWND frame_ = nullptr;
  HWND button_ = nullptr;
  HWND edit_ = nullptr;
};

TEST(MemberInput, ClicksReachOnlyWhatIsInSightAndTypedTextArrivesAsTyped) {
  Scene scene;
  ASSERT_TRUE(BringToFront(scene.frame_));

  // A click at the button's centre presses it.
  ASSERT_TRUE(ClickControl(scene.button_));
  EXPECT_EQ(1, g_seen.buttonClicks);

  // A sibling laid over the button takes the point: the click is refused and the cover named.
  HWND cover = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BLACKRECT | SS_NOTIFY, 10, 10, 150, 50,
                               scene.frame_, nullptr, GetModuleHandleA(nullptr), nullptr);
  SetWindowPos(cover, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  PumpMessages(50);
  HWND covering = nullptr;
  EXPECT_FALSE(ClickControl(scene.button_, &covering));
  EXPECT_EQ(cover, covering);
  DestroyWindow(cover);

  // A hidden button cannot be clicked at all.
  ShowWindow(scene.button_, SW_HIDE);
  EXPECT_FALSE(ClickControl(scene.button_));
  ShowWindow(scene.button_, SW_SHOW);
  EXPECT_EQ(1, g_seen.buttonClicks);

  // Typed and pasted text arrive as the member entered them; keys reach the focused box. A loaded
  // machine may deliver the last keys after the helper's settling time: the box is given a moment
  // more.
  auto boxText = [&scene](const std::string& expected) {
    for (int i = 0; i < 60 && WindowText(scene.edit_) != expected; ++i) PumpMessages(50);
    return WindowText(scene.edit_);
  };
  ASSERT_TRUE(ClickControl(scene.edit_));
  TypeText(std::string("abc "));
  ASSERT_TRUE(PasteText("壁纸"));
  EXPECT_EQ(std::string("abc 壁纸"), boxText("abc 壁纸"));
  g_seen.keys.clear();
  PressKey(VK_HOME);
  PressKey(VK_END, kShift);
  PressKey(VK_DELETE);
  EXPECT_EQ("", boxText(""));
  ASSERT_GE(g_seen.keys.size(), 3u);
  EXPECT_EQ(VK_HOME, g_seen.keys.front());
  EXPECT_EQ(VK_DELETE, g_seen.keys.back());

  // A skin element drawn by the frame itself: right click, double click and a drag across it.
  const RECT element = {200, 120, 300, 200};
  ASSERT_TRUE(PointReaches(ScreenCentreOf(scene.frame_, element), scene.frame_));
  RightClickAt(ScreenCentreOf(scene.frame_, element));
  EXPECT_EQ(1, g_seen.rightClicks);
  DoubleClickAt(ScreenCentreOf(scene.frame_, element));
  EXPECT_EQ(1, g_seen.doubleClicks);
  POINT from = {210, 130}, to = {290, 190};
  ClientToScreen(scene.frame_, &from);
  ClientToScreen(scene.frame_, &to);
  DragMouse(from, to);
  EXPECT_EQ(210, g_seen.pressedAt.x);
  EXPECT_EQ(130, g_seen.pressedAt.y);
  EXPECT_EQ(290, g_seen.releasedAt.x);
  EXPECT_EQ(190, g_seen.releasedAt.y);
}

}  // namespace
}  // namespace winkit
