// Windows tests' side of the stand-in service (tests declared SERVICE in mb_windows_test): plain
// requests to it, its control channel, and the requests it recorded in its log. Plain Winsock on
// purpose: the product's request code (XMLHTTP, WinINet) keeps caches and connection state per
// process, and the helper that checks it must not share them.
//
//   winkit::StandinSession standin;              // every fault off, the log marked
//   ASSERT_TRUE(standin.Control("fault /login.php 500"));
//   ... the code under test sends its request ...
//   std::vector<winkit::StandinRequest> seen = standin.Requests();   // those since the mark
//   EXPECT_EQ(winkit::HeaderOf(seen[0], "Content-Type"), "...");
//
// Control commands (one per line): "fault PATH MODE" with MODE none, refuse, stall, garbage,
// truncate, empty, foreign-charset, zero (200 "0"), 404, 500 or status:NNN (PATH "*" for every path), "clear",
// "release", "charset NAME" (gbk, utf-8, undeclared), "toplist-stamp N", "installer VERSION FILE
// PATH" (the update check offers VERSION, the Linux file FILE served at PATH), "installer none",
// "adverts LINE|LINE..." (the advert list from now on; "adverts" alone empties it, as at start)
// "adtime N" (the report interval logins hand out) and "notices LINE|LINE..." (the notice list
// from now on; "notices" alone empties it).
// Byte texts of a record (path, query, header
// values, body) are the bytes as they arrived, e.g. GBK.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/standin/request_record.h"

namespace winkit {

using StandinRequest = standin::RequestRecord;

struct StandinReply {
  int status = 0;  // 0: the service did not answer (refused, closed early, timed out)
  std::string body;
};

// One request to the service at MB_SERVICE_HOST:MB_SERVICE_HTTP_PORT, HTTP/1.0, target sent
// byte for byte; waits at most 10 s for the answer.
StandinReply SendToStandin(const std::string& method, const std::string& target,
                           const std::string& body = {});

// POST /__control with the commands; the service answers 200 "ok" or 400 with the reason.
StandinReply SendStandinControl(const std::string& commands);

// Every whole record of the log (MB_STANDIN_LOG by default), in the order they arrived.
std::vector<StandinRequest> ReadStandinLog(const std::string& logPath);
std::string StandinLogPath();

// The value of the first header with that name (any case); empty when there is none.
std::string HeaderOf(const StandinRequest& request, const std::string& name);

// One test's use of the service: faults off and the log marked at the start, faults off again
// at the end, so the next test starts from a normal service.
class StandinSession {
 public:
  explicit StandinSession(std::string logPath = StandinLogPath());
  ~StandinSession();
  StandinSession(const StandinSession&) = delete;
  StandinSession& operator=(const StandinSession&) = delete;

  // True when the service took every line; otherwise Error() tells why.
  bool Control(const std::string& commands);
  const std::string& Error() const { return error_; }

  // The requests recorded since the session began (or since the last Mark).
  std::vector<StandinRequest> Requests() const;
  void Mark();

 private:
  std::string logPath_;
  std::uint64_t markedSeq_ = 0;
  std::string error_;
};

}  // namespace winkit
