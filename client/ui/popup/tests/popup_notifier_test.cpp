#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "client/ui/popup/popup_notifier.h"
#include "client/ui/popup/popup_slide.h"

namespace mb {
namespace {

TEST(NoticeListTest, KeepsWebAddressesOnceEachInOrder) {
  const std::string list =
      "http://s/1.html\r\nftp://s/x\n\nHTTPS://s/2.html\nhttp://\njavascript:alert(1)\n \nhttp://s/1.html\nhttp://s/3.html";
  const std::vector<std::string> parsed = ParseNoticeList(list);
  EXPECT_EQ(parsed, (std::vector<std::string>{"http://s/1.html", "HTTPS://s/2.html", "http://s/1.html", "http://s/3.html"}));

  NoticeQueue queue;
  EXPECT_EQ(queue.Append(parsed), 3u);  // the second 1.html is already waiting
  EXPECT_EQ(queue.Append(parsed), 0u);
  std::optional<PopupItem> first = queue.TakeFront();
  ASSERT_TRUE(first);
  EXPECT_EQ(first->pageUrl, "http://s/1.html");
  EXPECT_EQ(first->right - first->left, 400);
  EXPECT_EQ(first->bottom - first->top, 300);
  EXPECT_EQ(queue.Append(parsed), 1u);  // taken, so it may come again
  std::vector<std::string> order;
  while (std::optional<PopupItem> item = queue.TakeFront()) order.push_back(item->pageUrl);
  EXPECT_EQ(order, (std::vector<std::string>{"HTTPS://s/2.html", "http://s/3.html", "http://s/1.html"}));
}

// A host whose clock moves only by the waits; the test says when the stop comes.
class ScriptedHost final : public PopupNotifierHost {
 public:
  std::int64_t now = 1000000;
  std::string list = "http://s/a\nhttp://s/b\nhttp://s/c\n";
  std::function<bool(int wait)> stopAt;  // told the number of the wait (0 first)
  std::function<void()> onPass;
  std::vector<unsigned> waits;
  std::vector<std::int64_t> fetchTimes;
  std::vector<std::string> shown;

  std::int64_t NowSeconds() override { return now; }
  bool WaitForStop(unsigned ms) override {
    if (ms == 0) return false;
    if (onPass && !waits.empty()) onPass();
    const int number = static_cast<int>(waits.size());
    waits.push_back(ms);
    if (stopAt(number)) return true;
    now += ms / 1000;
    return false;
  }
  std::optional<std::string> FetchList(const std::string& url) override {
    EXPECT_EQ(url, "http://s/getmsg.html");
    fetchTimes.push_back(now);
    return list;
  }
  void Show(const PopupItem& item) override { shown.push_back(item.pageUrl); }
};

class PopupNotifierTest : public ::testing::Test {
 protected:
  PopupNotifierTest() {
    settings.SetSourceUrl("http://s/getmsg.html");
    settings.SetRefreshInterval(60);
  }
  PopupSettings settings;
  ScriptedHost host;
};

TEST_F(PopupNotifierTest, AStopInTheFirstWaitFetchesNothing) {
  host.stopAt = [](int wait) { return wait == 0; };
  PopupNotifier(host, settings, PopupSchedule{}).Run();
  EXPECT_EQ(host.waits, (std::vector<unsigned>{300000}));
  EXPECT_TRUE(host.fetchTimes.empty());
  EXPECT_TRUE(host.shown.empty());
}

TEST_F(PopupNotifierTest, ShowsOneNoticeAPassAndFetchesAgainAtTheInterval) {
  host.stopAt = [](int wait) { return wait == 66; };  // the first wait, then 65 one-second passes
  PopupNotifier(host, settings, PopupSchedule{}).Run();
  const std::int64_t start = 1000000 + 300;
  EXPECT_EQ(host.fetchTimes, (std::vector<std::int64_t>{start, start + 60}));
  EXPECT_EQ(host.shown, (std::vector<std::string>{"http://s/a", "http://s/b", "http://s/c", "http://s/a",
                                                  "http://s/b", "http://s/c"}));
  EXPECT_EQ(host.waits.size(), 67u);
  for (std::size_t i = 1; i < host.waits.size(); ++i) ASSERT_EQ(host.waits[i], 1000u);
}

TEST_F(PopupNotifierTest, DisabledNoticesStillLeaveOneAPass) {
  settings.SetEnabled(false);
  host.list = "http://s/a\nhttp://s/b\nhttp://s/c\nhttp://s/d\n";
  std::vector<std::size_t> sizes;
  PopupNotifier* running = nullptr;
  host.onPass = [&] { sizes.push_back(running->Queue().Size()); };
  host.stopAt = [](int wait) { return wait == 6; };
  PopupNotifier notifier(host, settings, PopupSchedule{});
  running = &notifier;
  notifier.Run();
  EXPECT_TRUE(host.shown.empty());
  EXPECT_EQ(sizes, (std::vector<std::size_t>{3, 2, 1, 0, 0, 0}));

  // Enabled again, the next fetch shows; a failed or empty list adds nothing.
  settings.SetEnabled(true);
  settings.SetSourceUrl("");
  host.waits.clear();
  host.onPass = nullptr;
  host.stopAt = [](int wait) { return wait == 3; };
  PopupNotifier(host, settings, PopupSchedule{}).Run();
  EXPECT_TRUE(host.shown.empty());
}

TEST(PopupSlideTest, SlidesInAndOutByFivePixelsWithItsBottomFixed) {
  PopupSlide slide = PopupSlide::AtScreenCorner(1032, 776, 420, 302);
  EXPECT_EQ(slide.Place().left, 1032 - 18 - 420);
  EXPECT_EQ(slide.Place().top, 768);
  EXPECT_EQ(slide.Place().height, 0);
  std::vector<int> heights;
  while (!slide.StepIn()) {
    heights.push_back(slide.Height());
    ASSERT_EQ(slide.Place().top + slide.Place().height, 768);
    ASSERT_EQ(slide.Place().width, 420);
  }
  ASSERT_EQ(heights.size(), 61u);
  EXPECT_EQ(heights[0], 5);
  EXPECT_EQ(heights[59], 300);
  EXPECT_EQ(heights[60], 302);  // never taller than the picture
  EXPECT_TRUE(slide.StepIn());

  slide.ContinueFrom(500, 400);  // the window was moved meanwhile
  int steps = 0;
  while (!slide.StepOut()) {
    ++steps;
    ASSERT_EQ(slide.Place().top + slide.Place().height, 702);
    ASSERT_EQ(slide.Place().left, 500);
  }
  EXPECT_EQ(steps, 56);  // 302 down to 22, then gone
  EXPECT_EQ(slide.Height(), 0);
}

}  // namespace
}  // namespace mb
