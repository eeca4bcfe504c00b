#include <cstdio>

#include "common/atomic_file.h"

namespace mb {

bool ReplaceFileWith(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace mb
