#include "client/ui/settings/win/settings_operations.h"

#include <shlobj.h>

#include <cstdio>

#include "client/core/client_config.h"
#include "client/core/win/shell_operations.h"
#include "client/core/win/system_utils.h"
#include "client/core/win/tray_frame.h"
#include "client/core/win/wallpaper_carousel.h"
#include "common/gbk_text.h"

namespace mb {

namespace {

const char kMessageCaption[] = "墨岚屏[Pelora]-系统消息";

std::string BoxText(HWND dialog, int id) {
  std::string text;
  GetWindowTextString(GetDlgItem(dialog, id), text);
  return text;
}

std::string UserStartupFolder() {
  char path[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_STARTUP, FALSE)) return {};
  std::string folder = path;
  if (!GbkEndsWith(folder, '\\')) folder += '\\';
  return folder;
}

}  // namespace

void ShowSettingsMessage(HWND owner, const std::string& text) {
  MessageBoxA(owner, text.c_str(), kMessageCaption, MB_OK | MB_ICONASTERISK);
}

bool ValidateCarouselTime(HWND dialog, bool checkSecondsRange, CarouselTimes* times) {
  const CarouselTimes read = ReadCarouselTimes(BoxText(dialog, 1016), BoxText(dialog, 1026));
  const std::string refusal = CheckCarouselTimes(read, checkSecondsRange, true);
  if (!refusal.empty()) {
    ShowSettingsMessage(dialog, refusal);
    return false;
  }
  *times = read;
  return true;
}

void LoadCarouselBoxes(HWND dialog, const ClientConfig& config) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", config.minutes);
  SetDlgItemTextA(dialog, 1016, text);
  std::snprintf(text, sizeof text, "%d", config.seconds);
  SetDlgItemTextA(dialog, 1026, text);
}

void RestartCarouselWithConfig() {
  TrayFrame* frame = GetTrayFrame();
  if (WallpaperCarousel* carousel = frame ? frame->Carousel() : nullptr) carousel->RestartCarouselTimer();
}

void SetDesktopIconsVisible(bool visible) {
  const HWND manager = FindWindowA("ProgMan", "Program Manager");
  const HWND view = manager ? FindWindowExA(manager, nullptr, "SHELLDLL_DefView", "") : nullptr;
  const HWND icons = view ? FindWindowExA(view, nullptr, "SysListView32", "FolderView") : nullptr;
  if (icons) ShowWindow(icons, visible ? SW_SHOW : SW_HIDE);
}

settings::StartupFolders QueryStartupFolders() { return {GetStartupFolderPath(), UserStartupFolder()}; }

bool AutoStartShortcutExists() {
  for (const std::string& path : settings::AutoStartShortcutPaths(QueryStartupFolders())) {
    if (FileExists(path)) return true;
  }
  return false;
}

bool SetAutoStartShortcut(bool enable) {
  const settings::StartupFolders folders = QueryStartupFolders();
  for (const std::string& path : settings::AutoStartShortcutPaths(folders)) DeleteFileA(path.c_str());
  if (!enable) return AutoStartShortcutExists();
  const std::string program = GetModuleFilePath();
  const std::string folder = settings::AutoStartFolder(folders);
  if (!folder.empty() && CreateShortcut(program, folder + settings::kAutoStartShortcutName)) return true;
  // A system folder the member may not write to: the member's own takes the shortcut.
  return folder != folders.user && !folders.user.empty() &&
         CreateShortcut(program, folders.user + settings::kAutoStartShortcutName);
}

}  // namespace mb
