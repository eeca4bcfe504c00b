#include "upload/core/pool_scheduler.h"

#include <algorithm>
#include <limits>

namespace mb::upload {

PoolScheduler::PoolScheduler(PoolPorts& ports, std::size_t jobCount) : ports_(ports), jobCount_(jobCount) {
  std::fill(std::begin(workers_), std::end(workers_), WorkerState::NotStarted);
}

void PoolScheduler::OnStart() {
  if (phase_ != Phase::Idle) return;
  phase_ = Phase::Connecting;
  StartNextWorker();
}

void PoolScheduler::StartNextWorker() {
  if (started_ >= kMaxWorkers) return;
  const int worker = started_++;
  workers_[worker] = WorkerState::Connecting;
  ports_.StartWorker(worker);
}

void PoolScheduler::OnWorkerConnected(int worker) {
  // A report from a worker that was stopped meanwhile (the batch ended while it connected) is late.
  if (!ValidWorker(worker) || IsOver() || workers_[worker] != WorkerState::Connecting) return;
  workers_[worker] = WorkerState::Ready;
  ++connected_;
  if (phase_ == Phase::Connecting) phase_ = Phase::Sending;
  if (Feeding() && !queueEmptyReported_) StartNextWorker();
  if (connected_ == 1) ports_.Report(EngineReport::FirstConnection);
}

void PoolScheduler::OnWorkerConnectFailed(int worker) {
  if (!ValidWorker(worker) || IsOver() || workers_[worker] != WorkerState::Connecting) return;
  workers_[worker] = WorkerState::Gone;
  ports_.StopWorker(worker);
  // Later workers that cannot connect are dropped silently; the batch goes on with the others.
  if (connected_ == 0) End(BatchOutcome::Kind::ConnectFailed);
}

void PoolScheduler::OnWorkerIdle(int worker) {
  if (!ValidWorker(worker) || IsOver()) return;
  const WorkerState state = workers_[worker];
  if (state == WorkerState::Busy) {
    Acknowledge(worker);
  } else if (state != WorkerState::Ready) {
    return;
  }
  if (batchFailed_) {
    workers_[worker] = WorkerState::Parked;
    EndIfQuiet();
    return;
  }
  FeedOrPark(worker);
}

void PoolScheduler::OnBlockFailed(int worker) {
  if (!ValidWorker(worker) || IsOver() || workers_[worker] != WorkerState::Busy) return;
  workers_[worker] = WorkerState::GaveUp;
  FailPicture(assignments_[worker].job);
  EndIfQuiet();
}

void PoolScheduler::OnRecordSent(std::size_t job, bool delivered) {
  if (IsOver() || !recordOut_ || pictures_.empty() || pictures_.front().job != job) return;
  recordOut_ = false;
  if (delivered) {
    ++outcome_.recorded;
    pictures_.pop_front();
    FlushCompletedPictures();
  } else {
    FailPicture(job);
  }
  EndIfQuiet();
}

void PoolScheduler::OnStop() {
  if (IsOver()) return;
  phase_ = Phase::Stopped;
  ports_.StopAllWorkers();
}

void PoolScheduler::Acknowledge(int worker) {
  workers_[worker] = WorkerState::Ready;
  if (Picture* picture = FindPicture(assignments_[worker].job)) --picture->blocksOut;
  FlushCompletedPictures();
}

void PoolScheduler::FeedOrPark(int worker) {
  do {
    if (std::optional<BlockSpan> block = cursor_.NextBlock()) {
      Picture& picture = pictures_.back();
      ++picture.blocksOut;
      picture.handedOut = cursor_.IsFinished();
      assignments_[worker].job = picture.job;
      workers_[worker] = WorkerState::Busy;
      ports_.SendBlock(worker, picture.job, *block);
      return;
    }
  } while (SetUpNextPicture());

  workers_[worker] = WorkerState::Parked;
  phase_ = Phase::Draining;
  if (!AnyBusy()) {
    EndIfQuiet();
    return;
  }
  // Nothing more for it: it ends while the others send their last blocks.
  ports_.StopWorker(worker);
  if (!queueEmptyReported_) {
    queueEmptyReported_ = true;
    ports_.Report(EngineReport::QueueEmpty);
  }
}

bool PoolScheduler::SetUpNextPicture() {
  while (nextJob_ < jobCount_) {
    const std::size_t job = nextJob_++;
    const std::optional<std::uint64_t> size = ports_.ProbePicture(job);
    // Offsets travel as 32-bit numbers; a file that takes no block is not worth a record.
    if (!size || *size <= 1 || *size > std::numeric_limits<std::uint32_t>::max()) {
      outcome_.skipped.push_back(job);
      continue;
    }
    ports_.BeginPicture(job);
    cursor_ = PictureCursor(static_cast<std::uint32_t>(*size));
    Picture picture;
    picture.job = job;
    pictures_.push_back(picture);
    return true;
  }
  return false;
}

PoolScheduler::Picture* PoolScheduler::FindPicture(std::size_t job) {
  for (Picture& picture : pictures_) {
    if (picture.job == job) return &picture;
  }
  return nullptr;
}

void PoolScheduler::FlushCompletedPictures() {
  if (recordOut_ || pictures_.empty()) return;
  const Picture& front = pictures_.front();
  if (front.failed || !front.handedOut || front.blocksOut > 0) return;
  recordOut_ = true;
  ports_.SendRecord(front.job);
}

void PoolScheduler::FailPicture(std::size_t job) {
  Picture* picture = FindPicture(job);
  if (!picture || picture->failed) return;
  picture->failed = true;
  outcome_.failed.push_back(job);
  batchFailed_ = true;
  phase_ = Phase::Draining;
}

bool PoolScheduler::AnyBusy() const {
  return std::any_of(std::begin(workers_), std::end(workers_),
                     [](WorkerState state) { return state == WorkerState::Busy; });
}

void PoolScheduler::EndIfQuiet() {
  if (phase_ != Phase::Draining || AnyBusy() || recordOut_) return;
  End(batchFailed_ ? BatchOutcome::Kind::PictureFailed : BatchOutcome::Kind::Completed);
}

void PoolScheduler::End(BatchOutcome::Kind kind) {
  phase_ = kind == BatchOutcome::Kind::Completed ? Phase::Done : Phase::Failed;
  outcome_.kind = kind;
  if (kind == BatchOutcome::Kind::PictureFailed) {
    for (const Picture& picture : pictures_) {
      if (!picture.failed) outcome_.unsent.push_back(picture.job);
    }
    for (std::size_t job = nextJob_; job < jobCount_; ++job) outcome_.unsent.push_back(job);
  }
  ports_.StopAllWorkers();
  ports_.Report(kind == BatchOutcome::Kind::Completed ? EngineReport::AllSent : EngineReport::ConnectFailed);
  ports_.Finish(outcome_);
}

}  // namespace mb::upload
