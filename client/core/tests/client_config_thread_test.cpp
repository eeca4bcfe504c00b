// Runs under ThreadSanitizer: a skin switch reloads conf.dat on one thread while workers read the
// service addresses and the session user on others, as the usage reports and the upload page do.
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "client/core/client_config.h"
#include "client/core/skin_switch.h"
#include "common/atomic_file.h"
#include "common/tests/temp_folder.h"

namespace mb {
namespace {

const char kReportUrl[] = "http://svc/kivane/report-for-every-layout.jsp";
const char kMember[] = "a member whose name outgrows the short-string buffer";

std::string LayoutConf(const std::string& hotList) {
  return std::string("[USER]\r\nuser=") + kMember + "\r\n\r\n[LINKLIST]\r\nreporturl=" + kReportUrl +
         "\r\nhotlisturl=" + hotList + "\r\n";
}

void PutLayoutFiles(const TempFolder& folder, int layout, const std::string& hotList) {
  for (const SkinFileCopy& file : SkinLayoutFiles(layout)) {
    const std::string content = file.to == "conf.dat" ? LayoutConf(hotList) : "layout " + std::to_string(layout);
    ASSERT_TRUE(WriteFileReplacing(folder.Path(file.from), content));
  }
}

TEST(ClientConfigThreads, SkinSwitchReloadsWhileWorkersReadTheSharedTexts) {
  TempFolder folder;
  const std::string hotTwo = "http://svc/kivane/top10_2.html?layout-two";
  const std::string hotThree = "http://svc/kivane/top10_3.html?layout-three";
  PutLayoutFiles(folder, 2, hotTwo);
  PutLayoutFiles(folder, 3, hotThree);
  ASSERT_TRUE(WriteFileReplacing(folder.Path("usetwocolumn.flag"), LayoutFlagBytes(2)));
  ASSERT_TRUE(WriteFileReplacing(folder.Path("conf.dat"), LayoutConf(hotTwo)));
  ClientConfig config({folder.Root(), "http://svc"});
  ASSERT_EQ(config.GetCurrentUserName(), kMember);

  std::atomic<bool> switching{true};
  std::atomic<int> wrongReads{0};
  std::atomic<int> reads{0};
  const std::set<std::string> hotLists = {hotTwo, hotThree};
  std::vector<std::thread> readers;
  for (int i = 0; i < 3; ++i) {
    readers.emplace_back([&] {
      while (switching) {
        const bool right = config.SharedText(&ClientConfig::reportUrl) == kReportUrl &&
                           config.GetCurrentUserName() == kMember &&
                           hotLists.count(config.SharedText(&ClientConfig::hotListUrl)) == 1;
        if (!right) ++wrongReads;
        ++reads;
      }
    });
  }
  int layout = 2;
  for (int round = 0; round < 60; ++round) {
    const int next = layout == 2 ? 3 : 2;
    ASSERT_EQ(SwitchSkinFiles(config, layout, next), SkinSwitchResult::kSwitched);
    layout = next;
  }
  switching = false;
  for (std::thread& reader : readers) reader.join();

  EXPECT_GT(reads.load(), 0);
  EXPECT_EQ(wrongReads.load(), 0);
  EXPECT_EQ(config.SharedText(&ClientConfig::hotListUrl), hotTwo) << "an even number of switches ends on layout 2";
}

}  // namespace
}  // namespace mb
