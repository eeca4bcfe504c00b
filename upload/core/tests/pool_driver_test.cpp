// Which thread carries out the pool's actions, and in which order.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "upload/core/pool_driver.h"

namespace mb::upload {
namespace {

class FakeHost : public PoolActionHost {
 public:
  std::vector<std::optional<std::uint64_t>> sizes;
  bool announce = false;
  std::vector<std::string> log;  // what was carried out, in order
  int wakes = 0;
  // Runs while a record is being delivered, on the delivering thread.
  std::function<void()> duringDelivery = [] {};

  std::optional<std::uint64_t> ProbePicture(std::size_t job) override { return sizes.at(job); }
  bool BeginPicture(std::size_t job) override {
    log.push_back("begin " + std::to_string(job));
    return announce;
  }
  void FillBlock(int worker, std::size_t, const BlockSpan& block) override {
    log.push_back("fill w" + std::to_string(worker) + " @" + std::to_string(block.offset));
  }
  RecordDelivery PrepareRecord(std::size_t job) override {
    return [this, job] {
      duringDelivery();
      log.push_back("record " + std::to_string(job));
      return true;
    };
  }
  void Execute(const PoolAction& action) override {
    static const char* kinds[] = {"start", "go", "report", "stop", "stop all", "finish"};
    static const char* reports[] = {"first", "all sent", "queue empty", "failed", "next picture"};
    std::string line = kinds[static_cast<int>(action.kind)];
    if (action.worker >= 0) line += " w" + std::to_string(action.worker);
    if (action.kind == PoolAction::Kind::Report) line += std::string(" ") + reports[static_cast<int>(action.report)];
    log.push_back(line);
  }
  void WakePoolThread() override { ++wakes; }

  std::vector<std::string> Take() {
    std::vector<std::string> taken;
    taken.swap(log);
    return taken;
  }
};

using Lines = std::vector<std::string>;

TEST(PoolDriver, ReportingWorkerCarriesOutItsActionsAndKeepsItsBlock) {
  FakeHost host;
  host.sizes = {20000};
  PoolDriver driver(host);
  driver.Start(1);
  EXPECT_EQ(host.Take(), (Lines{"start w0"}));
  // Worker 0 connects: it starts worker 1, reports, and goes on with its first block itself. (The
  // picture is named and the entry filled while the scheduler runs, before any action.)
  EXPECT_TRUE(driver.WorkerConnected(0));
  EXPECT_EQ(host.Take(), (Lines{"begin 0", "fill w0 @0", "start w1", "report first"}));
  EXPECT_TRUE(driver.WorkerIdle(0));
  EXPECT_EQ(host.Take(), (Lines{"fill w0 @6143"}));
  EXPECT_EQ(host.wakes, 0);
}

TEST(PoolDriver, EndOfBatchWaitsForThePoolThreadInOrder) {
  FakeHost host;
  host.sizes = {100};
  PoolDriver driver(host);
  driver.Start(1);
  ASSERT_TRUE(driver.WorkerConnected(0));
  host.Take();
  // The last acknowledgement: the record at once, then stopping, status and notice for the pool.
  EXPECT_FALSE(driver.WorkerIdle(0));
  EXPECT_EQ(host.Take(), (Lines{"record 0"}));
  EXPECT_EQ(host.wakes, 1);
  driver.RunDeferred();
  EXPECT_EQ(host.Take(), (Lines{"stop all", "report all sent", "finish"}));
}

TEST(PoolDriver, ActionsAfterAQueuedOneWaitBehindIt) {
  FakeHost host;
  host.sizes = {50000};
  host.announce = true;
  PoolDriver driver(host);
  driver.Start(1);
  ASSERT_TRUE(driver.WorkerConnected(0));
  ASSERT_TRUE(driver.WorkerConnected(1));
  ASSERT_TRUE(driver.WorkerConnected(2));
  host.Take();
  driver.WorkerConnectFailed(3);  // stopping worker 3 is the pool thread's
  EXPECT_TRUE(host.Take().empty());
  EXPECT_EQ(host.wakes, 1);
  // Worker 1's next block now waits behind it: the worker is sent it by message.
  EXPECT_FALSE(driver.WorkerIdle(1));
  EXPECT_EQ(host.Take(), (Lines{"fill w1 @18429"}));
  EXPECT_EQ(host.wakes, 1);  // woken once for the whole queue
  driver.RunDeferred();
  EXPECT_EQ(host.Take(), (Lines{"stop w3", "go w1"}));
  // The queue is empty again: the next report is carried out by the worker.
  EXPECT_TRUE(driver.WorkerIdle(0));
  EXPECT_EQ(host.Take(), (Lines{"fill w0 @24572"}));
}

// The pool thread deletes the host right after detaching it; a worker that outlived the pool's
// stop wait must be done with the host by then, its wake-up call included.
class DetachingHost : public FakeHost {
 public:
  PoolDriver* driver = nullptr;
  std::thread poolThread;
  std::atomic<bool> detached{false};
  bool detachedDuringWake = false;
  void WakePoolThread() override {
    poolThread = std::thread([this] {
      driver->DetachHost();
      detached = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    detachedDuringWake = detached.load();
    FakeHost::WakePoolThread();
  }
};

TEST(PoolDriver, HostCannotBeDetachedWhileAWorkerWakesThePoolThread) {
  DetachingHost host;
  host.sizes = {50000};
  PoolDriver driver(host);
  host.driver = &driver;
  driver.Start(1);
  ASSERT_TRUE(driver.WorkerConnected(0));
  driver.WorkerConnectFailed(1);  // stopping worker 1 waits for the pool thread
  ASSERT_TRUE(host.poolThread.joinable());
  host.poolThread.join();
  EXPECT_EQ(host.wakes, 1);
  EXPECT_FALSE(host.detachedDuringWake);
  EXPECT_TRUE(host.detached);
  EXPECT_FALSE(driver.WorkerIdle(0));  // nothing happens after the detach
}

TEST(PoolDriver, AnnouncedPictureIsReportedBeforeItsBlockGoesOut) {
  FakeHost host;
  host.sizes = {10, 10};
  host.announce = true;
  PoolDriver driver(host);
  driver.Start(2);
  host.Take();
  ASSERT_TRUE(driver.WorkerConnected(0));
  EXPECT_EQ(host.Take(), (Lines{"begin 0", "fill w0 @0", "start w1", "report first", "report next picture"}));
  // The record goes out after the lock is let go, once the next picture's block is filled.
  EXPECT_TRUE(driver.WorkerIdle(0));
  EXPECT_EQ(host.Take(), (Lines{"begin 1", "fill w0 @0", "report next picture", "record 0"}));
}

TEST(PoolDriver, RecordGoesOutWithoutTheLockWhileAnotherWorkerIsFed) {
  FakeHost host;
  host.sizes = {10, 50000};
  PoolDriver driver(host);
  driver.Start(2);
  ASSERT_TRUE(driver.WorkerConnected(0));
  ASSERT_TRUE(driver.WorkerConnected(1));
  host.Take();
  // While worker 0 delivers picture 0's record, worker 1's acknowledgement gets its next block.
  std::atomic<bool> otherFed{false};
  std::thread other;
  host.duringDelivery = [&] {
    other = std::thread([&] { otherFed = driver.WorkerIdle(1); });
    for (int i = 0; i < 200 && !otherFed; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  };
  EXPECT_TRUE(driver.WorkerIdle(0));
  other.join();
  EXPECT_TRUE(otherFed);
}

TEST(PoolDriver, StopOnThePoolThreadRunsAtOnceAndDetachingEndsEverything) {
  FakeHost host;
  host.sizes = {50000};
  PoolDriver driver(host);
  driver.Start(1);
  ASSERT_TRUE(driver.WorkerConnected(0));
  host.Take();
  driver.Stop();
  EXPECT_EQ(host.Take(), (Lines{"stop all"}));
  EXPECT_EQ(host.wakes, 0);
  EXPECT_FALSE(driver.WorkerIdle(0));
  driver.DetachHost();
  driver.BlockFailed(0);
  driver.RunDeferred();
  EXPECT_TRUE(host.Take().empty());
}

}  // namespace
}  // namespace mb::upload
