#include "client/ui/win/browser_toolbar_button.h"

#include <windows.h>

namespace mb {

const char kBrowserToolbarButtonKey[] =
    "Software\\Microsoft\\Internet Explorer\\Extensions\\{2131A834-E197-474C-A21B-CE87415CE207}";

bool RegisterBrowserToolbarButton(const std::string& programPath) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kBrowserToolbarButtonKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const std::string values[][2] = {
      {"CLSID", "{1FBA04EE-3024-11D2-8F1F-0000F87ABD16}"},
      {"Default Visible", "Yes"},
      {"ButtonText", "Pelora 墨岚屏"},
      {"Icon", programPath + ",228"},
      {"HotIcon", programPath + ",227"},
      {"Exec", programPath},
  };
  bool written = true;
  for (const auto& value : values) {
    written &= RegSetValueExA(key, value[0].c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value[1].c_str()),
                              static_cast<DWORD>(value[1].size() + 1)) == ERROR_SUCCESS;
  }
  RegCloseKey(key);
  return written;
}

}  // namespace mb
