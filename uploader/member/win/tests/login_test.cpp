// The uploader's login against the stand-in service, driven in the test host the way the frame
// runs it: empty fields, a wrong password, a stalled service, a remembered login, and the
// automatic login after logging out.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "conf/core/user_list_file.h"
#include "tests/winkit/screenshot.h"
#include "tests/winkit/standin_client.h"
#include "tests/winkit/winkit.h"
#include "uploader/member/win/member_resources.h"

namespace {

const char kTitle[] = "墨岚屏[Pelora]-系统消息";
const char kZhangSan[] = "张三";

class MemberHost {
 public:
  MemberHost() : folder_({"member_host.exe", "Conf.dll", "ZelBase.dll", "Framework.dll"}) {}
  bool Start(const std::string& steps) { return process_.Start(folder_.Path("member_host.exe"), steps, folder_.Root()); }
  // Waits until host.out holds the line.
  bool WaitForReport(const std::string& line, DWORD timeoutMs = 30000) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
      if (winkit::ReadTextFile(folder_.Path("host.out")).find(line + "\n") != std::string::npos) return true;
      winkit::PumpMessages(50);
    }
    return false;
  }
  std::string Reports() const { return winkit::ReadTextFile(folder_.Path("host.out")); }
  std::string File(const std::string& name) const { return winkit::ReadTextFile(folder_.Path(name)); }
  void WriteFile(const std::string& name, const std::string& text) const {
    winkit::WriteTextFile(folder_.Path(name), text);
  }
  DWORD Id() const { return process_.Id(); }
  winkit::ChildProcess& Process() { return process_; }

 private:
  winkit::InstallFolder folder_;
  winkit::ChildProcess process_;
};

// The dialog once it is up (filled and shown).
HWND WaitForLoginDialog(DWORD processId) {
  const HWND dialog = winkit::WaitForWindow("#32770", "用户登录", 20000, processId);
  for (int i = 0; dialog && i < 200 && !IsWindowVisible(dialog); ++i) winkit::PumpMessages(50);
  return dialog;
}

void Fill(HWND dialog, const char* user, const char* password, bool automatic, bool remember) {
  SetWindowTextA(GetDlgItem(dialog, IDC_LOGIN_USER), user);
  SetWindowTextA(GetDlgItem(dialog, IDC_LOGIN_PASSWORD), password);
  SendMessageA(GetDlgItem(dialog, IDC_LOGIN_AUTO), BM_SETCHECK, automatic ? BST_CHECKED : BST_UNCHECKED, 0);
  SendMessageA(GetDlgItem(dialog, IDC_LOGIN_REMEMBER), BM_SETCHECK, remember ? BST_CHECKED : BST_UNCHECKED, 0);
}

void PressLogin(HWND dialog) { PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); }

std::vector<winkit::StandinRequest> LoginRequests(const winkit::StandinSession& session) {
  std::vector<winkit::StandinRequest> found;
  for (const winkit::StandinRequest& request : session.Requests()) {
    if (request.path == "/kivane/passport.jsp") found.push_back(request);
  }
  return found;
}

TEST(HoistlyLogin, RefusalsStallRememberedAndAutomaticLogin) {
  winkit::StandinSession session;
  MemberHost host;
  // Two remembered users, "demo" the default one.
  const std::string demo = mb::conf::StorePassword("demo");
  host.WriteFile("userlist.dat", "[DEFAULTUSER]\r\nUserName=demo\r\nPassword=" + demo +
                                     "\r\nbAutoLogin=0\r\nbRecordPW=1\r\n\r\n[USER0]\r\nUserName=demo\r\nPassword=" +
                                     demo + "\r\n\r\n[USER1]\r\nUserName=" + kZhangSan +
                                     "\r\nPassword=" + mb::conf::StorePassword("123456") + "\r\n");
  // Five frame commands: log out (the flag starts at 1), three dialogs, with a log-out between
  // the second and the third.
  ASSERT_TRUE(host.Start("login-command login-command login-command login-command login-command"));
  ASSERT_TRUE(host.WaitForReport("login-command=0"));

  // First dialog: empty fields, a wrong password, then a stalled service with the user chosen
  // from the list (which fills that user's own password).
  HWND dialog = WaitForLoginDialog(host.Id());
  ASSERT_NE(dialog, nullptr);
  Fill(dialog, "", "", false, false);
  PressLogin(dialog);
  std::string text;
  ASSERT_TRUE(winkit::AnswerMessageBox(kTitle, IDOK, 20000, &text, host.Id()));
  EXPECT_EQ(text, "用户名和密码不能为空!");
  EXPECT_TRUE(LoginRequests(session).empty());

  Fill(dialog, kZhangSan, "wrong", false, false);
  PressLogin(dialog);
  ASSERT_TRUE(winkit::AnswerMessageBox(kTitle, IDOK, 20000, &text, host.Id()));
  EXPECT_EQ(text, "用户名或密码错误!");
  winkit::PumpMessages(200);
  EXPECT_TRUE(IsWindow(dialog));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
  EXPECT_EQ(LoginRequests(session).size(), 1u);

  ASSERT_TRUE(session.Control("fault /kivane/passport.jsp stall")) << session.Error();
  Fill(dialog, "", "", false, false);
  SendMessageA(GetDlgItem(dialog, IDC_LOGIN_USER), CB_SETCURSEL, 1, 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_LOGIN_USER, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_LOGIN_USER)));
  session.Mark();
  const DWORD pressed = GetTickCount();
  PressLogin(dialog);
  ASSERT_TRUE(winkit::AnswerMessageBox(kTitle, IDOK, 30000, &text, host.Id()));
  const DWORD waited = GetTickCount() - pressed;
  EXPECT_EQ(text, "Retrieve Failed");
  EXPECT_GE(waited, 9000u);
  EXPECT_LT(waited, 16000u);
  ASSERT_TRUE(session.Control("clear\nrelease")) << session.Error();
  ASSERT_EQ(LoginRequests(session).size(), 1u);
  EXPECT_NE(LoginRequests(session)[0].query.find("&pass=e10adc3949ba59abbe56e057f20f883e&"), std::string::npos);
  ASSERT_TRUE(host.WaitForReport("login-command=0\nlogin-command=0"));  // closed, still logged out
  std::string users = host.File("userlist.dat");
  EXPECT_NE(users.find("[DEFAULTUSER]\r\nUserName=张三\r\nPassword=\r\nbAutoLogin=0\r\nbRecordPW=0\r\n"),
            std::string::npos)
      << users;

  // Second dialog: the user is offered, the password was not kept; log in with both boxes ticked.
  session.Mark();
  dialog = WaitForLoginDialog(host.Id());
  ASSERT_NE(dialog, nullptr);
  // Read as UTF-16: another process's texts do not survive the ANSI round trip.
  const HWND userBox = GetDlgItem(dialog, IDC_LOGIN_USER);
  wchar_t shown[64] = {};
  EXPECT_EQ(SendMessageW(userBox, CB_GETCURSEL, 0, 0), 1);
  SendMessageW(userBox, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(shown));
  EXPECT_STREQ(shown, L"\x5F20\x4E09");
  EXPECT_EQ(GetWindowTextLengthA(GetDlgItem(dialog, IDC_LOGIN_PASSWORD)), 0);  // forgotten at the stall
  Fill(dialog, kZhangSan, "123456", true, true);
  winkit::CaptureWindowToPng(dialog, winkit::ScreenshotPath("uploader_login_dialog"));
  PressLogin(dialog);
  ASSERT_TRUE(host.WaitForReport("login-command=1"));
  const std::vector<winkit::StandinRequest> sent = LoginRequests(session);
  ASSERT_GE(sent.size(), 1u);  // the automatic login may follow at once
  EXPECT_EQ(sent[0].head,
            "GET /kivane/passport.jsp?user=%D5%C5%C8%FD&pass=e10adc3949ba59abbe56e057f20f883e&clientver=1&confver=1 "
            "HTTP/1.0\r\n"
            "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/vnd.ms-excel, "
            "application/msword, application/vnd.ms-powerpoint, */*\r\n"
            "Accept-Language: en-us\r\nAccept-Encoding: gzip, deflate\r\nUser-Agent: Mozilla/4.0\r\n"
            "Host: 127.0.0.1\r\n\r\n");
  users = host.File("userlist.dat");
  const std::size_t password = users.find("\r\nPassword=") + 11;
  EXPECT_EQ(users.find("\r\n", password) - password, 16u) << users;  // 6 bytes enciphered as one block
  EXPECT_NE(users.find("bAutoLogin=1\r\nbRecordPW=1\r\n"), std::string::npos);
  EXPECT_EQ(users.find("123456"), std::string::npos);

  // Log out, then the dialog logs in by itself: one more request, no click.
  ASSERT_TRUE(host.Process().WaitForExit(30000));
  EXPECT_EQ(host.Reports(), "login-command=0\nlogin-command=0\nlogin-command=1\nlogin-command=0\nlogin-command=1\n");
  const std::vector<winkit::StandinRequest> all = LoginRequests(session);
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[1].head, sent[0].head);
}

}  // namespace
