// The wallpaper client's single-picture sender against the stand-in block server.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/winkit/winkit.h"
#include "upload/win/socket_file_sender.h"
#include "upload/win/tests/standin_control.h"

namespace {

class RecordingPage : public UploadPageSink {
 public:
  void ShowUploadError(const char* text) override { errors.push_back(text); }
  void SetUploadProgress(unsigned percent) override { progress.push_back(percent); }
  std::vector<std::string> errors;
  std::vector<unsigned> progress;
};

class UploadClientSender : public ::testing::Test {
 protected:
  void SetUp() override { standin_.Reset(); }
  void TearDown() override { standin_.Reset(); }
  int Send(const std::string& path) {
    return SocketFileSender(path.c_str(), "2024-3-5", "7", "annlee2024357123.jpg", "annlee", &page_);
  }
  winkit::TempFolder folder_;
  uploadtest::StandinControl standin_;
  RecordingPage page_;
};

TEST_F(UploadClientSender, SendsFullBlocksWithZerosAfterTheEnd) {
  std::string bytes(6145, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + 1);
  const std::string path = folder_.Path("a.jpg");
  ASSERT_TRUE(winkit::WriteTextFile(path, bytes));
  EXPECT_EQ(Send(path), 1);
  EXPECT_TRUE(page_.errors.empty());
  EXPECT_EQ(page_.progress, (std::vector<unsigned>{99, 100}));

  const auto blocks = standin_.Blocks();
  ASSERT_EQ(blocks.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(blocks[i].offset, i * 6144);
    EXPECT_EQ(blocks[i].count, 6144u);  // also for the last block
    EXPECT_EQ(blocks[i].userName, "annlee");
    EXPECT_EQ(blocks[i].remoteName, "annlee2024357123.jpg");
    EXPECT_EQ(blocks[i].dateFolder, "2024-3-5");
    EXPECT_EQ(blocks[i].minuteFolder, "7");
    EXPECT_EQ(blocks[i].uploadType, 0);
  }
  const auto files = standin_.Files();
  ASSERT_EQ(files.size(), 1u);
  EXPECT_TRUE(standin_.ReadStoredFile(files.begin()->second) == bytes + std::string(6143, '\0'));
}

TEST_F(UploadClientSender, EmptyFileSendsNothingAndSucceeds) {
  const std::string path = folder_.Path("empty.jpg");
  ASSERT_TRUE(winkit::WriteTextFile(path, ""));
  EXPECT_EQ(Send(path), 1);
  EXPECT_TRUE(standin_.Blocks().empty());
  EXPECT_EQ(standin_.Counter("block_connections"), 0u);
}

TEST_F(UploadClientSender, EveryFailureIsReportedAndReturnsZero) {
  EXPECT_EQ(Send(folder_.Path("missing.jpg")), 0);
  const std::string path = folder_.Path("a.jpg");
  ASSERT_TRUE(winkit::WriteTextFile(path, std::string(20000, 'x')));
  standin_.Set("block", "refuse");
  EXPECT_EQ(Send(path), 0);
  // A server that takes the connection but drops every block: no silent gap in the file.
  const std::uint64_t connectionsBefore = standin_.Counter("block_connections");
  standin_.Set("block", "drop");
  EXPECT_EQ(Send(path), 0);
  Sleep(200);  // the stand-in counts a connection a moment after it was made
  EXPECT_EQ(standin_.Counter("block_connections") - connectionsBefore, 2u)
      << "connected before the second and third tries, not again after the third";
  EXPECT_EQ(page_.errors, (std::vector<std::string>{"获取图片文件信息错误,请确认文件是否存在!",
                                                    "与服务器建立连接失败,上传文件失败,请检查网络是否畅通!",
                                                    "与服务器建立连接失败,上传文件失败,请检查网络是否畅通!"}));
  EXPECT_TRUE(page_.progress.empty());
  // Three tries of the first block; the first of them finds no connection yet and only connects.
  EXPECT_EQ(standin_.Counter("block_packets"), 2u);
}

TEST_F(UploadClientSender, BlockDroppedOnceIsSentAgain) {
  std::string bytes(30000, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i % 251);
  const std::string path = folder_.Path("b.jpg");
  ASSERT_TRUE(winkit::WriteTextFile(path, bytes));
  standin_.Set("block", "drop 2");
  EXPECT_EQ(Send(path), 1);
  EXPECT_EQ(standin_.Counter("block_packets"), 6u);  // five blocks, the second one twice
  const auto files = standin_.Files();
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(standin_.ReadStoredFile(files.begin()->second).substr(0, bytes.size()), bytes);
}

TEST_F(UploadClientSender, StopAskedBetweenBlocksEndsWithoutAMessage) {
  class StoppingPage : public RecordingPage {
    bool StopRequested() override { return !progress.empty(); }
  } page;
  const std::string path = folder_.Path("c.jpg");
  ASSERT_TRUE(winkit::WriteTextFile(path, std::string(20000, 'y')));
  EXPECT_EQ(SocketFileSender(path.c_str(), "2024-3-5", "7", "c.jpg", "annlee", &page), 0);
  EXPECT_TRUE(page.errors.empty());
  EXPECT_EQ(page.progress, std::vector<unsigned>{30});
  EXPECT_EQ(standin_.Counter("block_packets"), 1u);
}

}  // namespace
