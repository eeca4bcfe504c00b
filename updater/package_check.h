// Whether a downloaded file may become data\setup.exe.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace mb {

// What the download and the file told about a package.
struct PackageFacts {
  std::string address;                         // where it came from
  int status = 0;                              // HTTP status of the reply
  std::optional<std::uint64_t> contentLength;  // as announced, when it was
  std::uint64_t received = 0;                  // bytes written to the file
  bool readFailed = false;                     // a read or write failed on the way
  std::string head;                            // the file's first bytes
  std::optional<std::string> fileVersion;      // "%d.%d.%d.%d" when its version block is readable
  std::string sentVersion;                     // the version the check sent (may be empty)
};

// Empty when the package is sound; otherwise why it is refused.
std::string RefusePackage(const PackageFacts& facts);

}  // namespace mb
