#include "uploader/member/core/http_url.h"

#include "common/gbk_text.h"

namespace mb::uploader {
namespace {

bool IsHostChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == ':';
}

bool ReadPort(std::string_view digits, int& port) {
  if (digits.empty() || digits.size() > 5) return false;
  int value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  if (value < 1 || value > 65535) return false;
  port = value;
  return true;
}

}  // namespace

bool ParseHttpUrl(std::string_view url, HttpUrlParts& parts) {
  const std::string upper = GbkToUpperAscii(url);
  HttpUrlParts result;
  std::size_t pos = 0;
  const std::size_t colon = upper.find(':');
  if (colon == std::string::npos) {
    result.scheme = "HTTP";
  } else {
    result.scheme = upper.substr(0, colon);
    pos = colon + 1;
  }
  if (upper.compare(pos, 2, "//") == 0) pos += 2;
  std::size_t hostEnd = pos;
  while (hostEnd < upper.size() && IsHostChar(upper[hostEnd])) ++hostEnd;
  std::string host = upper.substr(pos, hostEnd - pos);
  result.path = std::string(url.substr(hostEnd));
  const std::size_t portColon = host.find(':');
  if (portColon != std::string::npos) {
    if (!ReadPort(std::string_view(host).substr(portColon + 1), result.port)) return false;
    host.resize(portColon);
  }
  result.host = host;
  if (result.scheme.size() > kMaxSchemeLength || result.host.size() > kMaxHostLength ||
      result.path.size() > kMaxPathLength) {
    return false;
  }
  parts = result;
  return true;
}

}  // namespace mb::uploader
