// The folder of the running program (where its data files and its "Res" folder are).
#pragma once

#include <string>

#include "common/gbk_text.h"
#include "conf/win/config.h"

namespace hoistly {

// Without a trailing backslash; empty when the program's path has no folder.
inline std::string ProgramFolder() {
  const std::string path = CConfig::GetConfig()->GetProgramPath();
  const size_t slash = mb::GbkFindLast(path, '\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace hoistly
