#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/dialog.h"
#include "framework/message_loop.h"
#include "framework/module.h"
#include "framework/tests/framework_test_ids.h"
#include "framework/window.h"

namespace {

const UINT kAsk = WM_APP + 1;
const UINT kPosted = WM_APP + 2;

class CountingWindow : public fw::Window {
 public:
  CountingWindow() {
    Handle(kAsk, &CountingWindow::OnAsk);
    Handle(kPosted, &CountingWindow::OnPosted);
    Handle(WM_SETTEXT, &CountingWindow::OnSetText);
  }
  int asked = 0;
  int finalMessages = 0;
  std::string lastText;

 protected:
  fw::WindowClassSpec ClassSpec() const override {
    fw::WindowClassSpec spec;
    spec.name = "fw.test.Counting";
    return spec;
  }
  void OnFinalMessage(HWND) override { ++finalMessages; }

 private:
  LRESULT OnAsk(const fw::Message& m) {
    ++asked;
    return static_cast<LRESULT>(m.wParam * 2);
  }
  LRESULT OnPosted(const fw::Message&) {
    PostQuitMessage(42);
    return 0;
  }
  LRESULT OnSetText(const fw::Message& m) {
    lastText = reinterpret_cast<const char*>(m.lParam);
    return CallDefault(m);  // the default stores the text as the window title too
  }
};

TEST(Rig, RunsWithChineseCodePage) { EXPECT_EQ(GetACP(), 936u); }

TEST(Window, HandlersAnswerThroughSendMessageAndDefaultsStillRun) {
  fw::Module::Init(GetModuleHandleA(nullptr));
  CountingWindow window;
  ASSERT_NE(window.Create(nullptr, "计数", WS_OVERLAPPEDWINDOW), nullptr);
  EXPECT_EQ(fw::Window::FromHandle(window), &window);
  EXPECT_EQ(window.Send(kAsk, 21), 42);
  EXPECT_EQ(window.asked, 1);

  SetWindowTextA(window, "新标题");
  EXPECT_EQ(window.lastText, "新标题");
  char title[32] = {};
  GetWindowTextA(window, title, sizeof title);
  EXPECT_STREQ(title, "新标题");

  HWND hwnd = window;
  window.Destroy();
  EXPECT_EQ(window.finalMessages, 1);
  EXPECT_EQ(window.Handle(), nullptr);
  EXPECT_EQ(fw::Window::FromHandle(hwnd), nullptr);
}

TEST(MessageLoop, RunsUntilQuitAndAsksFiltersFirst) {
  struct SwallowPosted : fw::MessageFilter {
    int seen = 0;
    bool PreTranslateMessage(MSG& msg) override {
      if (msg.message != kPosted + 100) return false;
      ++seen;
      return true;
    }
  } filter;
  fw::MessageLoop loop;
  loop.AddFilter(&filter);
  CountingWindow window;
  ASSERT_NE(window.Create(nullptr, "loop", WS_OVERLAPPEDWINDOW), nullptr);
  window.Post(kPosted + 100);
  window.Post(kPosted);
  EXPECT_EQ(loop.Run(), 42);
  EXPECT_EQ(filter.seen, 1);
}

class TestDialog : public fw::Dialog {
 public:
  TestDialog() : Dialog(IDD_TEST_DIALOG) {
    Handle(WM_INITDIALOG, &TestDialog::OnInitDialog);
    Command(IDOK, &TestDialog::OnOK);
    Handle(WM_DRAWITEM, &TestDialog::OnDrawItem);
    Handle(WM_TIMER, &TestDialog::OnTimer);
  }
  std::string editText;
  bool drewButton = false;
  bool initialised = false;

 private:
  LRESULT OnInitDialog(const fw::Message&) {
    initialised = true;
    SetItemText(IDC_TEST_EDIT, "汉字");
    // End the dialog once it has been painted: timers come after paint messages.
    SetTimer(Handle(), 1, 50, nullptr);
    return TRUE;
  }
  LRESULT OnTimer(const fw::Message&) {
    KillTimer(Handle(), 1);
    PostMessageA(Handle(), WM_COMMAND, IDOK, 0);
    return 0;
  }
  LRESULT OnDrawItem(const fw::Message& m) {
    drewButton = reinterpret_cast<DRAWITEMSTRUCT*>(m.lParam)->CtlID == IDC_TEST_BUTTON;
    return TRUE;
  }
  void OnOK() {
    char text[64] = {};
    GetDlgItemTextA(Handle(), IDC_TEST_EDIT, text, sizeof text);
    editText = text;
    EndDialog(IDOK);
  }
};

TEST(Dialog, ModalDialogFromTemplateEndsWithItsCode) {
  TestDialog dialog;
  EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
  EXPECT_TRUE(dialog.initialised);
  EXPECT_EQ(dialog.editText, "汉字");
  EXPECT_TRUE(dialog.drewButton);
  EXPECT_FALSE(dialog.IsWindow());
}

TEST(Dialog, UnmappedCancelEndsAModalDialog) {
  struct Plain : fw::Dialog {
    Plain() : Dialog(IDD_TEST_DIALOG) {
      Handle(WM_INITDIALOG, &Plain::OnInit);
    }
    LRESULT OnInit(const fw::Message&) {
      PostMessageA(Handle(), WM_COMMAND, IDCANCEL, 0);
      return TRUE;
    }
  } dialog;
  EXPECT_EQ(dialog.DoModal(nullptr), IDCANCEL);
}

TEST(Dialog, MissingTemplateFails) {
  fw::Dialog dialog(9999);
  EXPECT_EQ(dialog.DoModal(nullptr), -1);
  EXPECT_EQ(dialog.Create(nullptr), nullptr);
}

// A handler's result reaches a sender in another dialog through DWLP_MSGRESULT.
TEST(Dialog, ModelessDialogAnswersSentMessagesAndRunsInTheThreadLoop) {
  struct Answering : fw::Dialog {
    Answering() : Dialog(IDD_TEST_DIALOG) {
      Handle(kAsk, &Answering::OnAsk);
      Command(IDCANCEL, &Answering::OnCancel);
    }
    LRESULT OnAsk(const fw::Message& m) { return static_cast<LRESULT>(m.wParam + 1); }
    void OnCancel() {
      EndDialog(IDCANCEL);
      PostQuitMessage(7);
    }
  } dialog;
  fw::MessageLoop loop;
  fw::Module::AddMessageLoop(&loop);
  ASSERT_NE(dialog.Create(nullptr), nullptr);
  EXPECT_EQ(dialog.Send(kAsk, 99), 100);
  // Escape in the edit box reaches the dialog through IsDialogMessage in the loop's filters.
  SetFocus(dialog.Item(IDC_TEST_EDIT));
  PostMessageA(dialog.Item(IDC_TEST_EDIT), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(loop.Run(), 7);
  EXPECT_FALSE(dialog.IsWindow());
  fw::Module::RemoveMessageLoop();
}

// Notifications a parent does not handle reach the control that sent them.
TEST(Window, UnhandledNotificationsAreReflectedToTheSender) {
  struct Button : fw::Window {
    Button() { Handle(fw::kReflectBase + WM_COMMAND, &Button::OnReflected); }
    LRESULT OnReflected(const fw::Message& m) {
      code = HIWORD(m.wParam);
      return 0;
    }
    UINT code = 0xFFFF;
  } button;
  CountingWindow parent;
  ASSERT_NE(parent.Create(nullptr, "parent", WS_OVERLAPPEDWINDOW), nullptr);
  HWND child = CreateWindowExA(0, "BUTTON", "b", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(button.Subclass(child));
  EXPECT_FALSE(button.Subclass(child));
  parent.Send(WM_COMMAND, MAKEWPARAM(5, BN_CLICKED), reinterpret_cast<LPARAM>(child));
  EXPECT_EQ(button.code, static_cast<UINT>(BN_CLICKED));
  parent.Destroy();
}

}  // namespace

namespace {

// The rig is real: a second process finds our window and hands it a text across the process
// boundary, and the answer comes back as its exit code.
TEST(Rig, SecondProcessExchangesAMessageWithOurWindow) {
  struct Receiver : fw::Window {
    Receiver() { Handle(WM_COPYDATA, &Receiver::OnCopyData); }
    fw::WindowClassSpec ClassSpec() const override {
      fw::WindowClassSpec spec;
      spec.name = "fw.test.RigReceiver";
      return spec;
    }
    LRESULT OnCopyData(const fw::Message& m) {
      auto* data = reinterpret_cast<const COPYDATASTRUCT*>(m.lParam);
      received.assign(static_cast<const char*>(data->lpData), data->cbData);
      return 77;
    }
    std::string received;
  } receiver;
  ASSERT_NE(receiver.Create(nullptr, "rig", WS_OVERLAPPEDWINDOW), nullptr);

  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string peer = exe;
  peer = peer.substr(0, peer.find_last_of('\\') + 1) + "rig_peer.exe";
  std::string commandLine = "\"" + peer + "\" fw.test.RigReceiver 墨岚屏";
  STARTUPINFOA si = {sizeof si};
  PROCESS_INFORMATION pi = {};
  ASSERT_TRUE(CreateProcessA(peer.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &si, &pi));
  // Serve our window's messages until the peer has finished.
  DWORD exitCode = STILL_ACTIVE;
  const DWORD deadline = GetTickCount() + 20000;
  while (GetTickCount() < deadline) {
    if (MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 100, QS_ALLINPUT) == WAIT_OBJECT_0) break;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  GetExitCodeProcess(pi.hProcess, &exitCode);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  EXPECT_EQ(exitCode, 77u);
  EXPECT_EQ(receiver.received, std::string("墨岚屏", sizeof("墨岚屏")));
}

}  // namespace

#include "framework/gdi.h"
#include "framework/ui_thread.h"
#include "common/win/thread_start.h"

namespace {

// Uses about 4 kB of stack a level and reads back what each level wrote.
int UseStack(int levels) {
  volatile char frame[4000];
  for (std::size_t i = 0; i < sizeof frame; i += 500) frame[i] = static_cast<char>(levels);
  const int below = levels > 0 ? UseStack(levels - 1) : 0;
  int sum = below;
  for (std::size_t i = 0; i < sizeof frame; i += 500) sum += frame[i] == static_cast<char>(levels) ? 1 : 1000;
  return sum;
}

DWORD WINAPI ReleaseAndUseStack(void* parameter) {
  char kept[8192];
  for (std::size_t i = 0; i < sizeof kept; ++i) kept[i] = static_cast<char>(i * 7);
  mb::ReleaseUnusedStack();  // once more, deeper than at the thread's start
  const int sum = UseStack(100);  // 400 kB into what was given back
  for (std::size_t i = 0; i < sizeof kept; ++i) {
    if (kept[i] != static_cast<char>(i * 7)) return 1;
  }
  return sum == 101 * 8 ? *static_cast<DWORD*>(parameter) : 2;
}

// Every thread of the programs starts this way: the entry gets its parameter and its exit code
// comes back, a suspended start waits for ResumeThread, and the stack a thread gives back stays
// usable below it while what lies above keeps its data.
TEST(BeginThread, RunsTheEntryOnAStackThatStaysUsableBelowWhatItGaveBack) {
  DWORD value = 4242;
  DWORD id = 0;
  HANDLE thread = mb::BeginThread(ReleaseAndUseStack, &value, CREATE_SUSPENDED, &id);
  ASSERT_NE(thread, nullptr);
  EXPECT_NE(id, 0u);
  EXPECT_EQ(WaitForSingleObject(thread, 200), static_cast<DWORD>(WAIT_TIMEOUT));
  ResumeThread(thread);
  ASSERT_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, 4242u);
  CloseHandle(thread);
  // The calling thread too.
  EXPECT_EQ(ReleaseAndUseStack(&value), 4242u);
}

TEST(UiThread, ReceivesThreadMessagesInOrderAndStopsWithinItsWait) {
  std::vector<WPARAM> seen;
  HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  fw::UiThread thread([&](const MSG& msg) {
    seen.push_back(msg.wParam);
    if (msg.wParam == 3) SetEvent(done);
  });
  ASSERT_TRUE(thread.Start());
  EXPECT_TRUE(thread.Post(WM_APP, 1));  // accepted at once: the queue exists before Start returns
  EXPECT_TRUE(thread.Post(WM_APP, 2));
  EXPECT_TRUE(thread.Post(WM_APP, 3));
  ASSERT_EQ(WaitForSingleObject(done, 5000), WAIT_OBJECT_0);
  EXPECT_EQ(seen, (std::vector<WPARAM>{1, 2, 3}));
  EXPECT_TRUE(thread.Stop(2000));
  EXPECT_FALSE(thread.Running());
  EXPECT_FALSE(thread.Post(WM_APP, 4));
  EXPECT_TRUE(thread.Stop(0));  // a second stop is harmless
  CloseHandle(done);
}

TEST(Gdi, SelectedObjectsAreRestoredAndOwnedObjectsDeleted) {
  fw::MemoryDC dc(nullptr);
  HGDIOBJ original = GetCurrentObject(dc, OBJ_BRUSH);
  HBRUSH raw = CreateSolidBrush(RGB(1, 2, 3));
  {
    fw::Brush brush(raw);
    {
      fw::ScopedSelect select(dc, brush);
      EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), raw);
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), original);
  }
  EXPECT_EQ(GetObjectType(raw), 0u);  // deleted
}

}  // namespace
