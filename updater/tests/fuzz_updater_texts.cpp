// Texts from the service and the command line: the reply never yields an address with a blank or
// a line break, and the request line never holds a blank or control byte.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "updater/download_address.h"
#include "updater/update_reply.h"
#include "updater/updater_command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const mb::UpdateCheckResult reply = mb::ParseUpdateReply(text);
  if (reply.url.find_first_of(" \t\r\n") != std::string::npos) std::abort();
  if (reply.kind == mb::UpdateCheckResult::Kind::kDownload && reply.url.empty()) std::abort();
  for (unsigned char c : mb::RequestLinePath(text)) {
    if (c <= 0x20 || c == 0x7F) std::abort();
  }
  if (const auto command = mb::ParseUpdaterCommandLine(text)) {
    if (command->mode != '0' && command->mode != '1') std::abort();
  }
  mb::SplitHttpAddress(text);
  return 0;
}
