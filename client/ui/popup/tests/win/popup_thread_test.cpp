#include <gtest/gtest.h>
#include <windows.h>
#include <exdispid.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "client/ui/popup/win/popup_thread.h"
#include "client/ui/popup/win/popup_window.h"
#include "client/ui/tests/win/control_test_support.h"
#include "client/ui/win/small_window_calls.h"
#include "tests/winkit/standin_client.h"

namespace mb {
namespace {

const std::string kBase = std::string("http://") + MB_SERVICE_HOST + ":" + std::to_string(MB_SERVICE_HTTP_PORT);
constexpr int kFullHeight = 300;  // "popup_bk"
constexpr int kWidth = 420;

// The browser's events as the control raises them, on the popup's thread.
void Fire(PopupWindow& popup, DISPID id) {
  VARIANT args[2];
  VariantInit(&args[0]);
  VariantInit(&args[1]);
  args[1].vt = VT_DISPATCH;
  args[1].pdispVal = popup.Browser().Browser();  // the browser's own document
  args[0].vt = VT_BSTR;
  args[0].bstrVal = SysAllocString(L"http://notice/");
  DISPPARAMS params = {args, nullptr, 2, 0};
  popup.Browser().EventSink()->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
  SysFreeString(args[0].bstrVal);
}

// Records each popup and drives it as the test says, on the popup thread.
class PopupRecorder final : public PopupObserver {
 public:
  std::function<void(PopupWindow&, int)> drive;
  std::atomic<int> shown{0};
  std::atomic<HWND> current{nullptr};

  void OnPopupShown(PopupWindow& popup) override {
    {
      std::lock_guard<std::mutex> hold(lock_);
      urls_.push_back(popup.PageUrl());
    }
    current = popup.Handle();
    const int index = shown;
    if (drive) drive(popup, index);
    ++shown;
  }
  std::vector<std::string> Urls() {
    std::lock_guard<std::mutex> hold(lock_);
    return urls_;
  }

 private:
  std::mutex lock_;
  std::vector<std::string> urls_;
};

struct Track {
  std::vector<int> heights;  // each height seen, in order, repeats dropped
  DWORD fullMs = 0;          // how long it stood at full height
};

// Follows a popup until its window is gone; every place seen keeps the bottom edge and width.
Track Follow(HWND popup, DWORD timeoutMs, const std::function<void(HWND)>& atFullHeight = {}) {
  Track track;
  const int bottom = GetSystemMetrics(SM_CYMAXIMIZED) - 8;
  const int left = GetSystemMetrics(SM_CXMAXIMIZED) - 18 - kWidth;
  const DWORD start = GetTickCount();
  DWORD fullSince = 0;
  while (IsWindow(popup) && GetTickCount() - start < timeoutMs) {
    RECT r = {};
    if (GetWindowRect(popup, &r) && IsWindowVisible(popup)) {
      const int height = r.bottom - r.top;
      EXPECT_EQ(r.left, left);
      EXPECT_EQ(r.right - r.left, kWidth);
      if (height > 0) {
        EXPECT_EQ(r.bottom, bottom);
      }
      if (track.heights.empty() || track.heights.back() != height) track.heights.push_back(height);
      if (height == kFullHeight && !fullSince) {
        fullSince = GetTickCount();
        if (atFullHeight) atFullHeight(popup);
      }
      if (height != kFullHeight && fullSince && !track.fullMs) track.fullMs = GetTickCount() - fullSince;
    }
    Sleep(2);
  }
  EXPECT_FALSE(IsWindow(popup)) << "the popup stayed";
  return track;
}

// Slid in and out by steps of 5 pixels, up to the full height and down again.
void ExpectSlide(const Track& track, DWORD displayMs) {
  ASSERT_FALSE(track.heights.empty());
  std::size_t top = 0;
  for (std::size_t i = 1; i < track.heights.size(); ++i) {
    EXPECT_EQ(track.heights[i] % 5, 0) << track.heights[i];
    if (track.heights[i] > track.heights[i - 1]) {
      EXPECT_EQ(top, 0u) << "grew again while sliding out";
    }
    if (track.heights[i] < track.heights[i - 1] && !top) top = i - 1;
  }
  EXPECT_EQ(track.heights[top], kFullHeight);
  EXPECT_GT(track.heights.size(), 20u);  // steps, not a jump
  EXPECT_GE(track.fullMs + 50, displayMs);
}

class PopupThreadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetPopupSourceUrl(kBase + "/kivane/getmsg.html");
    SetPopupEnabled(true);
    SetPopupObserver(&recorder);
  }
  void TearDown() override {
    StopPopupThread();
    SetPopupObserver(nullptr);
    standin.Control("notices");
  }
  std::string Notice(int n) const { return kBase + "/kivane/notice/" + std::to_string(n) + ".html"; }
  bool WaitForShown(int count, DWORD timeoutMs) {
    return uitest::WaitUntil([&] { return recorder.shown >= count; }, timeoutMs);
  }

  uitest::CurrentSkin skin{2};
  winkit::StandinSession standin;
  PopupRecorder recorder;
};

TEST_F(PopupThreadTest, ThreeNoticesSlideInTurnAgainAfterTheIntervalUntilALinkIsClicked) {
  // A duplicate and an address that is not a web page are left out.
  ASSERT_TRUE(standin.Control("notices " + Notice(1) + "|" + Notice(2) + "|ftp://x/3|" + Notice(1) + "|" + Notice(3)));
  PopupSchedule schedule;
  schedule.firstWaitMs = 300;
  schedule.pollMs = 100;
  schedule.displayMs = 500;
  SetPopupSchedule(schedule);
  SetPopupRefreshInterval(3);
  // The first of each three loads when the test sends its title; the second by the browser's
  // DocumentComplete, after a new window asked for before the page loaded (ignored); the third
  // after BeforeNavigate2 and OnQuit, which keep the events coming. The seventh opens a link.
  recorder.drive = [](PopupWindow& popup, int index) {
    if (index == 6) {
      Fire(popup, DISPID_DOCUMENTCOMPLETE);
      Fire(popup, DISPID_NEWWINDOW2);
    } else if (index % 3 == 1) {
      Fire(popup, DISPID_NEWWINDOW2);
      Fire(popup, DISPID_DOCUMENTCOMPLETE);
    } else if (index % 3 == 2) {
      Fire(popup, DISPID_BEFORENAVIGATE2);
      Fire(popup, DISPID_ONQUIT);
      Fire(popup, DISPID_DOCUMENTCOMPLETE);
    }
  };
  StartPopupThread();

  for (int index = 0; index < 6; ++index) {
    ASSERT_TRUE(WaitForShown(index + 1, 15000)) << index;
    const HWND popup = recorder.current;
    if (index % 3 == 0) {
      RECT r = {};
      GetWindowRect(popup, &r);
      EXPECT_EQ(r.bottom - r.top, 0);  // nothing shows before the page has loaded
      EXPECT_EQ(GetWindowLongPtrA(popup, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST),
                WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
      EXPECT_NE(GetForegroundWindow(), popup);
      SendMessageA(popup, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("系统公告"));
    }
    const Track track = Follow(popup, 10000, [index](HWND window) {
      if (index == 0) uitest::SaveScreenshot(window, "popup");
    });
    ExpectSlide(track, schedule.displayMs);
  }
  EXPECT_EQ(recorder.Urls(), (std::vector<std::string>{Notice(1), Notice(2), Notice(3), Notice(1), Notice(2),
                                                       Notice(3)}));

  // The link: the seventh slides out at once and no further notice comes in this run, not
  // even from a new start.
  ASSERT_TRUE(WaitForShown(7, 15000));
  const Track clicked = Follow(recorder.current, 5000);
  EXPECT_LT(clicked.fullMs, 400u);
  StartPopupThread();
  Sleep(1500);
  EXPECT_EQ(recorder.shown, 7);
}

TEST_F(PopupThreadTest, AnUnloadedPopupClosesAfterItsTimeAndStopsAreBounded) {
  ASSERT_TRUE(standin.Control("notices " + Notice(1) + "|" + Notice(2)));
  PopupSchedule schedule;
  schedule.firstWaitMs = 100;
  schedule.pollMs = 100;
  schedule.loadTimeoutMs = 800;
  schedule.stopWaitMs = 1500;
  SetPopupSchedule(schedule);
  StartPopupThread();

  ASSERT_TRUE(WaitForShown(1, 10000));
  const Track unloaded = Follow(recorder.current, 5000);
  EXPECT_EQ(unloaded.heights, (std::vector<int>{0}));  // closed where it stood, never shown
  ASSERT_TRUE(WaitForShown(2, 5000));
  const HWND second = recorder.current;
  const DWORD start = GetTickCount();
  StopPopupThread();
  EXPECT_LT(GetTickCount() - start, 2000u);
  EXPECT_FALSE(IsWindow(second));
  // The stopped thread is gone with its handle: a new start runs again from its first wait.
  StartPopupThread();
  EXPECT_TRUE(WaitForShown(3, 10000));
  StopPopupThread();

  // Nor does a list download that hangs hold the stop past its wait.
  ASSERT_TRUE(standin.Control("fault /kivane/getmsg.html stall"));
  StartPopupThread();
  Sleep(500);  // past the first wait, into the download
  const DWORD stalled = GetTickCount();
  StopPopupThread();
  EXPECT_LT(GetTickCount() - stalled, schedule.stopWaitMs + 1000);
  EXPECT_EQ(recorder.shown, 3);
}

}  // namespace
}  // namespace mb
