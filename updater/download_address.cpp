#include "updater/download_address.h"

#include "common/gbk_text.h"
#include "common/percent_text.h"

namespace mb {

std::string VersionCheckAddress(std::string_view checkUrl, std::string_view installedVersion) {
  return std::string(checkUrl) + "?version=" + std::string(installedVersion);
}

std::optional<HttpAddress> SplitHttpAddress(std::string_view url) {
  HttpAddress address;
  std::string_view rest;
  if (GbkStartsWithNoCase(url, "http://")) {
    rest = url.substr(7);
  } else if (GbkStartsWithNoCase(url, "https://")) {
    address.secure = true;
    address.port = 443;
    rest = url.substr(8);
  } else {
    return std::nullopt;
  }
  const std::size_t slash = GbkFind(rest, '/');
  std::string_view authority = rest.substr(0, slash);
  address.path = slash == std::string_view::npos ? "/" : std::string(rest.substr(slash));
  const std::size_t colon = GbkFindLast(authority, ':');
  if (colon != std::string_view::npos) {
    const std::string_view digits = authority.substr(colon + 1);
    if (digits.empty() || digits.size() > 5) return std::nullopt;
    int port = 0;
    for (char c : digits) {
      if (c < '0' || c > '9') return std::nullopt;
      port = port * 10 + (c - '0');
    }
    if (port < 1 || port > 65535) return std::nullopt;
    address.port = port;
    authority = authority.substr(0, colon);
  }
  if (authority.empty()) return std::nullopt;
  address.host = std::string(authority);
  return address;
}

std::string RequestLinePath(std::string_view path) {
  std::string line;
  for (char c : PercentDecode(path)) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte == 0x7F) {
      AppendPercentEscape(line, byte);
    } else {
      line += c;
    }
  }
  return line;
}

}  // namespace mb
