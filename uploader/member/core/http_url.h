// Addresses of the uploader's own HTTP/1.0 client: "[scheme:][//]host[:port][path]".
#pragma once

#include <string>
#include <string_view>

namespace mb::uploader {

struct HttpUrlParts {
  std::string scheme;  // upper-case; "HTTP" when the address names none
  std::string host;    // upper-case, without the port
  std::string path;    // as given; may be empty
  int port = 80;
};

// Longest scheme, host and path an address may carry.
constexpr std::size_t kMaxSchemeLength = 20;
constexpr std::size_t kMaxHostLength = 256;
constexpr std::size_t kMaxPathLength = 1024;

// Splits an address. The scheme is what stands before the first ':' (when there is one); two
// slashes after it are skipped; the host runs over letters, digits, '-', '.' and ':'; the path
// is the rest. False when a part is longer than its limit or the port is not a number 1-65535.
bool ParseHttpUrl(std::string_view url, HttpUrlParts& parts);

}  // namespace mb::uploader
