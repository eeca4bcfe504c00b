#include "protocol/registry_script.h"

#include "common/gbk_text.h"

namespace mb {
namespace {

std::string Substitute(std::string_view text, const std::map<std::string, std::string>& replacements) {
  std::string out(text);
  for (const auto& [name, value] : replacements) out = GbkReplaceAll(out, "%" + name + "%", value);
  return out;
}

// "WORD rest": the first word and what follows it, blanks trimmed.
std::pair<std::string_view, std::string_view> FirstWord(std::string_view text) {
  text = TrimBlanks(text);
  std::size_t end = 0;
  while (end < text.size() && text[end] != ' ' && text[end] != '\t') ++end;
  return {text.substr(0, end), TrimBlanks(text.substr(end))};
}

}  // namespace

RegistryScript ParseRegistryScript(std::string_view text, const std::map<std::string, std::string>& replacements) {
  RegistryScript script;
  int lineNumber = 0;
  for (const std::string& rawLine : GbkSplit(text, "\n")) {
    ++lineNumber;
    std::string_view line = TrimBlanks(rawLine);
    if (!line.empty() && line.back() == '\r') line = TrimBlanks(line.substr(0, line.size() - 1));
    if (line.empty() || line.front() == '#') continue;

    auto fail = [&](const char* why) {
      script.entries.clear();
      script.error = "line " + std::to_string(lineNumber) + ": " + why;
      return script;
    };
    const auto [verb, rest] = FirstWord(line);
    RegistryEntry entry;
    if (verb == "key") {
      entry.kind = RegistryEntry::Kind::kKey;
    } else if (verb == "fresh") {
      entry.kind = RegistryEntry::Kind::kFreshKey;
    } else if (verb == "value") {
      entry.kind = RegistryEntry::Kind::kValue;
    } else {
      return fail("unknown entry");
    }
    const std::size_t equals = GbkFind(rest, '=');
    std::string_view target = TrimBlanks(rest.substr(0, equals));
    if (equals != std::string_view::npos) entry.data = Substitute(TrimBlanks(rest.substr(equals + 1)), replacements);
    if (entry.kind == RegistryEntry::Kind::kValue) {
      const auto [keyPath, name] = FirstWord(target);
      if (name.empty() || !entry.data) return fail("a value needs a key, a name and data");
      entry.name = std::string(name);
      target = keyPath;
    }
    const std::string full = Substitute(target, replacements);
    const std::size_t slash = GbkFind(full, '\\');
    if (slash == std::string::npos || slash + 1 >= full.size()) return fail("a key needs a root and a path");
    entry.root = full.substr(0, slash);
    entry.path = full.substr(slash + 1);
    if (entry.root != "HKCR" && entry.root != "HKLM" && entry.root != "HKCU") return fail("unknown root");
    script.entries.push_back(std::move(entry));
  }
  return script;
}

}  // namespace mb
