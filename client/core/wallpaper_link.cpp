#include "client/core/wallpaper_link.h"

#include <cstring>

#include "client/core/download_naming.h"
#include "client/core/path_text.h"
#include "common/gbk_text.h"

namespace mb {

namespace {
constexpr std::string_view kLinkPrefix = "muralbox://";
constexpr char kFallbackFileName[] = "wallpaper.jpg";

bool BreaksCommandLine(unsigned char c) { return c == '"' || c <= ' ' || c == 0x7F; }
}  // namespace

std::string WallpaperLinkAddress(std::string_view text) {
  // A start from a shortcut or a shell may put blanks before the link.
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  if (!text.empty() && text.front() == '"') text.remove_prefix(1);
  if (!text.empty() && text.back() == '"') text.remove_suffix(1);
  if (text.size() <= kLinkPrefix.size() || !GbkStartsWithNoCase(text, kLinkPrefix)) return {};
  const std::string_view rest = text.substr(kLinkPrefix.size());
  for (const char c : rest) {
    if (BreaksCommandLine(static_cast<unsigned char>(c))) return {};
  }
  return "http://" + std::string(rest);
}

std::string LinkDownloadFileName(std::string_view address) {
  std::string name = DownloadFileName(address);
  bool trail = false;
  for (char& c : name) {
    const auto byte = static_cast<unsigned char>(c);
    // The second byte of a double-byte character is never looked at on its own.
    if (trail) {
      trail = false;
      continue;
    }
    trail = IsGbkLeadByte(byte);
    if (!trail && (byte < 0x20 || std::strchr("\\/:*?\"<>|", c))) c = '_';
  }
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
  return IsSafeLocalName(name) ? name : kFallbackFileName;
}

}  // namespace mb
