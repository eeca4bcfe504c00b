// The pool's scheduling driven through the orders of reports that the threads can produce.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "upload/core/pool_scheduler.h"

namespace mb::upload {
namespace {

std::string Join(const std::vector<std::size_t>& items) {
  std::string text;
  for (std::size_t item : items) text += (text.empty() ? "" : ",") + std::to_string(item);
  return text;
}

class FakePorts : public PoolPorts {
 public:
  std::map<std::size_t, std::optional<std::uint64_t>> sizes;
  std::set<std::size_t> failingRecords;
  std::vector<std::string> log;
  std::vector<std::size_t> recordsOut;  // asked for, outcome not yet given

  std::optional<std::uint64_t> ProbePicture(std::size_t job) override { return sizes.at(job); }
  void BeginPicture(std::size_t job) override { Add("begin " + std::to_string(job)); }
  void StartWorker(int worker) override { Add("start " + std::to_string(worker)); }
  void SendBlock(int worker, std::size_t job, const BlockSpan& block) override {
    std::ostringstream s;
    s << "block w" << worker << " j" << job << " @" << block.offset << "+" << block.length;
    Add(s.str());
  }
  void SendRecord(std::size_t job) override {
    Add("record " + std::to_string(job));
    recordsOut.push_back(job);
  }
  void StopWorker(int worker) override { Add("stop " + std::to_string(worker)); }
  void StopAllWorkers() override { Add("stop all"); }
  void Report(EngineReport report) override {
    static const char* names[] = {"first connection", "all sent", "queue empty", "connect failed"};
    Add(std::string("report ") + names[static_cast<int>(report)]);
  }
  void Finish(const BatchOutcome& outcome) override {
    static const char* kinds[] = {"completed", "connect failed", "picture failed"};
    Add(std::string("finish ") + kinds[static_cast<int>(outcome.kind)] + " recorded=" +
        std::to_string(outcome.recorded) + " skipped=" + Join(outcome.skipped) + " failed=" +
        Join(outcome.failed) + " unsent=" + Join(outcome.unsent));
  }

  // What happened since the last call.
  std::vector<std::string> Take() {
    std::vector<std::string> taken;
    taken.swap(log);
    return taken;
  }

 private:
  void Add(const std::string& line) { log.push_back(line); }
};

using Lines = std::vector<std::string>;

struct Batch {
  explicit Batch(std::vector<std::optional<std::uint64_t>> fileSizes) {
    for (std::size_t i = 0; i < fileSizes.size(); ++i) ports.sizes[i] = fileSizes[i];
    scheduler = std::make_unique<PoolScheduler>(ports, fileSizes.size());
  }
  // Gives the outcome of every record out, as the thread that sends it would, and of those that
  // follow; then what happened since the last call.
  std::vector<std::string> Take() {
    while (!ports.recordsOut.empty()) {
      const std::size_t job = ports.recordsOut.front();
      ports.recordsOut.erase(ports.recordsOut.begin());
      scheduler->OnRecordSent(job, ports.failingRecords.count(job) == 0);
    }
    return ports.Take();
  }
  // Start and connect worker 0 (which asks for work right away).
  void StartWithOneWorker() {
    scheduler->OnStart();
    scheduler->OnWorkerConnected(0);
    scheduler->OnWorkerIdle(0);
  }
  FakePorts ports;
  std::unique_ptr<PoolScheduler> scheduler;
};

TEST(PoolScheduler, WorkersStartOneAfterAnotherUpToSix) {
  Batch batch({1000000});
  batch.scheduler->OnStart();
  EXPECT_EQ(batch.Take(), (Lines{"start 0"}));
  batch.scheduler->OnWorkerConnected(0);
  EXPECT_EQ(batch.Take(), (Lines{"start 1", "report first connection"}));
  for (int w = 1; w < 5; ++w) {
    batch.scheduler->OnWorkerConnected(w);
    EXPECT_EQ(batch.Take(), (Lines{"start " + std::to_string(w + 1)}));
  }
  batch.scheduler->OnWorkerConnected(5);
  EXPECT_TRUE(batch.Take().empty());  // six is the most
  batch.scheduler->OnWorkerConnected(5);    // a repeated report changes nothing
  batch.scheduler->OnWorkerConnected(6);    // nor does a bogus worker number
  EXPECT_TRUE(batch.Take().empty());
}

TEST(PoolScheduler, OnePictureOfThreeBlocksSpreadOverThreeWorkers) {
  Batch batch({12288});
  batch.StartWithOneWorker();
  EXPECT_EQ(batch.Take(),
            (Lines{"start 0", "start 1", "report first connection", "begin 0", "block w0 j0 @0+6144"}));
  batch.scheduler->OnWorkerConnected(1);
  batch.scheduler->OnWorkerIdle(1);
  batch.scheduler->OnWorkerConnected(2);
  batch.scheduler->OnWorkerIdle(2);
  EXPECT_EQ(batch.Take(), (Lines{"start 2", "block w1 j0 @6143+6144", "start 3", "block w2 j0 @12286+2"}));
  // The next worker that asks finds nothing: it is stopped, and the queue-empty report goes out once.
  batch.scheduler->OnWorkerIdle(0);
  EXPECT_EQ(batch.Take(), (Lines{"stop 0", "report queue empty"}));
  batch.scheduler->OnWorkerConnected(3);  // draining: no further worker is started
  batch.scheduler->OnWorkerIdle(3);
  batch.scheduler->OnWorkerIdle(2);
  EXPECT_EQ(batch.Take(), (Lines{"stop 3", "stop 2"}));
  // The last acknowledgement completes the picture: record, workers stopped, status, notice.
  batch.scheduler->OnWorkerIdle(1);
  EXPECT_EQ(batch.Take(), (Lines{"record 0", "stop all", "report all sent",
                                       "finish completed recorded=1 skipped= failed= unsent="}));
  EXPECT_EQ(batch.scheduler->GetPhase(), PoolScheduler::Phase::Done);
}

TEST(PoolScheduler, RecordsFollowTheLastAcknowledgementInPictureOrder) {
  Batch batch({6145, 3, 4});
  batch.StartWithOneWorker();
  batch.scheduler->OnWorkerConnected(1);
  batch.scheduler->OnWorkerIdle(1);
  batch.Take();
  // Worker 1 holds picture 0's second block; worker 0 goes on to picture 1 and 2 meanwhile.
  batch.scheduler->OnWorkerIdle(0);
  EXPECT_EQ(batch.Take(), (Lines{"begin 1", "block w0 j1 @0+3"}));
  batch.scheduler->OnWorkerIdle(0);
  EXPECT_EQ(batch.Take(), (Lines{"begin 2", "block w0 j2 @0+4"}));
  batch.scheduler->OnWorkerIdle(0);  // picture 2 is complete, but picture 0 is not yet
  EXPECT_EQ(batch.Take(), (Lines{"stop 0", "report queue empty"}));
  batch.scheduler->OnWorkerIdle(1);
  EXPECT_EQ(batch.Take(), (Lines{"record 0", "record 1", "record 2", "stop all", "report all sent",
                                       "finish completed recorded=3 skipped= failed= unsent="}));
}

TEST(PoolScheduler, RecordOutHoldsTheNextRecordAndTheEndButNoBlock) {
  Batch batch({100, 100, 100});
  batch.StartWithOneWorker();
  batch.scheduler->OnWorkerConnected(1);
  batch.scheduler->OnWorkerIdle(1);
  batch.ports.Take();
  // Worker 0's acknowledgement completes picture 0: its record goes out and worker 0 is fed on.
  batch.scheduler->OnWorkerIdle(0);
  EXPECT_EQ(batch.ports.Take(), (Lines{"record 0", "begin 2", "block w0 j2 @0+100"}));
  // Picture 1 completes while record 0 is out: its record waits, and so does the end.
  batch.scheduler->OnWorkerIdle(1);
  batch.scheduler->OnWorkerIdle(0);
  EXPECT_EQ(batch.ports.Take(), (Lines{"stop 1", "report queue empty"}));
  EXPECT_EQ(batch.scheduler->GetPhase(), PoolScheduler::Phase::Draining);
  batch.scheduler->OnRecordSent(1, true);  // not the record out: ignored
  EXPECT_TRUE(batch.ports.Take().empty());
  batch.scheduler->OnRecordSent(0, true);
  EXPECT_EQ(batch.ports.Take(), (Lines{"record 1"}));
  batch.scheduler->OnRecordSent(1, true);
  EXPECT_EQ(batch.ports.Take(), (Lines{"record 2"}));
  batch.scheduler->OnRecordSent(2, false);
  EXPECT_EQ(batch.ports.Take(), (Lines{"stop all", "report connect failed",
                                       "finish picture failed recorded=2 skipped= failed=2 unsent="}));
  batch.scheduler->OnRecordSent(2, true);  // late: the batch is over
  EXPECT_TRUE(batch.ports.Take().empty());
}

TEST(PoolScheduler, UnreadableEmptyAndOneByteFilesAreSkippedAndNamed) {
  Batch batch({std::nullopt, 0, 1, 2, 1});
  batch.StartWithOneWorker();
  EXPECT_EQ(batch.Take(),
            (Lines{"start 0", "start 1", "report first connection", "begin 3", "block w0 j3 @0+2"}));
  batch.scheduler->OnWorkerIdle(0);
  EXPECT_EQ(batch.Take(), (Lines{"record 3", "stop all", "report all sent",
                                       "finish completed recorded=1 skipped=0,1,2,4 failed= unsent="}));
}

TEST(PoolScheduler, BatchOfNothingButSkippedFilesEndsAtOnce) {
  Batch batch({0, std::nullopt});
  batch.StartWithOneWorker();
  EXPECT_EQ(batch.Take(), (Lines{"start 0", "start 1", "report first connection", "stop all",
                                       "report all sent", "finish completed recorded=0 skipped=0,1 failed= unsent="}));
}

TEST(PoolScheduler, FirstWorkerThatCannotConnectEndsTheBatch) {
  Batch batch({5000});
  batch.scheduler->OnStart();
  batch.scheduler->OnWorkerConnectFailed(0);
  EXPECT_EQ(batch.Take(), (Lines{"start 0", "stop 0", "stop all", "report connect failed",
                                       "finish connect failed recorded=0 skipped= failed= unsent="}));
  batch.scheduler->OnWorkerConnected(0);  // late and ignored
  batch.scheduler->OnWorkerIdle(0);
  EXPECT_TRUE(batch.Take().empty());
}

TEST(PoolScheduler, LaterWorkerThatCannotConnectIsDroppedAndNoneFollowsIt) {
  Batch batch({6144});
  batch.StartWithOneWorker();
  batch.scheduler->OnWorkerConnected(1);
  batch.scheduler->OnWorkerConnected(2);
  batch.Take();
  batch.scheduler->OnWorkerConnectFailed(3);
  EXPECT_EQ(batch.Take(), (Lines{"stop 3"}));
  batch.scheduler->OnWorkerIdle(1);
  batch.scheduler->OnWorkerIdle(2);
  batch.scheduler->OnWorkerIdle(0);
  EXPECT_EQ(batch.Take(), (Lines{"stop 1", "report queue empty", "stop 2", "record 0", "stop all", "report all sent",
                                 "finish completed recorded=1 skipped= failed= unsent="}));
}

TEST(PoolScheduler, LateConnectReportAfterTheLastWorkerFinished) {
  Batch batch({100});
  batch.StartWithOneWorker();
  batch.scheduler->OnWorkerIdle(0);  // the only block is back while worker 1 still connects
  EXPECT_EQ(batch.Take(), (Lines{"start 0", "start 1", "report first connection", "begin 0",
                                       "block w0 j0 @0+100", "record 0", "stop all", "report all sent",
                                       "finish completed recorded=1 skipped= failed= unsent="}));
  // Worker 1's reports were under way when it was stopped: no new worker, no second status 10.
  batch.scheduler->OnWorkerConnected(1);
  batch.scheduler->OnWorkerIdle(1);
  batch.scheduler->OnWorkerConnectFailed(1);
  EXPECT_TRUE(batch.Take().empty());
}

TEST(PoolScheduler, FailedBlockFailsItsPictureAndStopsFeeding) {
  Batch batch({20000, 5000, 7000});
  batch.StartWithOneWorker();
  batch.scheduler->OnWorkerConnected(1);
  batch.scheduler->OnWorkerIdle(1);
  batch.Take();
  batch.scheduler->OnBlockFailed(1);  // picture 0's second block could not be sent
  EXPECT_TRUE(batch.Take().empty());  // worker 0 still carries a block
  batch.scheduler->OnWorkerConnected(2);    // nothing new starts in a failed batch
  batch.scheduler->OnWorkerIdle(2);
  EXPECT_TRUE(batch.Take().empty());
  batch.scheduler->OnWorkerIdle(0);
  EXPECT_EQ(batch.Take(), (Lines{"stop all", "report connect failed",
                                       "finish picture failed recorded=0 skipped= failed=0 unsent=1,2"}));
  batch.scheduler->OnBlockFailed(0);
  batch.scheduler->OnWorkerIdle(1);
  EXPECT_TRUE(batch.Take().empty());
}

TEST(PoolScheduler, PictureBeforeTheFailedOneIsStillRecorded) {
  Batch batch({6145, 9000});
  batch.StartWithOneWorker();
  batch.scheduler->OnWorkerConnected(1);
  batch.scheduler->OnWorkerIdle(1);   // w1: picture 0's second block
  batch.scheduler->OnWorkerIdle(0);   // w0: picture 1's first block
  batch.Take();
  batch.scheduler->OnBlockFailed(0);  // picture 1 fails while picture 0 is still travelling
  batch.scheduler->OnWorkerIdle(1);
  EXPECT_EQ(batch.Take(), (Lines{"record 0", "stop all", "report connect failed",
                                       "finish picture failed recorded=1 skipped= failed=1 unsent="}));
}

TEST(PoolScheduler, RecordThatCannotBeSentFailsTheBatch) {
  Batch batch({10, 10});
  batch.ports.failingRecords = {0};
  batch.StartWithOneWorker();
  batch.scheduler->OnWorkerIdle(0);
  // Worker 0 went on to picture 1 while the record was out; the batch ends once it is back.
  EXPECT_EQ(batch.Take(), (Lines{"start 0", "start 1", "report first connection", "begin 0", "block w0 j0 @0+10",
                                 "record 0", "begin 1", "block w0 j1 @0+10"}));
  batch.scheduler->OnWorkerIdle(0);
  EXPECT_EQ(batch.Take(),
            (Lines{"stop all", "report connect failed", "finish picture failed recorded=0 skipped= failed=0 unsent=1"}));
}

TEST(PoolScheduler, StoppedBatchIgnoresEveryLateReport) {
  Batch batch({50000});
  batch.StartWithOneWorker();
  batch.scheduler->OnWorkerConnected(1);
  batch.Take();
  batch.scheduler->OnStop();
  EXPECT_EQ(batch.Take(), (Lines{"stop all"}));
  batch.scheduler->OnWorkerIdle(0);
  batch.scheduler->OnWorkerIdle(1);
  batch.scheduler->OnWorkerConnected(2);
  batch.scheduler->OnBlockFailed(0);
  batch.scheduler->OnStop();
  batch.scheduler->OnStart();
  EXPECT_TRUE(batch.Take().empty());
  EXPECT_EQ(batch.scheduler->GetPhase(), PoolScheduler::Phase::Stopped);
}

TEST(PoolScheduler, WholeBatchOverSixWorkersSendsEveryBlockOnce) {
  // A run in which workers acknowledge in rotating order; every block must go out exactly once.
  const std::vector<std::optional<std::uint64_t>> sizes = {0, 1, 6144, 6145, 12288, 3000000, 2};
  Batch batch(sizes);
  batch.scheduler->OnStart();
  std::vector<int> ready;
  for (int w = 0; w < 6; ++w) {
    batch.scheduler->OnWorkerConnected(w);
    ready.push_back(w);
  }
  std::map<std::size_t, std::uint64_t> blocksPerJob;
  int records = 0;
  bool finished = false;
  for (std::size_t turn = 0; !finished && turn < 10000; ++turn) {
    batch.scheduler->OnWorkerIdle(ready[turn % ready.size()]);
    for (const std::string& line : batch.Take()) {
      unsigned w, j;
      if (std::sscanf(line.c_str(), "block w%u j%u", &w, &j) == 2) ++blocksPerJob[j];
      if (line.rfind("record", 0) == 0) ++records;
      if (line.rfind("finish completed", 0) == 0) finished = true;
    }
  }
  ASSERT_TRUE(finished);
  EXPECT_EQ(records, 5);
  for (std::size_t job = 0; job < sizes.size(); ++job) {
    EXPECT_EQ(blocksPerJob[job], EngineBlockCount(*sizes[job])) << job;
  }
}

}  // namespace
}  // namespace mb::upload
