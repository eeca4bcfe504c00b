#include "client/core/win/file_version.h"

#include "client/core/win/system_utils.h"

namespace mb {

bool GetProgramFileVersionText(const std::string& relativeName, std::string& text) {
  const std::string path = GetModuleDirectory() + relativeName;
  return PathExists(path) && GetFileVersionText(path, text);
}

}  // namespace mb
