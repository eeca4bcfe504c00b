#include "updater/package_check.h"

#include "common/gbk_text.h"
#include "common/version_text.h"

namespace mb {

std::string RefusePackage(const PackageFacts& facts) {
  if (!GbkStartsWithNoCase(facts.address, "http://") && !GbkStartsWithNoCase(facts.address, "https://")) {
    return "not an http address";
  }
  if (facts.status != 200) return "status " + std::to_string(facts.status);
  if (facts.readFailed) return "a read failed";
  if (facts.contentLength && *facts.contentLength != facts.received) {
    return "cut short: " + std::to_string(facts.received) + " of " + std::to_string(*facts.contentLength) + " bytes";
  }
  if (facts.head.compare(0, 2, "MZ") != 0) return "not a program file";
  if (!facts.fileVersion) return "no version block";
  if (!facts.sentVersion.empty() && !CompareVersionText(*facts.fileVersion, facts.sentVersion)) {
    return "version " + *facts.fileVersion + " is not newer than " + facts.sentVersion;
  }
  return {};
}

}  // namespace mb
