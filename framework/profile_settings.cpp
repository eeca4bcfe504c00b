#include "framework/profile_settings.h"

#include <cstdio>

namespace fw {

void ProfileSettings::SetRoot(const std::string& company, const std::string& program) {
  root_ = "Software\\" + company + "\\" + program;
}

HKEY ProfileSettings::OpenSection(const char* section, bool create) const {
  if (root_.empty()) return nullptr;
  const std::string path = root_ + "\\" + section;
  HKEY key = nullptr;
  const LONG result = create ? RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE,
                                               nullptr, &key, nullptr)
                             : RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key);
  return result == ERROR_SUCCESS ? key : nullptr;
}

int ProfileSettings::GetInt(const char* section, const char* entry, int fallback) const {
  HKEY key = OpenSection(section, false);
  if (!key) return fallback;
  DWORD value = 0, type = 0, size = sizeof value;
  const bool read = RegQueryValueExA(key, entry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ==
                        ERROR_SUCCESS && type == REG_DWORD;
  RegCloseKey(key);
  return read ? static_cast<int>(value) : fallback;
}

bool ProfileSettings::WriteInt(const char* section, const char* entry, int value) const {
  HKEY key = OpenSection(section, true);
  if (!key) return false;
  const DWORD data = static_cast<DWORD>(value);
  const bool written =
      RegSetValueExA(key, entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data) == ERROR_SUCCESS;
  RegCloseKey(key);
  return written;
}

std::string ProfileSettings::GetString(const char* section, const char* entry, const char* fallback) const {
  HKEY key = OpenSection(section, false);
  if (!key) return fallback;
  char value[1024];
  DWORD type = 0, size = sizeof value - 1;
  const bool read = RegQueryValueExA(key, entry, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ==
                        ERROR_SUCCESS && type == REG_SZ;
  RegCloseKey(key);
  if (!read) return fallback;
  value[size < sizeof value ? size : sizeof value - 1] = '\0';
  return value;
}

bool ProfileSettings::WriteString(const char* section, const char* entry, const char* value) const {
  HKEY key = OpenSection(section, true);
  if (!key) return false;
  const bool written = RegSetValueExA(key, entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                                      static_cast<DWORD>(std::char_traits<char>::length(value) + 1)) == ERROR_SUCCESS;
  RegCloseKey(key);
  return written;
}

void ProfileSettings::LoadRecentList(int maxEntries) {
  recent_.clear();
  for (int i = 1; i <= maxEntries; ++i) {
    char entry[16];
    std::snprintf(entry, sizeof entry, "File%d", i);
    std::string path = GetString("Recent File List", entry, "");
    if (!path.empty()) recent_.push_back(path);
  }
}

}  // namespace fw
