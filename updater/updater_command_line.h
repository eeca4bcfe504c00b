// The updater's command line: "/m", a mode digit and the version-check address right behind it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mb {

struct UpdaterCommand {
  char mode = '0';   // '0' or '1'; both run the same steps
  std::string url;   // the check address; empty: the compiled-in default
};

// "/m" (any case) at the very start, or behind a blank; then '0' or '1'; the rest is the address.
// Nothing when the switch is missing or the mode digit is another character.
std::optional<UpdaterCommand> ParseUpdaterCommandLine(std::string_view commandLine);

}  // namespace mb
