#include "protocol/win/client_launch.h"

#include <shellapi.h>
#include <shlwapi.h>

#include "protocol/link_parameters.h"
#include "protocol/win/link_launcher.h"
#include "protocol/win/not_installed_dialog.h"
#include "protocol/win/server_module.h"

namespace mb {
namespace {

// A plain file of that name; a folder or nothing does not count.
bool IsProgramFile(const std::string& path) {
  WIN32_FIND_DATAA found = {};
  HANDLE search = FindFirstFileA(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

std::optional<InstalledClient> FindInstalledClient() {
  char value[kMaxPathBytes + 1] = {};
  DWORD type = 0;
  DWORD size = kMaxPathBytes;  // one byte stays zero, whatever the value holds
  if (SHGetValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\muralbox", "path", &type, value, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return std::nullopt;
  }
  const std::string_view read(value, std::min<DWORD>(size, kMaxPathBytes));
  const std::optional<std::string> program = ClientProgramPath(read);
  if (!program || !IsProgramFile(*program)) return std::nullopt;
  return InstalledClient{std::string(read.substr(0, read.find('\0'))), *program};
}

std::string LinkToCodePage(LPCWSTR url) {
  if (!url || !*url) return {};
  const int count = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, url, -1, nullptr, 0, nullptr, nullptr);
  if (count <= 1) return {};
  std::string bytes(static_cast<std::size_t>(count), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, url, -1, &bytes[0], count, nullptr, nullptr);
  bytes.resize(static_cast<std::size_t>(count - 1));
  return bytes;
}

void ProtocolStart(LPCWSTR url) {
  if (const std::optional<InstalledClient> client = FindInstalledClient()) {
    const std::string parameters = ClientParameters(LinkToCodePage(url));
    ShellExecuteA(nullptr, "open", client->program.c_str(), parameters.c_str(), client->folder.c_str(), SW_SHOW);
    return;
  }
  RunNotInstalledDialog(ServerModule::Instance(), GetActiveWindow(), SystemLinkLauncher());
}

}  // namespace mb
