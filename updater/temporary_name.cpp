#include "updater/temporary_name.h"

namespace mb {

std::string ChooseTemporaryName(const std::string& folder, const std::function<bool(const std::string&)>& exists,
                                const std::function<void(const std::string&)>& remove) {
  if (folder.empty()) return {};
  for (int i = 0; i < 100; ++i) {
    const std::string name = folder + "rkupTmp" + std::to_string(i) + ".exe";
    if (!exists(name)) return name;
    remove(name);
  }
  return {};
}

}  // namespace mb
