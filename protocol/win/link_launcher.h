// How the not-installed dialog opens its link. Tests put a recording one in place of the shell's.
#pragma once

#include <string>

namespace mb {

class LinkLauncher {
 public:
  virtual ~LinkLauncher() = default;
  virtual void Open(const std::string& url) = 0;
};

// The shell's "open" verb on the address: the member's browser.
LinkLauncher& SystemLinkLauncher();

}  // namespace mb
