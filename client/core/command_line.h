// The client's command line: a link of the product's scheme, as the protocol handler passes it
// (in double quotes), is queued for the link handler; anything else is ignored.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace mb {

// Raw command-line texts that still have to be turned into downloads, first in, first out.
class PendingLinkQueue {
 public:
  void Push(std::string commandLine) { links_.push_back(std::move(commandLine)); }
  bool Empty() const { return links_.empty(); }
  std::size_t Size() const { return links_.size(); }
  // Removes and returns the oldest text; empty when there is none.
  std::string Pop();

 private:
  std::deque<std::string> links_;
};

// True when the text is a wallpaper link (WallpaperLinkAddress).
bool IsProductLink(std::string_view commandLine);

// Queues the command line exactly as received when it is a product link.
void ParseCommandLine(std::string_view commandLine, PendingLinkQueue& queue);

}  // namespace mb
