#include "client/ui/settings/autostart_place.h"

#include "common/gbk_text.h"

namespace mb::settings {

const char kAutoStartShortcutName[] = "墨岚屏.lnk";

std::string AutoStartFolder(const StartupFolders& folders) {
  if (!folders.system.empty() && GbkFind(folders.system, "All Users") == std::string::npos) return folders.system;
  return folders.user;
}

std::vector<std::string> AutoStartShortcutPaths(const StartupFolders& folders) {
  std::vector<std::string> paths;
  for (const std::string* folder : {&folders.system, &folders.user}) {
    if (folder->empty()) continue;
    const std::string path = *folder + kAutoStartShortcutName;
    if (paths.empty() || paths.front() != path) paths.push_back(path);
  }
  return paths;
}

}  // namespace mb::settings
