// Per-path misbehaviour of the stand-in service, switchable while it runs. A fault set for the
// path "*" applies to every path that has no fault of its own.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace standin {

enum class FaultKind {
  kNone,      // answer normally
  kRefuse,    // close the connection without any reply
  kStall,     // never answer, until the fault is lifted, stalls are released or the service stops
  kGarbage,   // answer 200 with a body that is no valid XML or list
  kStatus,    // answer with the given HTTP status
  kTruncate,  // announce the whole body, send half of it and close the connection
  kEmpty,     // answer 200 with an empty body
  kForeignCharset,  // answer normally, but label the reply in a charset no client reads
  kZero,            // answer 200 with the body "0" (a request the service turned down)
};

struct Fault {
  FaultKind kind = FaultKind::kNone;
  int status = 0;  // for kStatus

  bool operator==(const Fault& other) const {
    return kind == other.kind && status == other.status;
  }
};

// "none", "refuse", "stall", "garbage", "truncate", "empty", "foreign-charset", "zero", "404", "500" or
// "status:NNN" (100..599).
std::optional<Fault> ParseFault(std::string_view text);
std::string FaultName(const Fault& fault);

class FaultInjector {
 public:
  void Set(const std::string& path, const Fault& fault);
  // Lifts every fault and releases stalled requests.
  void ClearAll();
  // Lets the requests stalled so far go on; new requests to a stalled path stall again.
  void ReleaseStalls();
  // Ends every stall for good; stalled and later stalled requests get no answer.
  void Stop();

  Fault For(const std::string& path) const;

  // Blocks while the request to path is stalled. Returns true when it may be answered (the
  // stall was lifted or released), false when the service is stopping.
  bool AwaitStallEnd(const std::string& path);

 private:
  Fault ForLocked(const std::string& path) const;

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::map<std::string, Fault> faults_;
  std::uint64_t releaseGeneration_ = 0;
  bool stopping_ = false;
};

}  // namespace standin
