// Starting the installed client with a link, or telling the member it is not installed.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace mb {

// The install folder in HKLM\SOFTWARE\muralbox "path" as read (at most 260 bytes, cut at its
// zero), and the client program beside it; nothing when the value is missing or unusable.
struct InstalledClient {
  std::string folder;
  std::string program;
};
std::optional<InstalledClient> FindInstalledClient();

// The link in the system code page, without best-fit mapping (which could turn a wide character
// into a double quote); unmappable characters become '?'.
std::string LinkToCodePage(LPCWSTR url);

// Runs the client with the link, or shows the not-installed dialog and waits for it to close.
void ProtocolStart(LPCWSTR url);

}  // namespace mb
