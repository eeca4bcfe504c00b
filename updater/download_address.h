// Addresses of the updater: the version-check request and the parts of a package address.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mb {

// "%s?version=%s": the check address and the version of the installer at hand (may be empty).
std::string VersionCheckAddress(std::string_view checkUrl, std::string_view installedVersion);

struct HttpAddress {
  bool secure = false;
  std::string host;
  int port = 80;
  std::string path;  // from the first '/' on, query included; "/" when the address has none
};

// Only "http://" and "https://" addresses (any case) with a host and a valid port.
std::optional<HttpAddress> SplitHttpAddress(std::string_view url);

// The path as it goes on the request line: %XX escapes decoded, then blanks, control bytes and
// DEL encoded again, so a decoded line break can never split the request.
std::string RequestLinePath(std::string_view path);

}  // namespace mb
