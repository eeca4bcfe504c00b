#include "client/core/skin_switch.h"

#include <cstdint>
#include <cstdio>
#include <optional>

#include "client/core/client_config.h"
#include "common/atomic_file.h"

namespace mb {
namespace {

const char kLayoutFlagFile[] = "usetwocolumn.flag";
const char kActiveConf[] = "conf.dat";
const char kStagedSuffix[] = ".switch";

}  // namespace

std::vector<SkinFileCopy> SkinLayoutFiles(int layout) {
  const std::string n = std::to_string(layout);
  return {{"conf" + n + ".dat", kActiveConf},
          {"default" + n + ".config", "default.config"},
          {"default" + n + ".bmp", "default.bmp"},
          {"waitting" + n + ".gif", "waitting.gif"}};
}

std::string LayoutFlagBytes(int layout) {
  const auto value = static_cast<std::uint32_t>(layout);
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}

SkinSwitchResult SwitchSkinFiles(ClientConfig& config, int currentLayout, int layout) {
  if (currentLayout == layout) return SkinSwitchResult::kSameLayout;
  const std::vector<SkinFileCopy> files = SkinLayoutFiles(layout);
  std::vector<std::string> staged;
  auto dropStaged = [&staged] {
    for (const std::string& path : staged) std::remove(path.c_str());
  };
  for (const SkinFileCopy& file : files) {
    std::optional<std::string> content = ReadWholeFile(config.FilePath(file.from));
    if (!content) {
      dropStaged();
      return SkinSwitchResult::kFailed;
    }
    if (file.to == kActiveConf) content = config.FormatConfDatForLayout(*content);
    const std::string stagedPath = config.FilePath(file.to) + kStagedSuffix;
    staged.push_back(stagedPath);
    if (!WriteFileReplacing(stagedPath, *content)) {
      dropStaged();
      return SkinSwitchResult::kFailed;
    }
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!ReplaceFileWith(staged[i], config.FilePath(files[i].to))) {
      dropStaged();
      return SkinSwitchResult::kFailed;
    }
  }
  if (!WriteFileReplacing(config.FilePath(kLayoutFlagFile), LayoutFlagBytes(layout))) {
    return SkinSwitchResult::kFailed;
  }
  config.LoadClientConfig();
  return SkinSwitchResult::kSwitched;
}

}  // namespace mb
