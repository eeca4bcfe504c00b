#include "upload/core/pool_driver.h"

namespace mb::upload {

// The scheduler's ports: questions go to the host at once, actions are collected in order.
class PoolDriver::Ports : public PoolPorts {
 public:
  explicit Ports(PoolActionHost& host) : host_(host) {}
  std::vector<PoolAction> actions;
  std::optional<DueRecord> record;

  std::optional<std::uint64_t> ProbePicture(std::size_t job) override { return host_.ProbePicture(job); }
  void BeginPicture(std::size_t job) override {
    if (host_.BeginPicture(job)) Add(PoolAction::Kind::Report, -1, EngineReport::NextPicture);
  }
  void StartWorker(int worker) override { Add(PoolAction::Kind::StartWorker, worker); }
  void SendBlock(int worker, std::size_t job, const BlockSpan& block) override {
    host_.FillBlock(worker, job, block);
    Add(PoolAction::Kind::SendBlock, worker);
  }
  // The scheduler has at most one record out.
  void SendRecord(std::size_t job) override { record = DueRecord{job, host_.PrepareRecord(job)}; }
  void StopWorker(int worker) override { Add(PoolAction::Kind::StopWorker, worker); }
  void StopAllWorkers() override { Add(PoolAction::Kind::StopAllWorkers); }
  void Report(EngineReport report) override { Add(PoolAction::Kind::Report, -1, report); }
  void Finish(const BatchOutcome& outcome) override {
    PoolAction action;
    action.kind = PoolAction::Kind::Finish;
    action.outcome = outcome;
    actions.push_back(action);
  }

 private:
  void Add(PoolAction::Kind kind, int worker = -1, EngineReport report = EngineReport::FirstConnection) {
    PoolAction action;
    action.kind = kind;
    action.worker = worker;
    action.report = report;
    actions.push_back(action);
  }
  PoolActionHost& host_;
};

namespace {
class StdDriverMutex : public DriverMutex {
 public:
  void lock() override { mutex_.lock(); }
  void unlock() override { mutex_.unlock(); }

 private:
  std::mutex mutex_;
};
}  // namespace

PoolDriver::PoolDriver(PoolActionHost& host, std::unique_ptr<DriverMutex> mutex)
    : mutexOwner_(mutex ? std::move(mutex) : std::make_unique<StdDriverMutex>()), mutex_(*mutexOwner_), host_(&host) {}
PoolDriver::~PoolDriver() = default;

template <class Event>
bool PoolDriver::Feed(int caller, Event event) {
  std::optional<DueRecord> record;
  const bool handedToCaller = FeedLocked(caller, event, record);
  while (record) {
    const std::size_t job = record->job;
    const bool delivered = record->delivery();
    record.reset();
    FeedLocked(caller, [job, delivered](PoolScheduler& s) { s.OnRecordSent(job, delivered); }, record);
  }
  return handedToCaller;
}

template <class Event>
bool PoolDriver::FeedLocked(int caller, Event event, std::optional<DueRecord>& record) {
  bool runNow = false;
  bool handedToCaller = false;
  {
    std::lock_guard<DriverMutex> lock(mutex_);
    if (!host_ || !scheduler_) return false;
    event(*scheduler_);
    const bool wasWaiting = draining_ || !deferred_.empty();
    Route(caller, ports_->actions, handedToCaller);
    record = std::move(ports_->record);
    ports_->record.reset();
    if (!wasWaiting && !deferred_.empty()) {
      if (caller == kPoolThread) {
        runNow = true;
      } else {
        // Still under the lock: a worker that outlived the pool's stop wait may get here while the
        // pool thread detaches the host and deletes it, which it does only under this lock.
        host_->WakePoolThread();
      }
    }
  }
  if (runNow) RunDeferred();
  return handedToCaller;
}

void PoolDriver::Route(int caller, std::vector<PoolAction>& actions, bool& handedToCaller) {
  bool deferring = draining_ || !deferred_.empty();
  for (PoolAction& action : actions) {
    deferring = deferring || action.PoolThreadOnly();
    if (deferring) {
      deferred_.push_back(std::move(action));
    } else if (action.kind == PoolAction::Kind::SendBlock && action.worker == caller) {
      handedToCaller = true;  // the caller goes on with it at once
    } else {
      host_->Execute(action);
    }
  }
  actions.clear();
}

void PoolDriver::Start(std::size_t jobCount) {
  {
    std::lock_guard<DriverMutex> lock(mutex_);
    if (!host_ || scheduler_) return;
    ports_ = std::make_unique<Ports>(*host_);
    scheduler_ = std::make_unique<PoolScheduler>(*ports_, jobCount);
  }
  Feed(kPoolThread, [](PoolScheduler& s) { s.OnStart(); });
}

bool PoolDriver::WorkerConnected(int worker) {
  return Feed(worker, [worker](PoolScheduler& s) {
    s.OnWorkerConnected(worker);
    s.OnWorkerIdle(worker);
  });
}

void PoolDriver::WorkerConnectFailed(int worker) {
  Feed(worker, [worker](PoolScheduler& s) { s.OnWorkerConnectFailed(worker); });
}

bool PoolDriver::WorkerIdle(int worker) {
  return Feed(worker, [worker](PoolScheduler& s) { s.OnWorkerIdle(worker); });
}

void PoolDriver::BlockFailed(int worker) {
  Feed(worker, [worker](PoolScheduler& s) { s.OnBlockFailed(worker); });
}

void PoolDriver::Stop() {
  Feed(kPoolThread, [](PoolScheduler& s) { s.OnStop(); });
}

void PoolDriver::RunDeferred() {
  for (;;) {
    PoolAction action;
    PoolActionHost* host;
    {
      std::lock_guard<DriverMutex> lock(mutex_);
      if (deferred_.empty() || !host_) {
        draining_ = false;
        return;
      }
      draining_ = true;
      action = std::move(deferred_.front());
      deferred_.pop_front();
      host = host_;
    }
    host->Execute(action);
  }
}

void PoolDriver::DetachHost() {
  std::lock_guard<DriverMutex> lock(mutex_);
  host_ = nullptr;
  deferred_.clear();
}

}  // namespace mb::upload
