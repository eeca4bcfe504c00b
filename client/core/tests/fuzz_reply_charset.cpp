// A Content-Type and a body from anywhere: the charset sniffing never reads outside them, and what
// it finds is taken from them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "client/core/reply_charset.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  // The first line is the Content-Type, the rest the body.
  const std::size_t newline = input.find('\n');
  const std::string contentType(input.substr(0, newline));
  const std::string body(newline == std::string_view::npos ? std::string_view() : input.substr(newline + 1));

  const std::string charset = mb::CharsetFromContentType(contentType);
  if (charset.size() > contentType.size() || contentType.find(charset) == std::string::npos) std::abort();
  const std::string encoding = mb::EncodingFromXmlDeclaration(body);
  if (encoding.size() > body.size() || body.find(encoding) == std::string::npos) std::abort();

  const mb::ReplyEncoding detected = mb::DetectReplyEncoding(contentType, body);
  if (detected.textStart > body.size()) std::abort();
  if (detected.textStart != 0 && detected.charset != mb::ReplyCharset::kUtf8) std::abort();
  mb::CharsetFromName(contentType);
  return 0;
}
