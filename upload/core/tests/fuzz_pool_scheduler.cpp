// The pool's scheduling under any order of worker reports: blocks stay inside their pictures,
// none goes out twice or to a busy worker, every record and the end come at most once, one record
// is out at a time and the end never comes while one is, and a completed batch has sent every
// block of every picture it recorded.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <set>
#include <vector>

#include "upload/core/pool_scheduler.h"

namespace {

using namespace mb::upload;

void Check(bool condition) {
  if (!condition) std::abort();
}

class CheckingPorts : public PoolPorts {
 public:
  std::vector<std::optional<std::uint64_t>> sizes;
  std::set<std::size_t> failingRecords;
  std::map<std::size_t, std::set<std::uint32_t>> sentOffsets;
  std::set<std::size_t> begun, recorded;
  bool busy[kMaxWorkers] = {};
  std::optional<std::size_t> recordOut;
  bool finished = false;
  BatchOutcome outcome;

  std::optional<std::uint64_t> ProbePicture(std::size_t job) override { return sizes.at(job); }
  void BeginPicture(std::size_t job) override { Check(begun.insert(job).second); }
  void StartWorker(int worker) override { Check(worker >= 0 && worker < kMaxWorkers); }
  void SendBlock(int worker, std::size_t job, const BlockSpan& block) override {
    Check(!finished && begun.count(job) && !busy[worker]);
    Check(block.length >= 1 && block.length <= 6144 && std::uint64_t{block.offset} + block.length <= *sizes[job]);
    Check(sentOffsets[job].insert(block.offset).second);
    busy[worker] = true;
  }
  void SendRecord(std::size_t job) override {
    Check(!finished && !recordOut && begun.count(job) && recorded.insert(job).second);
    Check(sentOffsets[job].size() == EngineBlockCount(*sizes[job]));
    recordOut = job;
  }
  void StopWorker(int) override {}
  void StopAllWorkers() override {}
  void Report(EngineReport) override { Check(!finished); }
  void Finish(const BatchOutcome& result) override {
    Check(!finished && !recordOut);
    finished = true;
    outcome = result;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  CheckingPorts ports;
  const std::size_t jobs = data[0] % 6;
  std::size_t pos = 1;
  for (std::size_t j = 0; j < jobs && pos + 1 < size; ++j, pos += 2) {
    const unsigned value = data[pos] | (data[pos + 1] << 8);
    if (value % 11 == 0) {
      ports.sizes.push_back(std::nullopt);
    } else {
      ports.sizes.push_back(value % 40000);
    }
    if (value % 13 == 0) ports.failingRecords.insert(j);
  }
  PoolScheduler scheduler(ports, ports.sizes.size());
  scheduler.OnStart();
  for (; pos < size; ++pos) {
    const int worker = data[pos] % 7;  // 6 is no worker at all
    switch ((data[pos] >> 3) % 6) {
      case 0:
        scheduler.OnWorkerConnected(worker);
        break;
      case 1:
        scheduler.OnWorkerConnectFailed(worker);
        break;
      case 2:
      case 3:
        if (worker < kMaxWorkers) ports.busy[worker] = false;  // its block came back
        scheduler.OnWorkerIdle(worker);
        break;
      case 4:
        if (worker < kMaxWorkers) ports.busy[worker] = false;
        scheduler.OnBlockFailed(worker);
        break;
      case 5:
        if (worker == kMaxWorkers) {
          scheduler.OnStop();
        } else if (ports.recordOut) {
          const std::size_t job = *ports.recordOut;
          ports.recordOut.reset();
          scheduler.OnRecordSent(job, ports.failingRecords.count(job) == 0);
        }
        break;
    }
  }
  if (ports.finished && ports.outcome.kind == BatchOutcome::Kind::Completed) {
    for (std::size_t job = 0; job < ports.sizes.size(); ++job) {
      const bool sendable = ports.sizes[job] && *ports.sizes[job] > 1;
      Check(sendable == (ports.recorded.count(job) == 1));
    }
  }
  return 0;
}
