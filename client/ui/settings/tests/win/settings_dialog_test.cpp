// The settings page and the carousel time dialog under Wine, on a prepared conf.dat: the boxes'
// filter, the checks, what OK and Apply store and apply (conf.dat, the start-with-Windows
// shortcut, the desktop icons of a shell window tree made here, since Wine has none), skin 1's
// tabs, and the time dialog's zero interval, long one and Cancel after Apply.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <future>
#include <memory>
#include <string>

#include "client/core/client_config.h"
#include "client/ui/settings/win/carousel_time_dialog.h"
#include "client/ui/settings/win/settings_dialog.h"
#include "client/ui/settings/win/settings_operations.h"
#include "client/ui/tests/win/control_test_support.h"
#include "client/ui/win/small_window_calls.h"
#include "framework/module.h"
#include "tests/winkit/screenshot.h"
#include "tests/winkit/winkit.h"

namespace mb {
namespace {

const char kCaption[] = "墨岚屏[Pelora]-系统消息";
const char kSaved[] = "保存设置成功";

// A plain window of a class registered here.
HWND MakeWindow(const char* className, const char* title, HWND parent, DWORD style) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = className;
  RegisterClassA(&windowClass);
  return CreateWindowExA(0, className, title, style, 0, 0, 200, 200, parent, nullptr, GetModuleHandleA(nullptr),
                         nullptr);
}

// The shell's desktop as the desktop-icons switch looks for it.
struct DesktopIcons {
  DesktopIcons() {
    manager = MakeWindow("ProgMan", "Program Manager", nullptr, WS_POPUP);
    view = MakeWindow("SHELLDLL_DefView", "", manager, WS_CHILD | WS_VISIBLE);
    icons = CreateWindowExA(0, WC_LISTVIEWA, "FolderView", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, view, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  }
  ~DesktopIcons() { DestroyWindow(manager); }
  bool Shown() const { return (GetWindowLongA(icons, GWL_STYLE) & WS_VISIBLE) != 0; }
  HWND manager, view, icons;
};

// Runs action on this thread while another presses OK on the box it shows; the box's text.
std::string AnswerBox(const std::function<void()>& action) {
  std::string text;
  auto answered = std::async(std::launch::async, [&] {
    return winkit::AnswerMessageBox(kCaption, IDOK, 10000, &text, GetCurrentProcessId());
  });
  action();
  EXPECT_TRUE(answered.get());
  return text;
}

std::string Text(HWND dialog, int id) {
  char text[64] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
bool Visible(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }

void SetClipboard(HWND owner, const std::string& text) {
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  memcpy(GlobalLock(data), text.c_str(), text.size() + 1);
  GlobalUnlock(data);
  SetClipboardData(CF_TEXT, data);
  CloseClipboard();
}

class SettingsHost : public fw::Window {
 public:
  SettingsHost() {
    const RECT frame = {10, 10, 10 + 700, 10 + 340};
    Create(nullptr, "settings", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW, &frame);
  }
  ~SettingsHost() override { Destroy(); }

 protected:
  fw::WindowClassSpec ClassSpec() const override {
    fw::WindowClassSpec spec;
    spec.name = "mb.test.SettingsHost";
    return spec;
  }
};

class SettingsWindows : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    fw::Module::Init(GetModuleHandleA(nullptr));
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    desktop_ = std::make_unique<DesktopIcons>();
    ASSERT_TRUE(winkit::WriteTextFile(folder_.Path("conf.dat"),
                                      "[USER]\r\nuser=\r\nwindowstart=0\r\nautostart=1\r\nenabletip=1\r\n"
                                      "hideicon=0\r\nmin=5\r\nsec=30\r\n"));
    ASSERT_TRUE(CreateClientConfig({folder_.Root(), "http://127.0.0.1:9"}));
    config_ = GetClientConfig();
    config_->skinLayout = GetParam();
    SetAutoStartShortcut(false);
    host_ = std::make_unique<SettingsHost>();
    page_ = std::make_unique<SettingsDialog>();
    ASSERT_TRUE(page_->Create(host_->Handle()));
    MoveWindow(page_->Handle(), 0, 0, GetParam() == 1 ? 528 : 679, GetParam() == 1 ? 318 : 298, TRUE);
  }
  void TearDown() override {
    page_.reset();
    host_.reset();
    desktop_.reset();
    SetAutoStartShortcut(false);
    DestroyClientConfig();
  }
  std::string ConfDat() const { return winkit::ReadTextFile(folder_.Path("conf.dat")); }
  bool ShortcutIn(const std::string& folder) const { return winkit::FileExists(folder + "墨岚屏.lnk"); }
  // OK, Apply or skin 3's background apply button.
  std::string Save(bool ok) {
    const HWND page = page_->Handle();
    if (GetParam() == 3) {
      const LPARAM at = ok ? MAKELPARAM(450, 260) : MAKELPARAM(600, 260);
      return AnswerBox([&] { SendMessageA(page, WM_LBUTTONDOWN, MK_LBUTTON, at); });
    }
    return AnswerBox([&] { SendMessageA(page, WM_COMMAND, ok ? IDOK : 3, 0); });
  }

  uitest::CurrentSkin skin_{GetParam()};
  winkit::TempFolder folder_;
  std::unique_ptr<DesktopIcons> desktop_;
  ClientConfig* config_ = nullptr;
  std::unique_ptr<SettingsHost> host_;
  std::unique_ptr<SettingsDialog> page_;
};

TEST_P(SettingsWindows, PageChecksStoresAndAppliesItsSwitches) {
  const int layout = GetParam();
  const HWND page = page_->Handle();
  EXPECT_EQ(Text(page, 1016), "5");
  EXPECT_EQ(Text(page, 1026), "30");
  EXPECT_TRUE(Checked(page, 1031));
  EXPECT_FALSE(Checked(page, 1032) || Checked(page, 1033) || Checked(page, 1027));
  EXPECT_EQ(Text(page, 1033), layout == 1 ? "自动关闭消息对话框" : "自动关闭消息框");
  EXPECT_TRUE(Visible(page, 1016));
  EXPECT_EQ(Visible(page, 1031), layout != 1);
  EXPECT_FALSE(Visible(page, 1034));
  EXPECT_EQ(Visible(page, IDOK), layout != 3);
  uitest::SaveScreenshot(page, "settings_layout" + std::to_string(layout));

  // The minus sign and letters never reach the box, typed or pasted; digits do, five at most.
  const HWND minutes = GetDlgItem(page, 1016);
  SetWindowTextA(minutes, "");
  for (char c : std::string("-1a2")) SendMessageA(minutes, WM_CHAR, static_cast<unsigned char>(c), 1);
  EXPECT_EQ(Text(page, 1016), "12");
  SetClipboard(page, "-7");
  SendMessageA(minutes, WM_PASTE, 0, 0);
  EXPECT_EQ(Text(page, 1016), "12");
  SendMessageA(minutes, EM_SETSEL, 2, 2);
  SetClipboard(page, "3456");
  SendMessageA(minutes, WM_PASTE, 0, 0);
  EXPECT_EQ(Text(page, 1016), "12345");
  SendMessageA(minutes, WM_CHAR, '6', 1);
  EXPECT_EQ(Text(page, 1016), "12345");

  // Refusals store nothing.
  SetDlgItemTextA(page, 1016, "2");
  SetDlgItemTextA(page, 1026, "61");
  EXPECT_EQ(Save(true), "秒数设置最小为0，最大为60，请重新设置!");
  SetDlgItemTextA(page, 1026, "0");
  SetDlgItemTextA(page, 1016, "0");
  EXPECT_EQ(Save(false), "时间设置必须大于0");
  EXPECT_EQ(config_->minutes, 5);

  // Every switch on: conf.dat, the shortcut in the system's Startup folder, icons hidden.
  SetDlgItemTextA(page, 1016, "2");
  SetDlgItemTextA(page, 1026, "60");
  for (int box : {1027, 1032, 1033}) CheckDlgButton(page, box, BST_CHECKED);
  CheckDlgButton(page, 1031, BST_UNCHECKED);
  EXPECT_EQ(Save(false), kSaved);
  const settings::StartupFolders folders = QueryStartupFolders();
  EXPECT_TRUE(ShortcutIn(folders.system));
  EXPECT_FALSE(desktop_->Shown());
  std::string conf = ConfDat();
  for (const char* line : {"enabletip=0", "hideicon=1", "windowstart=1", "autostart=0", "min=2", "sec=60"}) {
    EXPECT_NE(conf.find(std::string(line) + "\r\n"), std::string::npos) << line;
  }

  // Cancel reloads what was stored.
  SetDlgItemTextA(page, 1016, "9");
  CheckDlgButton(page, 1032, BST_UNCHECKED);
  SendMessageA(page, WM_COMMAND, layout == 3 ? 20028 : IDCANCEL, 0);
  EXPECT_EQ(Text(page, 1016), "2");
  EXPECT_TRUE(Checked(page, 1032));

  // Off again: every copy of the shortcut goes, the icons come back.
  CheckDlgButton(page, 1032, BST_UNCHECKED);
  CheckDlgButton(page, 1027, BST_UNCHECKED);
  ASSERT_TRUE(winkit::MakeFolders(folders.user));
  ASSERT_TRUE(winkit::WriteTextFile(folders.user + "墨岚屏.lnk", "old"));
  EXPECT_EQ(Save(true), kSaved);
  EXPECT_FALSE(ShortcutIn(folders.system) || ShortcutIn(folders.user));
  EXPECT_TRUE(desktop_->Shown());
  conf = ConfDat();
  EXPECT_NE(conf.find("windowstart=0\r\n"), std::string::npos);
  EXPECT_NE(conf.find("hideicon=0\r\n"), std::string::npos);

  // A shortcut found in the member's own folder turns the switch on when the page reloads.
  ASSERT_TRUE(winkit::WriteTextFile(folders.user + "墨岚屏.lnk", "old"));
  SendMessageA(page, WM_COMMAND, layout == 3 ? 20028 : IDCANCEL, 0);
  EXPECT_TRUE(Checked(page, 1032));
  EXPECT_EQ(config_->startWithWindows, 1);
}

TEST_P(SettingsWindows, SkinOneTabsSwitchGroupsAndTheTimeDialogStores) {
  const HWND page = page_->Handle();
  if (GetParam() == 1) {
    // The system tab by its command, the about tab by a click on its element.
    SendMessageA(page, WM_COMMAND, 20201, 0);
    EXPECT_TRUE(Visible(page, 1031) && Visible(page, 1032) && Visible(page, 1033));
    EXPECT_FALSE(Visible(page, 1016) || Visible(page, 1034));
    const LPARAM about = MAKELPARAM(80, 120);
    SendMessageA(page, WM_MOUSEMOVE, 0, about);
    SendMessageA(page, WM_LBUTTONDOWN, MK_LBUTTON, about);
    SendMessageA(page, WM_LBUTTONUP, 0, about);
    EXPECT_TRUE(uitest::WaitUntil([&] { return Visible(page, 1034); }, 5000));
    EXPECT_FALSE(Visible(page, 1031));
    EXPECT_FALSE(Text(page, 1035).empty());
    uitest::SaveScreenshot(page, "settings_layout1_about");
    SendMessageA(page, WM_COMMAND, 20200, 0);
    EXPECT_TRUE(Visible(page, 1016) && !Visible(page, 1031));
  }

  // The time dialog: its picture while it is shown modeless, then driven from another thread
  // while it runs modal here.
  {
    CarouselTimeDialog shown;
    ASSERT_TRUE(shown.Create(host_->Handle()));
    ShowWindow(shown.Handle(), SW_SHOW);
    winkit::PumpMessages(100);
    winkit::CaptureWindowToPng(shown.Handle(), winkit::ScreenshotPath("carousel_time_dialog"));
    shown.Destroy();
  }
  const DWORD process = GetCurrentProcessId();
  auto drive = [process](const std::function<void(HWND)>& steps) {
    return std::async(std::launch::async, [=] {
      const HWND dialog = winkit::WaitForWindow("#32770", "壁纸参数设置", 10000, process);
      if (dialog) steps(dialog);
      return dialog != nullptr;
    });
  };
  // A command posted to the dialog and its box answered; the box is gone before the next step.
  auto press = [process](HWND dialog, int id) {
    std::string text;
    PostMessageA(dialog, WM_COMMAND, id, 0);
    winkit::AnswerMessageBox(kCaption, IDOK, 10000, &text, process);
    for (int i = 0; i < 500 && winkit::WaitForWindow("#32770", kCaption, 0, process); ++i) Sleep(10);
    return text;
  };
  std::string boxes, zeroOk, zeroApply, longApply;
  auto first = drive([&](HWND dialog) {
    boxes = Text(dialog, 1016) + "/" + Text(dialog, 1026);
    SetDlgItemTextA(dialog, 1016, "0");
    SetDlgItemTextA(dialog, 1026, "0");
    zeroOk = press(dialog, IDOK);
    zeroApply = press(dialog, 3);
    SetDlgItemTextA(dialog, 1026, "90");
    SendDlgItemMessageA(dialog, 1027, BM_SETCHECK, BST_CHECKED, 0);
    longApply = press(dialog, 3);
    SetDlgItemTextA(dialog, 1016, "7");
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_FALSE(ShowCarouselTimeDialog(host_->Handle()));
  ASSERT_TRUE(first.get());
  EXPECT_EQ(boxes, "5/30");
  EXPECT_EQ(zeroOk, "时间设置必须大于0");
  EXPECT_EQ(zeroApply, "时间设置必须大于0");
  EXPECT_EQ(longApply, kSaved);
  EXPECT_EQ(config_->minutes, 0);  // Cancel keeps what Apply stored
  EXPECT_EQ(config_->seconds, 90);
  EXPECT_EQ(config_->hideIcon, 1);
  EXPECT_FALSE(desktop_->Shown());
  EXPECT_NE(ConfDat().find("sec=90\r\n"), std::string::npos);
  EXPECT_EQ(Text(page, 1026), "30");  // the page reloads only after OK

  std::string okText;
  auto second = drive([&](HWND dialog) {
    SetDlgItemTextA(dialog, 1016, "1");
    SetDlgItemTextA(dialog, 1026, "5");
    okText = press(dialog, IDOK);
  });
  EXPECT_TRUE(ShowCarouselTimeDialog(host_->Handle()));
  ASSERT_TRUE(second.get());
  EXPECT_EQ(okText, kSaved);
  EXPECT_EQ(Text(page, 1016) + "/" + Text(page, 1026), "1/5");
}

INSTANTIATE_TEST_SUITE_P(Layouts, SettingsWindows, ::testing::Values(1, 2, 3));

}  // namespace
}  // namespace mb
