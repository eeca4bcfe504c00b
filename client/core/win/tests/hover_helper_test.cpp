#include "client/core/win/hover_helper.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "client/core/path_text.h"
#include "tests/winkit/winkit.h"

namespace mb {
namespace {

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(50);
  }
  return true;
}

// The stand-in hover program installed where the client looks for it, with its log beside it.
class HoverHelperTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WaitUntil([] { return FindHoverWindow() == nullptr; }, 5000)) << "a hover window is left over";
    program_ = HoverProgramPath();
    folder_ = SplitPath(program_).folder;
    log_ = folder_ + "hoverpin.log";
    ASSERT_TRUE(winkit::MakeFolders(folder_));
    ASSERT_TRUE(CopyFileA((winkit::BinFolder() + "hoverpin.exe").c_str(), program_.c_str(), FALSE)) << program_;
    DeleteFileA(log_.c_str());
  }

  void TearDown() override {
    CloseHoverHelper();
    WaitUntil([] { return FindHoverWindow() == nullptr; }, 5000);
    // The program file stays locked for a moment after its window went.
    WaitUntil([this] { return DeleteFileA(program_.c_str()) || !winkit::FileExists(program_); }, 5000);
    DeleteFileA(log_.c_str());
    RemoveDirectoryA(folder_.c_str());
  }

  std::vector<std::string> LogLines() const {
    std::istringstream text(winkit::ReadTextFile(log_));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    return lines;
  }

  HWND WaitForHoverWindow() {
    HWND window = nullptr;
    WaitUntil([&window] { return (window = FindHoverWindow()) != nullptr; }, 10000);
    return window;
  }

  std::string program_, folder_, log_;
};

TEST_F(HoverHelperTest, FirstNoticeOnlyStartsTheProgramHidden) {
  ASSERT_EQ(FindHoverWindow(), nullptr);
  NotifyHoverHelper("http://127.0.0.1/ad.html", {1, 2, 3, 4});
  HWND window = WaitForHoverWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(IsWindowVisible(window));
  char className[32] = {};
  GetClassNameA(window, className, sizeof className);
  EXPECT_STREQ(className, "#32770");
  Sleep(300);
  EXPECT_EQ(LogLines(), std::vector<std::string>{"start"}) << "nothing is sent with the start";
}

TEST_F(HoverHelperTest, NoticesCarryTheRegionAndLinkOrClearIt) {
  StartHoverHelper();
  ASSERT_NE(WaitForHoverWindow(), nullptr);
  NotifyHoverHelper("http://127.0.0.1/kivane/ad/morning.html", {-220, -170, -20, -20});
  NotifyHoverHelper("http://127.0.0.1/广告?名=壁纸", {20, 20, 220, 170});
  NotifyHoverHelper("", {5, 6, 7, 8});
  EXPECT_EQ(LogLines(), (std::vector<std::string>{
                            "start",
                            "notice -220,-170,-20,-20,http://127.0.0.1/kivane/ad/morning.html",
                            "notice 20,20,220,170,http://127.0.0.1/广告?名=壁纸",
                            "notice ",
                        }));
}

TEST_F(HoverHelperTest, CloseEndsTheProgramAndTheNextNoticeRestartsIt) {
  StartHoverHelper();
  ASSERT_NE(WaitForHoverWindow(), nullptr);
  CloseHoverHelper();
  ASSERT_TRUE(WaitUntil([] { return FindHoverWindow() == nullptr; }, 5000));
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"start", "close"}));

  NotifyHoverHelper("http://127.0.0.1/ad.html", {1, 2, 3, 4});
  ASSERT_NE(WaitForHoverWindow(), nullptr);
  ASSERT_TRUE(WaitUntil([this] { return LogLines().size() == 3; }, 5000));
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"start", "close", "start"}));
  NotifyHoverHelper("http://127.0.0.1/ad.html", {1, 2, 3, 4});
  EXPECT_EQ(LogLines().back(), "notice 1,2,3,4,http://127.0.0.1/ad.html");
}

TEST_F(HoverHelperTest, MissingProgramIsIgnored) {
  ASSERT_TRUE(DeleteFileA(program_.c_str()));
  StartHoverHelper();
  NotifyHoverHelper("http://127.0.0.1/ad.html", {1, 2, 3, 4});
  CloseHoverHelper();
  Sleep(500);
  EXPECT_EQ(FindHoverWindow(), nullptr);
  EXPECT_FALSE(winkit::FileExists(log_));
}

}  // namespace
}  // namespace mb
