// PoolDriver: the pool's scheduling shared by the pool thread and its workers. Whichever thread
// has news (a worker connected, acknowledged a block, gave one up) feeds the scheduler directly
// under one lock, so a worker needs no round trip through the pool thread between two blocks.
//
// The actions come back in the scheduler's order. The reporting thread carries them out at once,
// still under the lock, so that they reach the frame in that order: a next block for itself (the
// call returns true and the worker goes on sending), blocks for others, reports, starting a
// worker. Stopping workers and the final notice may only run on the pool thread without the lock
// (a worker being stopped may be waiting for it); from the first such action on, every action is
// queued for the pool thread until it has carried out the queue, so the order still holds.
//
// A picture's record is a round trip to the record server. It is made under the lock but sent by
// the reporting thread after it let go of the lock, so the other workers go on sending meanwhile;
// its outcome is fed back to the scheduler, which holds the next record and the batch's end until
// then.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "upload/core/pool_scheduler.h"

namespace mb::upload {

// Delivers a picture's record; true when the record server took it. Runs without the driver's
// lock, on whichever thread completed the picture, and may outlive the pool's host.
using RecordDelivery = std::function<bool()>;

struct PoolAction {
  enum class Kind { StartWorker, SendBlock, Report, StopWorker, StopAllWorkers, Finish };
  Kind kind = Kind::Report;
  int worker = -1;
  EngineReport report = EngineReport::FirstConnection;
  BatchOutcome outcome;

  bool PoolThreadOnly() const {
    return kind == Kind::StopWorker || kind == Kind::StopAllWorkers || kind == Kind::Finish;
  }
};

// What the pool provides to the driver. The first four run under the driver's lock.
class PoolActionHost {
 public:
  virtual std::optional<std::uint64_t> ProbePicture(std::size_t job) = 0;
  // Names the picture; true when its setting up is to be announced to the frame.
  virtual bool BeginPicture(std::size_t job) = 0;
  // Fills the worker's block entry (the worker is idle while this happens).
  virtual void FillBlock(int worker, std::size_t job, const BlockSpan& block) = 0;
  // Makes the job's record; what it returns sends it later without the lock.
  virtual RecordDelivery PrepareRecord(std::size_t job) = 0;
  // Carries out an action: under the lock on the reporting thread, or on the pool thread.
  virtual void Execute(const PoolAction& action) = 0;
  // Actions wait for the pool thread: it is to call RunDeferred. Called under the driver's lock,
  // so it must not wait for the pool thread.
  virtual void WakePoolThread() = 0;

 protected:
  ~PoolActionHost() = default;
};

// The driver's lock; a platform may bring a cheaper one than std::mutex.
class DriverMutex {
 public:
  virtual ~DriverMutex() = default;
  virtual void lock() = 0;
  virtual void unlock() = 0;
};

class PoolDriver {
 public:
  static constexpr int kPoolThread = -1;

  // Without a mutex of its own choosing the driver uses std::mutex.
  explicit PoolDriver(PoolActionHost& host, std::unique_ptr<DriverMutex> mutex = nullptr);
  ~PoolDriver();
  PoolDriver(const PoolDriver&) = delete;
  PoolDriver& operator=(const PoolDriver&) = delete;

  // On the pool thread.
  void Start(std::size_t jobCount);
  // A worker connected and asks for work; true when it has a block to send now.
  bool WorkerConnected(int worker);
  void WorkerConnectFailed(int worker);
  // A worker's block was acknowledged; true when it has the next block to send now.
  bool WorkerIdle(int worker);
  void BlockFailed(int worker);
  // The pool is ending: workers are stopped, nothing more happens.
  void Stop();
  // On the pool thread: carries out the queued actions in order, without the lock.
  void RunDeferred();
  // The host is going away: every later call does nothing.
  void DetachHost();

 private:
  class Ports;
  struct DueRecord {
    std::size_t job = 0;
    RecordDelivery delivery;
  };

  // Feeds the event and carries out its actions; then sends the record that became due, if any,
  // and feeds back its outcome, and so on. True when the caller was handed a next block.
  template <class Event>
  bool Feed(int caller, Event event);
  template <class Event>
  bool FeedLocked(int caller, Event event, std::optional<DueRecord>& record);
  void Route(int caller, std::vector<PoolAction>& actions, bool& handedToCaller);

  std::unique_ptr<DriverMutex> mutexOwner_;
  DriverMutex& mutex_;
  PoolActionHost* host_;
  std::unique_ptr<Ports> ports_;
  std::unique_ptr<PoolScheduler> scheduler_;
  std::deque<PoolAction> deferred_;
  bool draining_ = false;  // the pool thread is carrying out the queue
};

}  // namespace mb::upload
