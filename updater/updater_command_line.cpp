#include "updater/updater_command_line.h"

#include "common/gbk_text.h"

namespace mb {
namespace {

bool IsSwitchAt(std::string_view text, std::size_t pos) {
  return pos + 1 < text.size() && text[pos] == '/' && (text[pos + 1] == 'm' || text[pos + 1] == 'M');
}

// Position of the switch: the start of the text, or the first "/m" that follows a blank.
std::size_t FindSwitch(std::string_view text) {
  if (IsSwitchAt(text, 0)) return 0;
  for (const char* blank : {" /", "\t/"}) {
    for (std::size_t pos = GbkFind(text, blank); pos != std::string_view::npos; pos = GbkFind(text, blank, pos + 1)) {
      if (IsSwitchAt(text, pos + 1)) return pos + 1;
    }
  }
  return std::string_view::npos;
}

}  // namespace

std::optional<UpdaterCommand> ParseUpdaterCommandLine(std::string_view commandLine) {
  const std::size_t at = FindSwitch(commandLine);
  if (at == std::string_view::npos || at + 2 >= commandLine.size()) return std::nullopt;
  const char mode = commandLine[at + 2];
  if (mode != '0' && mode != '1') return std::nullopt;
  return UpdaterCommand{mode, std::string(commandLine.substr(at + 3))};
}

}  // namespace mb
