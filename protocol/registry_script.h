// The registration script a COM server carries as a resource, one entry a line:
//   key   ROOT\PATH [= DEFAULT]     the key, with its default value when given
//   fresh ROOT\PATH [= DEFAULT]     the same, but an older key of that name is removed first
//   value ROOT\PATH NAME = DATA     a named string value of a key listed before
// Blank lines and lines starting with '#' are skipped. %NAME% is replaced by the value given for
// NAME. Registering applies the entries in order; unregistering removes every listed key with
// what lies under it, last first, and nothing else.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mb {

struct RegistryEntry {
  enum class Kind { kKey, kFreshKey, kValue };
  Kind kind = Kind::kKey;
  std::string root;  // "HKCR", "HKLM" or "HKCU"
  std::string path;  // below the root
  std::string name;  // the value's name; empty: the default value
  std::optional<std::string> data;
};

struct RegistryScript {
  std::vector<RegistryEntry> entries;
  std::string error;  // empty when the whole script was read
};

RegistryScript ParseRegistryScript(std::string_view text, const std::map<std::string, std::string>& replacements);

}  // namespace mb
