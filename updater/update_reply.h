// The service's answer to the version check: "need=", "url=" and "version=" lines.
#pragma once

#include <string>
#include <string_view>

namespace mb {

// Outcome texts the check keeps (nothing displays them).
extern const char kCheckDownloadFailedText[];
extern const char kCheckNoReplyText[];
extern const char kCheckBadReplyText[];
extern const char kCheckNotNeededText[];
extern const char kCheckNoAddressText[];
extern const char kCheckWrongStateText[];

struct UpdateCheckResult {
  enum class Kind { kFailure, kNotNeeded, kDownload };
  Kind kind = Kind::kFailure;
  std::string text;     // the outcome text; empty for a download
  std::string url;      // the package address, as sent (case kept), blanks and tabs dropped
  std::string version;  // the offered version, as sent
};

// A failed check with its outcome text.
UpdateCheckResult CheckFailure(const char* text);

// Keys are found without regard to case; values are taken from the reply as it was sent.
UpdateCheckResult ParseUpdateReply(std::string_view reply);

}  // namespace mb
