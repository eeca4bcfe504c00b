#include "client/core/command_line.h"

#include "client/core/wallpaper_link.h"

namespace mb {

std::string PendingLinkQueue::Pop() {
  if (links_.empty()) return {};
  std::string first = std::move(links_.front());
  links_.pop_front();
  return first;
}

bool IsProductLink(std::string_view commandLine) {
  return !WallpaperLinkAddress(commandLine).empty();
}

void ParseCommandLine(std::string_view commandLine, PendingLinkQueue& queue) {
  if (IsProductLink(commandLine)) queue.Push(std::string(commandLine));
}

}  // namespace mb
