#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include "framework/dialog.h"
#include "framework/gbk_string.h"
#include "framework/menu.h"
#include "framework/message_loop.h"
#include "framework/module.h"
#include "framework/tests/framework_test_ids.h"
#include "framework/tooltip.h"
#include "framework/window.h"

namespace {

// "a", a double-byte character whose trail byte is '\\', "b\\c": only the real backslash counts.
const char kTricky[] = "a\xB1\x5C" "b\\c";

TEST(GbkString, SearchesCutsAndCaseChangesGoByWholeCharacters) {
  const fw::CString text(kTricky);
  EXPECT_EQ(text.GetLength(), 6);
  EXPECT_EQ(text.Find('\\'), 4);
  EXPECT_EQ(text.ReverseFind('\\'), 4);
  EXPECT_EQ(text.Find("b\\"), 3);
  EXPECT_EQ(text.Find('\\', 5), -1);
  EXPECT_EQ(text.Find("x"), -1);
  EXPECT_EQ(text.Left(2), "a");        // the cut would split the character: it stays out
  EXPECT_EQ(text.Mid(2), "b\\c");      // a start inside a character moves past it
  EXPECT_EQ(text.Mid(0, 3), "a\xB1\x5C");
  EXPECT_EQ(text.Right(4), "b\\c");
  EXPECT_EQ(text.Right(99), text);
  EXPECT_TRUE(text.Mid(9).IsEmpty());

  fw::CString letters("a\xB1\x61z");  // the trail byte 0x61 is an 'a' that is no letter here
  letters.MakeUpper();
  EXPECT_EQ(letters, "A\xB1\x61Z");
  EXPECT_EQ(letters.CompareNoCase("a\xB1\x61z"), 0);
  EXPECT_NE(letters.CompareNoCase("a\xB1\x41z"), 0);

  fw::CString path("x\xB1\x5Cy\\");
  EXPECT_EQ(path.Replace("\\", "/"), 1);
  EXPECT_EQ(path, "x\xB1\x5Cy/");

  fw::CString padded("  表格 \t");
  EXPECT_EQ(padded.Trim(), "表格");
  fw::CString formatted;
  formatted.Format("%s-%d", "表", 3);
  EXPECT_EQ(formatted, "表-3");
  EXPECT_EQ(fw::CString(nullptr), "");
  EXPECT_EQ("前" + fw::CString("后") + "缀", "前后缀");
  EXPECT_TRUE(fw::CString("a") < fw::CString("b"));
}

TEST(Menu, ItemsEnableCheckAndRelabelAndOwnershipIsOnce) {
  HMENU borrowed = nullptr;
  {
    fw::Menu menu = fw::Menu::CreatePopup();
    ASSERT_TRUE(menu);
    EXPECT_TRUE(menu.AppendItem(100, "打开"));
    EXPECT_TRUE(menu.AppendSeparator());
    EXPECT_TRUE(menu.AppendItem(101, "删除"));
    EXPECT_EQ(menu.ItemCount(), 3);
    EXPECT_EQ(menu.Enable(101, false), 1);
    EXPECT_FALSE(menu.IsEnabled(101));
    EXPECT_EQ(menu.Enable(101, true), 0);
    EXPECT_EQ(menu.Check(100, true), 0);
    EXPECT_TRUE(menu.IsChecked(100));
    EXPECT_EQ(menu.Enable(999, true), -1);
    EXPECT_TRUE(menu.SetItemText(100, "关闭"));
    char label[32] = {};
    GetMenuStringA(menu.Handle(), 100, label, sizeof label, MF_BYCOMMAND);
    EXPECT_STREQ(label, "关闭");

    fw::Menu moved = std::move(menu);
    EXPECT_FALSE(menu);
    borrowed = moved.Handle();
    { fw::Menu view = fw::Menu::Borrow(borrowed); }
    EXPECT_TRUE(IsMenu(borrowed));  // a borrowed handle is not destroyed
  }
  EXPECT_FALSE(IsMenu(borrowed));  // the owner destroyed it once
  EXPECT_FALSE(fw::Menu::Load(GetModuleHandleA(nullptr), 4242));
}

// A window that takes some keys before they are dispatched, and counts what is dispatched.
class KeyTaker : public fw::Window {
 public:
  explicit KeyTaker(WPARAM key) : key_(key) { Handle(WM_KEYDOWN, &KeyTaker::OnKeyDown); }
  int taken = 0;
  int dispatched = 0;
  bool PreTranslateMessage(MSG& msg) override {
    if (msg.message != WM_KEYDOWN || msg.wParam != key_) return false;
    ++taken;
    return true;
  }

 protected:
  fw::WindowClassSpec ClassSpec() const override {
    fw::WindowClassSpec spec;
    spec.name = "fw.test.KeyTaker";
    return spec;
  }

 private:
  LRESULT OnKeyDown(const fw::Message&) {
    ++dispatched;
    return 0;
  }
  WPARAM key_;
};

TEST(PreTranslateChain, TheTargetAndThenItsParentsSeeKeysFirstInLoopsAndModalDialogs) {
  fw::Module::Init(GetModuleHandleA(nullptr));
  KeyTaker parent(VK_RETURN), child(VK_DELETE);
  ASSERT_NE(parent.Create(nullptr, "上层", WS_OVERLAPPEDWINDOW), nullptr);
  const RECT area{0, 0, 50, 20};
  ASSERT_NE(child.Create(parent, "下层", WS_CHILD | WS_VISIBLE, 0, &area), nullptr);
  fw::MessageLoop loop;
  PostMessageA(child, WM_KEYDOWN, VK_DELETE, 0);
  PostMessageA(child, WM_KEYDOWN, VK_RETURN, 0);
  PostMessageA(child, WM_KEYDOWN, 'A', 0);
  PostQuitMessage(5);
  EXPECT_EQ(loop.Run(), 5);
  EXPECT_EQ(child.taken, 1);
  EXPECT_EQ(parent.taken, 1);
  EXPECT_EQ(child.dispatched, 1);  // only 'A' reached the window
  EXPECT_EQ(parent.dispatched, 0);

  // In a modal dialog the system runs the loop; the chain still gets the key first.
  struct Modal : fw::Dialog {
    Modal() : Dialog(IDD_TEST_DIALOG, GetModuleHandleA(nullptr)) { Handle(WM_INITDIALOG, &Modal::OnInit); }
    KeyTaker edit{VK_DELETE};
    LRESULT OnInit(const fw::Message&) {
      edit.Subclass(Item(IDC_TEST_EDIT));
      PostMessageA(Item(IDC_TEST_EDIT), WM_KEYDOWN, VK_DELETE, 0);
      PostMessageA(Handle(), WM_COMMAND, IDCANCEL, 0);
      return TRUE;
    }
  } modal;
  EXPECT_EQ(modal.DoModal(nullptr), IDCANCEL);
  EXPECT_EQ(modal.edit.taken, 1);
  EXPECT_EQ(modal.edit.dispatched, 0);
  parent.Destroy();
}

TEST(ToolTip, WindowToolsGetAndChangeTheirText) {
  KeyTaker owner(0);
  ASSERT_NE(owner.Create(nullptr, "提示", WS_OVERLAPPEDWINDOW), nullptr);
  fw::ToolTip tip;
  EXPECT_FALSE(tip.AddWindowTool(owner, "无"));  // no control yet
  ASSERT_TRUE(tip.Create(owner));
  ASSERT_TRUE(tip.AddWindowTool(owner, "第一"));
  EXPECT_EQ(SendMessageA(tip.Handle(), TTM_GETTOOLCOUNT, 0, 0), 1);
  tip.UpdateText(owner, "第二");
  char text[80] = {};
  TOOLINFOA info = {};
  info.cbSize = TTTOOLINFOA_V2_SIZE;
  info.uFlags = TTF_IDISHWND;
  info.hwnd = owner;
  info.uId = reinterpret_cast<UINT_PTR>(owner.Handle());
  info.lpszText = text;
  SendMessageA(tip.Handle(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
  EXPECT_STREQ(text, "第二");
  HWND control = tip.Handle();
  tip.Destroy();
  EXPECT_FALSE(IsWindow(control));
  owner.Destroy();
}

}  // namespace
