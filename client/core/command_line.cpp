#include "client/core/command_line.h"

#include "common/gbk_text.h"

namespace mb {

namespace {
constexpr std::string_view kLinkPrefix = "muralbox://";
}

std::string PendingLinkQueue::Pop() {
  if (links_.empty()) return {};
  std::string first = std::move(links_.front());
  links_.pop_front();
  return first;
}

bool IsProductLink(std::string_view commandLine) {
  std::string_view text = commandLine;
  // A start from a shortcut or a shell may put blanks before the link.
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  if (!text.empty() && text.front() == '"') text.remove_prefix(1);
  if (!text.empty() && text.back() == '"') text.remove_suffix(1);
  return text.size() > kLinkPrefix.size() && GbkStartsWithNoCase(text, kLinkPrefix);
}

void ParseCommandLine(std::string_view commandLine, PendingLinkQueue& queue) {
  if (IsProductLink(commandLine)) queue.Push(std::string(commandLine));
}

}  // namespace mb
