// ProfileSettings: a program's settings in the registry, one key per section, under
// HKEY_CURRENT_USER\Software\<company>\<program>. Nothing is stored until a root is set.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/framework_api.h"

namespace fw {

class FW_API ProfileSettings {
 public:
  void SetRoot(const std::string& company, const std::string& program);
  bool HasRoot() const { return !root_.empty(); }

  int GetInt(const char* section, const char* entry, int fallback) const;
  bool WriteInt(const char* section, const char* entry, int value) const;
  std::string GetString(const char* section, const char* entry, const char* fallback) const;
  bool WriteString(const char* section, const char* entry, const char* value) const;

  // The recently-used file list ("Recent File List", File1..FileN).
  void LoadRecentList(int maxEntries);
  const std::vector<std::string>& RecentList() const { return recent_; }

 private:
  HKEY OpenSection(const char* section, bool create) const;
  std::string root_;
  std::vector<std::string> recent_;
};

}  // namespace fw
