#include "client/core/service_url.h"

#include "common/gbk_text.h"

namespace mb {
namespace {

bool IsUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '_' || c == '.' || c == '~';
}

}  // namespace

std::string PercentEncode(std::string_view bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  encoded.reserve(bytes.size() * 3);
  for (unsigned char c : bytes) {
    if (IsUnreserved(c)) {
      encoded += static_cast<char>(c);
    } else {
      encoded += '%';
      encoded += kHex[c >> 4];
      encoded += kHex[c & 0x0F];
    }
  }
  return encoded;
}

QueryText& QueryText::Add(std::string_view name, std::string_view value) {
  if (!text_.empty()) text_ += '&';
  text_ += PercentEncode(name);
  text_ += '=';
  text_ += PercentEncode(value);
  return *this;
}

QueryText& QueryText::Add(std::string_view name, long long value) {
  return Add(name, std::to_string(value));
}

std::string AppendQuery(std::string_view url, const QueryText& query) {
  if (query.empty()) return std::string(url);
  const std::size_t hash = GbkFind(url, '#');
  const std::string_view address = hash == std::string_view::npos ? url : url.substr(0, hash);
  const std::string_view fragment = hash == std::string_view::npos ? std::string_view() : url.substr(hash);
  std::string result(address);
  if (GbkFind(address, '?') == std::string_view::npos) {
    result += '?';
  } else if (!GbkEndsWith(address, '?') && !GbkEndsWith(address, '&')) {
    result += '&';
  }
  result += query.text();
  result += fragment;
  return result;
}

std::string ServiceUrl(std::string_view site, std::string_view path, const QueryText& query) {
  std::string url(site);
  while (GbkEndsWith(url, '/')) url.pop_back();
  if (!path.empty() && path.front() != '/') url += '/';
  url += path;
  return AppendQuery(url, query);
}

}  // namespace mb
