// The upload pool under Wine against the stand-in servers: whole batches, failing servers, and
// pools stopped while their workers wait.
#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <vector>

#include "common/atomic_file.h"
#include "common/gbk_text.h"
#include "conf/win/config.h"
#include "tests/winkit/winkit.h"
#include "upload/win/tests/engine_test_window.h"
#include "upload/win/tests/standin_control.h"
#include "upload/win/upload_messages.h"
#include "upload/win/upload_pool.h"

namespace {

using uploadtest::EngineTestWindow;
using uploadtest::StandinControl;

// What a pool leaves behind: its notices and the moment it was deleted.
struct PoolWatch {
  PoolWatch() : deleted(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
  ~PoolWatch() { CloseHandle(deleted); }
  std::vector<std::string> Notices() {
    std::lock_guard<std::mutex> lock(mutex);
    return notices;
  }
  std::mutex mutex;
  std::vector<std::string> notices;
  HANDLE deleted;
};

class WatchedPool : public CZELUploadThreadsPool {
 public:
  explicit WatchedPool(std::shared_ptr<PoolWatch> watch) : watch_(std::move(watch)) {}

 protected:
  ~WatchedPool() override { SetEvent(watch_->deleted); }
  void ShowNotice(const std::string& text, const std::string& title, UINT type) override {
    std::lock_guard<std::mutex> lock(watch_->mutex);
    watch_->notices.push_back(title + "|" + text);
  }

 private:
  std::shared_ptr<PoolWatch> watch_;
};

std::uint64_t BlocksFor(std::uint64_t size) {
  if (size <= 1) return 0;
  if (size <= 6144) return 1;
  return 1 + (size - 6144 + 6142) / 6143;
}

std::string RandomBytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

struct Picture {
  std::string path;
  std::string bytes;
  bool exists = true;
};

class UploadPool : public ::testing::Test {
 protected:
  void SetUp() override {
    standin_.Reset();
    baselineThreads_ = uploadtest::ThreadCount();
    CConfig::GetConfig()->SetDefaultUserName("ann.lee");
    CConfig::GetConfig()->SetFirstBlockFlag(0);
  }
  void TearDown() override { standin_.Reset(); }

  Picture AddPicture(const std::string& name, std::size_t size) {
    Picture picture{folder_.Path(name), RandomBytes(size, static_cast<unsigned>(size) + 7)};
    EXPECT_TRUE(winkit::WriteTextFile(picture.path, picture.bytes));
    pictures_.push_back(picture);
    return picture;
  }
  void AddMissingPicture(const std::string& name) { pictures_.push_back({folder_.Path(name), "", false}); }

  // A pool for this window with every picture pushed, started.
  WatchedPool* StartPool(EngineTestWindow& window, std::shared_ptr<PoolWatch> watch, DWORD ioTimeoutMs = 5000) {
    CConfig::GetConfig()->SetEngineMsgWnd(window.Handle());
    auto* pool = new WatchedPool(std::move(watch));
    pool->SetMsgWnd(window.Handle());
    pool->SetNetworkTimeouts(2000, ioTimeoutMs);
    int n = 0;
    for (const Picture& picture : pictures_) {
      auto* job = new CZELFileQueue{};
      mb::CopyToField(job->path, sizeof job->path, picture.path);
      mb::CopyToField(job->title, sizeof job->title, "海边 " + std::to_string(n));
      mb::CopyToField(job->pix, sizeof job->pix, "1024*768");
      mb::CopyToField(job->remark, sizeof job->remark, "remark");
      mb::CopyToField(job->tag, sizeof job->tag, "sea");
      job->pk = n % 2;
      job->pictureType = 10 + n;
      job->uploadType = 2;
      job->privateFlag = 1;
      job->album = 77;
      pool->Push(job);
      ++n;
    }
    EXPECT_FALSE(pool->IsEmpty());
    EXPECT_TRUE(PostThreadMessageA(pool->ThreadId(), WM_START_UPLOAD, 0, 0));
    return pool;
  }

  // Stops the pool and checks that it and every thread it started are gone within a bound.
  void StopAndExpectNothingLeft(WatchedPool* pool, PoolWatch& watch) {
    pool->Stop();
    EXPECT_EQ(WaitForSingleObject(watch.deleted, 8000), WAIT_OBJECT_0);
    EXPECT_TRUE(window_.PumpUntil([this] { return uploadtest::ThreadCount() <= baselineThreads_; }, 5000))
        << uploadtest::ThreadCount() << " threads, " << baselineThreads_ << " before";
  }

  bool Ended(const EngineTestWindow& window) const {
    return window.Count(WM_UPLOAD_STATUS, UPLOAD_STATUS_ALL_SENT) + window.Count(WM_UPLOAD_CONNECT_FAILED) > 0;
  }

  winkit::TempFolder folder_;
  StandinControl standin_;
  EngineTestWindow window_;
  std::vector<Picture> pictures_;
  int baselineThreads_ = 0;
};

TEST_F(UploadPool, BatchArrivesWholeWithOneRecordPerPictureAndEndsByItself) {
  AddPicture("empty.jpg", 0);
  AddPicture("one.jpg", 1);
  AddPicture("block.jpg", 6144);
  AddPicture("two.blocks.gif", 6145);
  AddMissingPicture("missing.jpg");
  AddPicture("three.bmp", 12288);
  AddPicture("big.jpg", 3 * 1048576 + 11);
  // As after an earlier run's first block: every picture set up is then announced.
  CConfig::GetConfig()->SetFirstBlockFlag(1);
  auto watch = std::make_shared<PoolWatch>();
  WatchedPool* pool = StartPool(window_, watch);
  ASSERT_TRUE(window_.PumpUntil([&] { return Ended(window_) && !watch->Notices().empty(); }, 90000));

  // Reports: the first connection once, a block report per block, a next-picture report for every
  // picture that is sent, queue-empty at most once, status 9 last.
  std::uint64_t blocks = 0;
  for (const Picture& picture : pictures_) blocks += BlocksFor(picture.bytes.size());
  const auto& messages = window_.Messages();
  EXPECT_EQ(window_.Count(WM_UPLOAD_STATUS, UPLOAD_STATUS_CONNECTED), 1);
  EXPECT_EQ(messages.front().message, WM_UPLOAD_STATUS);
  EXPECT_EQ(messages.front().wParam, UPLOAD_STATUS_CONNECTED);
  EXPECT_EQ(static_cast<std::uint64_t>(window_.Count(WM_UPLOAD_BLOCK_SENT)), blocks);
  EXPECT_EQ(window_.Count(WM_UPLOAD_STATUS, UPLOAD_STATUS_NEXT_PICTURE), 4);
  EXPECT_LE(window_.Count(WM_UPLOAD_QUEUE_EMPTY), 1);
  EXPECT_EQ(window_.Count(WM_UPLOAD_CONNECT_FAILED), 0);
  EXPECT_EQ(messages.back().message, WM_UPLOAD_STATUS);
  EXPECT_EQ(messages.back().wParam, UPLOAD_STATUS_ALL_SENT);

  // The notice names the files that were not sent.
  const std::vector<std::string> notices = watch->Notices();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].rfind("提示|文件传送完成了", 0), 0u) << notices[0];
  for (const char* skipped : {"empty.jpg", "one.jpg", "missing.jpg"}) {
    EXPECT_NE(notices[0].find(folder_.Path(skipped)), std::string::npos) << skipped;
  }
  EXPECT_EQ(notices[0].find("block.jpg"), std::string::npos);

  // Every file that takes a block arrived byte for byte, with one record each, in picture order.
  const auto files = standin_.Files();
  const auto records = standin_.Records();
  ASSERT_EQ(files.size(), 4u);
  ASSERT_EQ(records.size(), 4u);
  const char* sentNames[] = {"block.jpg", "two.blocks.gif", "three.bmp", "big.jpg"};
  const char* extensions[] = {".jpg", ".gif", ".bmp", ".jpg"};
  const int jobNumbers[] = {2, 3, 5, 6};
  for (int i = 0; i < 4; ++i) {
    // (No SCOPED_TRACE: it starts a thread of its own, which the thread counts below would see.)
    const uploadtest::StoredRecord& record = records[i];
    ASSERT_EQ(files.count(record.fileName), 1u) << sentNames[i];
    const Picture& picture = pictures_[jobNumbers[i]];
    EXPECT_EQ(files.at(record.fileName).size, picture.bytes.size()) << sentNames[i];
    EXPECT_TRUE(standin_.ReadStoredFile(files.at(record.fileName)) == picture.bytes) << sentNames[i];
    EXPECT_EQ(record.fileName.rfind("annlee", 0), 0u);  // the remote name drops the dots
    EXPECT_EQ(record.fileName.substr(record.fileName.size() - 4), extensions[i]) << sentNames[i];
    EXPECT_EQ(record.userName, "ann.lee");  // the record keeps them
    EXPECT_NE(record.storeHead.find("\\\\"), std::string::npos);
    EXPECT_EQ(record.title, "海边 " + std::to_string(jobNumbers[i])) << sentNames[i];
    EXPECT_EQ(record.imgArtId, static_cast<unsigned>(10 + jobNumbers[i]));
    EXPECT_EQ(record.pk, jobNumbers[i] % 2);
    EXPECT_EQ(record.imgSourceId, 1);
    EXPECT_EQ(record.uploadType, 2);
    EXPECT_EQ(record.specialNum, 77);
    EXPECT_EQ(record.pix, "1024*768");
    EXPECT_EQ(record.remark, "remark");
    EXPECT_EQ(record.tag, "sea");
    EXPECT_GT(record.uploadDate, 1600000000u);
  }
  // The block packets carry the member's name with its dots and the bytes each one holds.
  for (const uploadtest::StoredBlock& block : standin_.Blocks()) {
    EXPECT_EQ(block.userName, "ann.lee");
    EXPECT_EQ(block.uploadType, 2);
    EXPECT_GE(block.count, 2u);
    EXPECT_LE(block.count, 6144u);
  }
  // The workers ended with the run; the pool's own thread waits for Stop.
  EXPECT_TRUE(window_.PumpUntil([this] { return uploadtest::ThreadCount() <= baselineThreads_ + 1; }, 5000));
  StopAndExpectNothingLeft(pool, *watch);
}

TEST_F(UploadPool, SmallPicturesSetUpTogetherKeepTheirOwnRemoteNames) {
  // Pictures of one block each are set up as fast as workers ask for work, often within the same
  // millisecond; each must still arrive as a file of its own.
  constexpr int kPictures = 12;
  for (int i = 0; i < kPictures; ++i) AddPicture("small" + std::to_string(i) + ".jpg", 100 + i);
  auto watch = std::make_shared<PoolWatch>();
  WatchedPool* pool = StartPool(window_, watch);
  ASSERT_TRUE(window_.PumpUntil([&] { return Ended(window_) && !watch->Notices().empty(); }, 60000));
  EXPECT_EQ(window_.Count(WM_UPLOAD_STATUS, UPLOAD_STATUS_ALL_SENT), 1);
  const auto files = standin_.Files();
  const auto records = standin_.Records();
  ASSERT_EQ(records.size(), static_cast<std::size_t>(kPictures));
  EXPECT_EQ(files.size(), static_cast<std::size_t>(kPictures));
  for (int i = 0; i < kPictures; ++i) {
    ASSERT_EQ(files.count(records[i].fileName), 1u) << i;
    EXPECT_TRUE(standin_.ReadStoredFile(files.at(records[i].fileName)) == pictures_[i].bytes) << i;
  }
  StopAndExpectNothingLeft(pool, *watch);
}

TEST_F(UploadPool, OneBlockFirstPictureOnOneConnectionCountsEveryPictureDone) {
  // A server that takes one connection: worker 1 is refused and the run goes on with worker 0
  // alone, which sets up the second picture right after the first picture's only block. The
  // frame's answer to that block (the first-block flag) must be in before, however busy the
  // frame's thread is, or the second picture's status 1 is lost and the files-done count ends
  // one short.
  standin_.Command("limit block 1");
  standin_.Command("delay block 300");
  AddPicture("first.jpg", 100);
  AddPicture("second.jpg", 20000);
  AddPicture("third.jpg", 6144);
  auto watch = std::make_shared<PoolWatch>();
  WatchedPool* pool = StartPool(window_, watch);
  ASSERT_TRUE(window_.PumpUntil([&] { return window_.Count(WM_UPLOAD_STATUS, UPLOAD_STATUS_CONNECTED) == 1; }, 10000));
  Sleep(1000);  // the frame's thread is busy while the first block is answered
  ASSERT_TRUE(window_.PumpUntil([&] { return Ended(window_) && !watch->Notices().empty(); }, 30000));
  EXPECT_EQ(window_.Count(WM_UPLOAD_STATUS, UPLOAD_STATUS_NEXT_PICTURE), 3);
  EXPECT_EQ(window_.Count(WM_UPLOAD_STATUS, UPLOAD_STATUS_ALL_SENT), 1);
  EXPECT_EQ(window_.Count(WM_UPLOAD_BLOCK_SENT), 1 + 4 + 1);
  EXPECT_EQ(standin_.Counter("block_connections"), 1u);
  EXPECT_EQ(standin_.Records().size(), 3u);
  EXPECT_EQ(watch->Notices()[0], "提示|文件传送完成了");
  StopAndExpectNothingLeft(pool, *watch);
}

TEST_F(UploadPool, PictureOfTheRunningBatchCanBeSavedOver) {
  // The member saves over the picture being sent (a rotation on disk writes a new file and puts
  // it in place of the old). No worker may hold the file between its reads.
  const Picture big = AddPicture("big.jpg", 300000);
  standin_.Command("delay block 20");  // the batch is still under way when the file is saved over
  auto watch = std::make_shared<PoolWatch>();
  WatchedPool* pool = StartPool(window_, watch, 1000);
  ASSERT_TRUE(window_.PumpUntil([&] { return window_.Count(WM_UPLOAD_BLOCK_SENT) >= 12; }, 30000));
  ASSERT_LT(window_.Count(WM_UPLOAD_BLOCK_SENT), 40);
  // Every worker now waits for an answer that does not come: none is reading the file.
  standin_.Set("block", "stall");
  window_.PumpUntil([] { return false; }, 300);
  EXPECT_TRUE(mb::WriteFileReplacing(big.path, big.bytes)) << GetLastError();
  HANDLE rewrite = CreateFileA(big.path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  EXPECT_NE(rewrite, INVALID_HANDLE_VALUE) << GetLastError();
  DWORD written = 0;
  EXPECT_TRUE(WriteFile(rewrite, big.bytes.data(), static_cast<DWORD>(big.bytes.size()), &written, nullptr));
  CloseHandle(rewrite);
  // The stalled blocks time out and go again on fresh connections.
  standin_.Set("block", "normal");
  ASSERT_TRUE(window_.PumpUntil([&] { return Ended(window_) && !watch->Notices().empty(); }, 60000));
  EXPECT_EQ(window_.Count(WM_UPLOAD_STATUS, UPLOAD_STATUS_ALL_SENT), 1);
  const auto files = standin_.Files();
  ASSERT_EQ(files.size(), 1u);
  EXPECT_TRUE(standin_.ReadStoredFile(files.begin()->second) == big.bytes);
  StopAndExpectNothingLeft(pool, *watch);
}

TEST_F(UploadPool, NextPictureSavedOverAfterItsStartWasReadAheadArrivesAsSaved) {
  // The start of the second picture is read ahead while the first is sent (slowly: every answer
  // comes 50 ms late). The member then saves a new version over the second: the batch must send
  // the new version whole, not the bytes read before it was saved.
  const Picture first = AddPicture("first.jpg", 300000);
  const Picture second = AddPicture("second.jpg", 20000);
  standin_.Command("delay block 50");
  auto watch = std::make_shared<PoolWatch>();
  WatchedPool* pool = StartPool(window_, watch);
  ASSERT_TRUE(window_.PumpUntil([&] { return window_.Count(WM_UPLOAD_BLOCK_SENT) >= 6; }, 30000));
  const std::string saved = RandomBytes(25000, 99);
  EXPECT_TRUE(mb::WriteFileReplacing(second.path, saved)) << GetLastError();
  ASSERT_TRUE(window_.PumpUntil([&] { return Ended(window_) && !watch->Notices().empty(); }, 60000));
  EXPECT_EQ(window_.Count(WM_UPLOAD_STATUS, UPLOAD_STATUS_ALL_SENT), 1);
  const auto files = standin_.Files();
  const auto records = standin_.Records();
  ASSERT_EQ(records.size(), 2u);
  ASSERT_EQ(files.count(records[1].fileName), 1u);
  EXPECT_TRUE(standin_.ReadStoredFile(files.at(records[0].fileName)) == first.bytes);
  EXPECT_TRUE(standin_.ReadStoredFile(files.at(records[1].fileName)) == saved);
  StopAndExpectNothingLeft(pool, *watch);
}

TEST_F(UploadPool, RefusedServerGivesConnectFailedAtOnce) {
  AddPicture("a.jpg", 9000);
  standin_.Set("block", "refuse");
  auto watch = std::make_shared<PoolWatch>();
  const DWORD start = GetTickCount();
  WatchedPool* pool = StartPool(window_, watch);
  ASSERT_TRUE(window_.PumpUntil([&] { return Ended(window_) && !watch->Notices().empty(); }, 20000));
  EXPECT_LT(GetTickCount() - start, 10000u);
  EXPECT_EQ(window_.Count(WM_UPLOAD_CONNECT_FAILED), 1);
  EXPECT_EQ(window_.Count(WM_UPLOAD_STATUS), 0);
  EXPECT_EQ(watch->Notices()[0], "提示|连接服务器失败，请检查网络是否畅通！");
  StopAndExpectNothingLeft(pool, *watch);
}

TEST_F(UploadPool, SilentServerFailsThePictureInBoundedTime) {
  AddPicture("a.jpg", 20000);
  AddPicture("b.jpg", 100);
  standin_.Set("block", "stall");
  auto watch = std::make_shared<PoolWatch>();
  const DWORD start = GetTickCount();
  WatchedPool* pool = StartPool(window_, watch, 300);
  ASSERT_TRUE(window_.PumpUntil([&] { return Ended(window_) && !watch->Notices().empty(); }, 60000));
  EXPECT_LT(GetTickCount() - start, 40000u);
  EXPECT_EQ(window_.Count(WM_UPLOAD_CONNECT_FAILED), 1);
  EXPECT_EQ(window_.Count(WM_UPLOAD_STATUS, UPLOAD_STATUS_ALL_SENT), 0);
  EXPECT_EQ(window_.Count(WM_UPLOAD_BLOCK_SENT), 0);
  EXPECT_EQ(window_.Messages().back().message, WM_UPLOAD_CONNECT_FAILED);
  const std::string notice = watch->Notices()[0];
  EXPECT_NE(notice.find("图片传送失败"), std::string::npos);
  EXPECT_NE(notice.find(folder_.Path("a.jpg")), std::string::npos);
  EXPECT_NE(notice.find(folder_.Path("b.jpg")), std::string::npos);  // never sent
  EXPECT_TRUE(standin_.Records().empty());
  StopAndExpectNothingLeft(pool, *watch);
}

TEST_F(UploadPool, ServerThatDropsEveryBlockFailsTheBatchWithoutARecord) {
  AddPicture("a.jpg", 7000);
  standin_.Set("block", "drop");
  auto watch = std::make_shared<PoolWatch>();
  WatchedPool* pool = StartPool(window_, watch, 1000);
  ASSERT_TRUE(window_.PumpUntil([&] { return Ended(window_) && !watch->Notices().empty(); }, 60000));
  EXPECT_EQ(window_.Count(WM_UPLOAD_CONNECT_FAILED), 1);
  EXPECT_TRUE(standin_.Records().empty());
  EXPECT_NE(watch->Notices()[0].find(folder_.Path("a.jpg")), std::string::npos);
  // Each block was tried ten times before the worker gave up.
  EXPECT_GE(standin_.Counter("block_packets"), 10u);
  StopAndExpectNothingLeft(pool, *watch);
}

TEST_F(UploadPool, DroppedConnectionAndShortAnswerMidFileAreSentAgain) {
  const Picture big = AddPicture("big.jpg", 200000);
  standin_.Set("block", "drop 3");
  auto watch = std::make_shared<PoolWatch>();
  WatchedPool* pool = StartPool(window_, watch, 2000);
  ASSERT_TRUE(window_.PumpUntil([&] { return window_.Count(WM_UPLOAD_BLOCK_SENT) >= 6; }, 30000));
  standin_.Set("block", "short 2");
  ASSERT_TRUE(window_.PumpUntil([&] { return Ended(window_) && !watch->Notices().empty(); }, 60000));
  EXPECT_EQ(window_.Count(WM_UPLOAD_STATUS, UPLOAD_STATUS_ALL_SENT), 1);
  EXPECT_EQ(static_cast<std::uint64_t>(window_.Count(WM_UPLOAD_BLOCK_SENT)), BlocksFor(big.bytes.size()));
  const auto files = standin_.Files();
  ASSERT_EQ(files.size(), 1u);
  EXPECT_TRUE(standin_.ReadStoredFile(files.begin()->second) == big.bytes);
  EXPECT_EQ(standin_.Records().size(), 1u);
  StopAndExpectNothingLeft(pool, *watch);
}

TEST_F(UploadPool, RecordThatCannotBeDeliveredFailsThePicture) {
  AddPicture("a.jpg", 5000);
  AddPicture("b.jpg", 5000);
  standin_.Set("record", "refuse");
  auto watch = std::make_shared<PoolWatch>();
  WatchedPool* pool = StartPool(window_, watch);
  ASSERT_TRUE(window_.PumpUntil([&] { return Ended(window_) && !watch->Notices().empty(); }, 60000));
  EXPECT_EQ(window_.Count(WM_UPLOAD_CONNECT_FAILED), 1);
  EXPECT_EQ(window_.Count(WM_UPLOAD_STATUS, UPLOAD_STATUS_ALL_SENT), 0);
  const std::string notice = watch->Notices()[0];
  EXPECT_NE(notice.find(folder_.Path("a.jpg")), std::string::npos);
  StopAndExpectNothingLeft(pool, *watch);
}

TEST_F(UploadPool, StoppedPoolReportsNothingMoreWhileTheNextBatchRuns) {
  AddPicture("a.jpg", 50000);
  standin_.Set("block", "stall");
  auto oldWatch = std::make_shared<PoolWatch>();
  WatchedPool* oldPool = StartPool(window_, oldWatch, 20000);
  ASSERT_TRUE(window_.PumpUntil([&] { return window_.Count(WM_UPLOAD_STATUS, UPLOAD_STATUS_CONNECTED) == 1; }, 10000));
  window_.PumpUntil([] { return false; }, 300);  // let the workers settle into their waits
  oldPool->Stop();
  const std::size_t reportsAtStop = window_.Messages().size();

  // The next batch, on a server that answers again, to another window.
  standin_.Reset();
  EngineTestWindow nextWindow;
  auto nextWatch = std::make_shared<PoolWatch>();
  WatchedPool* nextPool = StartPool(nextWindow, nextWatch);
  ASSERT_TRUE(nextWindow.PumpUntil([&] { return Ended(nextWindow) && !nextWatch->Notices().empty(); }, 30000));
  EXPECT_EQ(nextWindow.Count(WM_UPLOAD_STATUS, UPLOAD_STATUS_ALL_SENT), 1);
  EXPECT_EQ(nextWindow.Count(WM_UPLOAD_STATUS, UPLOAD_STATUS_CONNECTED), 1);
  EXPECT_EQ(nextWindow.Count(WM_UPLOAD_CONNECT_FAILED), 0);

  // The stopped pool ended on its own, said nothing more and showed no notice.
  EXPECT_EQ(WaitForSingleObject(oldWatch->deleted, 8000), WAIT_OBJECT_0);
  window_.PumpUntil([] { return false; }, 200);
  EXPECT_EQ(window_.Messages().size(), reportsAtStop);
  EXPECT_TRUE(oldWatch->Notices().empty());
  StopAndExpectNothingLeft(nextPool, *nextWatch);
}

TEST_F(UploadPool, PoolEndedByQuitMessageStopsItsWorkers) {
  AddPicture("a.jpg", 50000);
  standin_.Set("block", "stall");
  auto watch = std::make_shared<PoolWatch>();
  WatchedPool* pool = StartPool(window_, watch, 20000);
  ASSERT_TRUE(window_.PumpUntil([&] { return window_.Count(WM_UPLOAD_STATUS, UPLOAD_STATUS_CONNECTED) == 1; }, 10000));
  ASSERT_TRUE(PostThreadMessageA(pool->ThreadId(), WM_QUIT, 0, 0));
  EXPECT_TRUE(window_.PumpUntil([&] { return WaitForSingleObject(watch->deleted, 0) == WAIT_OBJECT_0; }, 8000));
  EXPECT_TRUE(window_.PumpUntil([this] { return uploadtest::ThreadCount() <= baselineThreads_; }, 5000));
  EXPECT_TRUE(watch->Notices().empty());
}

}  // namespace
