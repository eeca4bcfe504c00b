// The stand-in servers in process, reached over loopback with the native engine-like client.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>

#include "common/atomic_file.h"
#include "common/tests/temp_folder.h"
#include "tools/upload_standin/native_block_client.h"
#include "tools/upload_standin/upload_standin.h"
#include "upload/core/block_plan.h"

namespace mb::standin {
namespace {

std::string RandomBytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

class StandinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StandinOptions options;
    options.blockPort = 0;  // any free ports
    options.recordPort = 0;
    options.storeFolder = folder_.Path("store");
    standin_ = std::make_unique<UploadStandin>(options);
    std::string error;
    ASSERT_TRUE(standin_->Start(error)) << error;
  }
  void TearDown() override { standin_->Stop(); }

  std::uint16_t BlockPort() { return standin_->BlockServer().Port(); }
  // The server counts an answer once it is written, a moment after the client has it.
  ServerCounters CountersOnceAnswered(std::uint64_t answered) {
    ServerCounters counters;
    for (int i = 0; i < 100 && (counters = standin_->BlockServer().Counters()).answered < answered; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return counters;
  }
  std::uint16_t RecordPort() { return standin_->RecordServer().Port(); }
  std::vector<std::string> Run(const std::string& command) {
    bool quit = false;
    return standin_->Execute(command, quit);
  }
  upload::BlockPacketBytes Packet(const std::string& remoteName, std::uint32_t offset, const std::string& data) {
    upload::BlockHeader header;
    header.remoteName = remoteName;
    header.offset = offset;
    header.count = static_cast<std::uint32_t>(data.size());
    upload::BlockPacketBytes packet;
    upload::EncodeBlockPacket(header, data, packet);
    return packet;
  }

  TempFolder folder_;
  std::unique_ptr<UploadStandin> standin_;
};

TEST_F(StandinTest, RebuildsEveryFileFromOverlappingBlocksOverSeveralConnections) {
  std::vector<NativePicture> pictures;
  for (std::size_t size : {2u, 6144u, 6145u, 12288u, 1048576u + 3u}) {
    pictures.push_back({"p" + std::to_string(size) + ".jpg", RandomBytes(size, static_cast<unsigned>(size))});
  }
  ASSERT_TRUE(SendPicturesAsEngine("127.0.0.1", BlockPort(), 3, "ann.lee", pictures));

  const std::vector<StoredFile> files = standin_->Store().Files();
  ASSERT_EQ(files.size(), pictures.size());
  for (const NativePicture& picture : pictures) {
    EXPECT_EQ(ReadWholeFile(folder_.Path("store/files/" + picture.remoteName)).value_or(""), picture.bytes)
        << picture.remoteName;
  }
  const std::vector<ReceivedBlock> blocks = standin_->Store().Blocks();
  std::uint64_t expectedBlocks = 0;
  for (const NativePicture& picture : pictures) expectedBlocks += upload::EngineBlockCount(picture.bytes.size());
  EXPECT_EQ(blocks.size(), expectedBlocks);
  EXPECT_EQ(blocks.front().header.userName, "ann.lee");
  const ServerCounters counters = CountersOnceAnswered(expectedBlocks);
  EXPECT_EQ(counters.connections, 3u);
  EXPECT_EQ(counters.answered, expectedBlocks);
}

TEST_F(StandinTest, DecodesRecordsAndListsThemEscaped) {
  NativeBlockClient client;
  ASSERT_TRUE(client.Connect("127.0.0.1", RecordPort()));
  CImageInfo record("ann.lee", "2024-3-5\\\\7", "annlee1.jpg", 3, 1700000000u, 1, 2, 9, "50%\tsure", "tag",
                    "\xB1\xEA\xCC\xE2", "1024*768", 1);
  upload::ImageRecordBytes bytes;
  record.ToWire(bytes);
  ASSERT_TRUE(client.Exchange(bytes.data(), bytes.size()));

  const std::vector<std::string> lines = Run("records");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "ann.lee\t2024-3-5\\\\7\tannlee1.jpg\t3\t1700000000\t1\t2\t9\t50%25%09sure\ttag\t"
                      "\xB1\xEA\xCC\xE2\t1024*768\t1");
  EXPECT_EQ(lines[1], "ok");
}

TEST_F(StandinTest, RefusesConnectionsOnDemandAndListensAgainAfterwards) {
  ASSERT_EQ(Run("set block refuse").back(), "ok");
  NativeBlockClient client;
  EXPECT_FALSE(client.Connect("127.0.0.1", BlockPort()));
  ASSERT_EQ(Run("set block normal").back(), "ok");
  ASSERT_TRUE(client.Connect("127.0.0.1", BlockPort()));
  const auto packet = Packet("a.jpg", 0, "ab");
  EXPECT_TRUE(client.Exchange(packet.data(), packet.size()));
}

TEST_F(StandinTest, LimitsConnectionsAndAnswersLateOnDemandUntilReset) {
  ASSERT_EQ(Run("limit block 2").back(), "ok");
  NativeBlockClient first, second, third;
  ASSERT_TRUE(first.Connect("127.0.0.1", BlockPort()));
  ASSERT_TRUE(second.Connect("127.0.0.1", BlockPort()));
  // The listener closes once the server has taken the second connection.
  for (int i = 0; i < 100 && standin_->BlockServer().Counters().connections < 2; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_FALSE(third.Connect("127.0.0.1", BlockPort()));
  ASSERT_EQ(Run("delay block 40").back(), "ok");
  const auto packet = Packet("late.jpg", 0, "ab");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(first.Exchange(packet.data(), packet.size()));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(40));
  // A reset lifts both: a third connection is taken and answered at once.
  ASSERT_EQ(Run("reset").back(), "ok");
  ASSERT_TRUE(third.Connect("127.0.0.1", BlockPort()));
  const auto again = std::chrono::steady_clock::now();
  EXPECT_TRUE(third.Exchange(packet.data(), packet.size()));
  EXPECT_LT(std::chrono::steady_clock::now() - again, std::chrono::milliseconds(40));
  EXPECT_EQ(Run("limit record").back().rfind("error", 0), 0u);
  EXPECT_EQ(Run("delay printer 5").back().rfind("error", 0), 0u);
}

TEST_F(StandinTest, StallDropAndShortAnswersFailTheExchange) {
  const auto packet = Packet("s.jpg", 0, "xyz");
  NativeBlockClient client;

  ASSERT_EQ(Run("set block stall").back(), "ok");
  ASSERT_TRUE(client.Connect("127.0.0.1", BlockPort(), 300));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(client.Exchange(packet.data(), packet.size()));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(250));

  ASSERT_EQ(Run("set block short").back(), "ok");
  ASSERT_TRUE(client.Connect("127.0.0.1", BlockPort(), 2000));
  EXPECT_FALSE(client.Exchange(packet.data(), packet.size()));

  // Only the second packet after the command is dropped; the connection then closes.
  ASSERT_EQ(Run("set block drop 2").back(), "ok");
  ASSERT_TRUE(client.Connect("127.0.0.1", BlockPort(), 2000));
  EXPECT_TRUE(client.Exchange(packet.data(), packet.size()));
  EXPECT_FALSE(client.Exchange(packet.data(), packet.size()));
  EXPECT_FALSE(client.Exchange(packet.data(), packet.size()));
  ASSERT_TRUE(client.Connect("127.0.0.1", BlockPort(), 2000));
  EXPECT_TRUE(client.Exchange(packet.data(), packet.size()));

  const ServerCounters counters = CountersOnceAnswered(2);
  EXPECT_EQ(counters.packets, 5u);  // stalled, short, answered, dropped, answered
  EXPECT_EQ(counters.answered, 2u);
}

TEST_F(StandinTest, ResetForgetsEverythingAndRestoresNormalAnswers) {
  NativeBlockClient client;
  ASSERT_TRUE(client.Connect("127.0.0.1", BlockPort()));
  const auto packet = Packet("r.jpg", 0, "xyz");
  ASSERT_TRUE(client.Exchange(packet.data(), packet.size()));
  ASSERT_EQ(Run("set block refuse").back(), "ok");
  ASSERT_EQ(Run("reset").back(), "ok");
  EXPECT_EQ(Run("files"), (std::vector<std::string>{"ok"}));
  EXPECT_FALSE(FileExists(folder_.Path("store/files/r.jpg")));
  ASSERT_TRUE(client.Connect("127.0.0.1", BlockPort()));
  EXPECT_TRUE(client.Exchange(packet.data(), packet.size()));
  EXPECT_EQ(Run("stats")[1], "block_packets 1");
}

TEST_F(StandinTest, NamesThatCouldLeaveTheStoreAreNotWritten) {
  NativeBlockClient client;
  ASSERT_TRUE(client.Connect("127.0.0.1", BlockPort()));
  for (const char* name : {"../escape.jpg", "a/b.jpg", "c:x.jpg", "..", ""}) {
    const auto packet = Packet(name, 0, "xyz");
    EXPECT_TRUE(client.Exchange(packet.data(), packet.size())) << name;  // answered all the same
  }
  EXPECT_TRUE(standin_->Store().Files().empty());
  EXPECT_EQ(standin_->Store().RejectedBlocks(), 5u);
  EXPECT_FALSE(FileExists(folder_.Path("store/escape.jpg")));
}

TEST_F(StandinTest, ControlCommandsReportMistakes) {
  EXPECT_EQ(Run("set block bogus").back().rfind("error", 0), 0u);
  EXPECT_EQ(Run("set printer stall").back().rfind("error", 0), 0u);
  EXPECT_EQ(Run("set block drop zero").back().rfind("error", 0), 0u);
  EXPECT_EQ(Run("frobnicate").back().rfind("error", 0), 0u);
  bool quit = false;
  EXPECT_EQ(standin_->Execute("quit", quit).back(), "ok");
  EXPECT_TRUE(quit);
}

}  // namespace
}  // namespace mb::standin
