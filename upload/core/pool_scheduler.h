// The upload pool's scheduling, free of threads and sockets. The pool thread feeds it the reports
// of its workers; it answers through PoolPorts: which worker to start, which block goes to which
// worker, when a picture's record is due, which worker to stop and what to tell the frame.
//
// A batch sends its pictures strictly one after another; the blocks of the current picture go to
// whichever worker asks for work, so up to six blocks of one picture travel at once. Workers are
// started one after another, each after the previous one connected; a worker that finds nothing
// left while others still send is stopped at once. A picture's record is sent
// once all of its blocks were acknowledged, records in picture order, one at a time: the next
// record and the batch's end wait for the outcome of the one out. A block that a worker gives
// up makes its picture fail: no record for it or any later picture, no more blocks handed out, and
// the batch ends as failed once the blocks still travelling are back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "upload/core/block_plan.h"

namespace mb::upload {

inline constexpr int kMaxWorkers = 6;

enum class EngineReport {
  FirstConnection,  // the first worker connected
  AllSent,          // every picture sent and recorded, workers stopped
  QueueEmpty,       // a worker found nothing left while others still send (once per batch)
  ConnectFailed,    // the batch could not connect, or it failed
  NextPicture,      // a next picture was set up (announced by the driver, not the scheduler)
};

struct BatchOutcome {
  enum class Kind { Completed, ConnectFailed, PictureFailed };
  Kind kind = Kind::Completed;
  std::vector<std::size_t> skipped;  // unreadable, empty or one-byte files: never sent
  std::vector<std::size_t> failed;   // the picture whose block or record could not be sent
  std::vector<std::size_t> unsent;   // pictures not sent because the batch stopped at a failure
  std::size_t recorded = 0;          // pictures sent whole and recorded
};

class PoolPorts {
 public:
  // Size of the job's file, or nothing when it cannot be examined.
  virtual std::optional<std::uint64_t> ProbePicture(std::size_t job) = 0;
  // The job becomes the current picture: its names are made now.
  virtual void BeginPicture(std::size_t job) = 0;
  virtual void StartWorker(int worker) = 0;
  virtual void SendBlock(int worker, std::size_t job, const BlockSpan& block) = 0;
  // The job's record is due; its outcome comes back through OnRecordSent.
  virtual void SendRecord(std::size_t job) = 0;
  virtual void StopWorker(int worker) = 0;
  virtual void StopAllWorkers() = 0;
  virtual void Report(EngineReport report) = 0;
  // The batch is over; called once, after the last report.
  virtual void Finish(const BatchOutcome& outcome) = 0;

 protected:
  ~PoolPorts() = default;
};

class PoolScheduler {
 public:
  enum class Phase { Idle, Connecting, Sending, Draining, Done, Failed, Stopped };

  PoolScheduler(PoolPorts& ports, std::size_t jobCount);

  void OnStart();
  void OnWorkerConnected(int worker);
  void OnWorkerConnectFailed(int worker);
  // The worker asks for work: right after connecting, or after its block was acknowledged.
  void OnWorkerIdle(int worker);
  // The worker gave up its block after its tries.
  void OnBlockFailed(int worker);
  // The record asked for last was delivered, or could not be.
  void OnRecordSent(std::size_t job, bool delivered);
  // The pool is being ended from outside: workers are stopped, nothing more is reported.
  void OnStop();

  Phase GetPhase() const { return phase_; }
  bool IsOver() const { return phase_ == Phase::Done || phase_ == Phase::Failed || phase_ == Phase::Stopped; }

 private:
  enum class WorkerState { NotStarted, Connecting, Ready, Busy, Parked, Gone, GaveUp };
  struct Picture {
    std::size_t job = 0;
    std::uint64_t blocksOut = 0;  // handed out and not yet acknowledged
    bool handedOut = false;
    bool failed = false;
  };
  struct Assignment {
    std::size_t job = 0;
  };

  bool ValidWorker(int worker) const { return worker >= 0 && worker < kMaxWorkers; }
  bool Feeding() const { return phase_ == Phase::Connecting || phase_ == Phase::Sending; }
  void StartNextWorker();
  void FeedOrPark(int worker);
  bool SetUpNextPicture();
  void Acknowledge(int worker);
  Picture* FindPicture(std::size_t job);
  void FlushCompletedPictures();
  void FailPicture(std::size_t job);
  bool AnyBusy() const;
  void EndIfQuiet();
  void End(BatchOutcome::Kind kind);

  PoolPorts& ports_;
  std::size_t jobCount_;
  std::size_t nextJob_ = 0;
  Phase phase_ = Phase::Idle;
  WorkerState workers_[kMaxWorkers] = {};
  Assignment assignments_[kMaxWorkers] = {};
  int started_ = 0;
  int connected_ = 0;
  bool queueEmptyReported_ = false;
  bool recordOut_ = false;  // a record was asked for and its outcome is not back
  bool batchFailed_ = false;
  PictureCursor cursor_;
  std::deque<Picture> pictures_;  // current and earlier pictures whose records are still due
  BatchOutcome outcome_;
};

}  // namespace mb::upload
