// Where the service's pages and files are: a deployment value compiled in (HOISTLY_SERVICE_BASE).
#pragma once

#include <string>

namespace hoistly {

// The service's address followed by path ("/admin/version.txt").
inline std::string ServiceUrl(const char* path) {
  std::string base = HOISTLY_SERVICE_BASE;
  while (!base.empty() && base.back() == '/') base.pop_back();
  return base + path;
}

}  // namespace hoistly
