#include "tools/standin/fault_injector.h"


namespace standin {
namespace {

std::optional<int> ParseStatus(std::string_view digits) {
  if (digits.size() != 3) return std::nullopt;
  int value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < 100 || value > 599) return std::nullopt;
  return value;
}

}  // namespace

std::optional<Fault> ParseFault(std::string_view text) {
  if (text == "none") return Fault{FaultKind::kNone, 0};
  if (text == "refuse") return Fault{FaultKind::kRefuse, 0};
  if (text == "stall") return Fault{FaultKind::kStall, 0};
  if (text == "garbage") return Fault{FaultKind::kGarbage, 0};
  if (text == "truncate") return Fault{FaultKind::kTruncate, 0};
  if (text == "empty") return Fault{FaultKind::kEmpty, 0};
  if (text == "foreign-charset") return Fault{FaultKind::kForeignCharset, 0};
  if (text == "zero") return Fault{FaultKind::kZero, 0};
  std::string_view digits = text;
  if (digits.substr(0, 7) == "status:") digits.remove_prefix(7);
  if (std::optional<int> status = ParseStatus(digits)) return Fault{FaultKind::kStatus, *status};
  return std::nullopt;
}

std::string FaultName(const Fault& fault) {
  switch (fault.kind) {
    case FaultKind::kNone: return "none";
    case FaultKind::kRefuse: return "refuse";
    case FaultKind::kStall: return "stall";
    case FaultKind::kGarbage: return "garbage";
    case FaultKind::kTruncate: return "truncate";
    case FaultKind::kEmpty: return "empty";
    case FaultKind::kForeignCharset: return "foreign-charset";
    case FaultKind::kZero: return "zero";
    case FaultKind::kStatus: return "status:" + std::to_string(fault.status);
  }
  return "none";
}

void FaultInjector::Set(const std::string& path, const Fault& fault) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (fault.kind == FaultKind::kNone) {
    faults_.erase(path);
  } else {
    faults_[path] = fault;
  }
  changed_.notify_all();
}

void FaultInjector::ClearAll() {
  std::lock_guard<std::mutex> lock(mutex_);
  faults_.clear();
  ++releaseGeneration_;
  changed_.notify_all();
}

void FaultInjector::ReleaseStalls() {
  std::lock_guard<std::mutex> lock(mutex_);
  ++releaseGeneration_;
  changed_.notify_all();
}

void FaultInjector::Stop() {
  std::lock_guard<std::mutex> lock(mutex_);
  stopping_ = true;
  changed_.notify_all();
}

Fault FaultInjector::For(const std::string& path) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return ForLocked(path);
}

Fault FaultInjector::ForLocked(const std::string& path) const {
  auto exact = faults_.find(path);
  if (exact != faults_.end()) return exact->second;
  auto any = faults_.find("*");
  if (any != faults_.end()) return any->second;
  return Fault{};
}

bool FaultInjector::AwaitStallEnd(const std::string& path) {
  std::unique_lock<std::mutex> lock(mutex_);
  const std::uint64_t generation = releaseGeneration_;
  changed_.wait(lock, [&] {
    return stopping_ || releaseGeneration_ != generation ||
           ForLocked(path).kind != FaultKind::kStall;
  });
  return !stopping_;
}

}  // namespace standin
