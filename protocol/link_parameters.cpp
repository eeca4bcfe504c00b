#include "protocol/link_parameters.h"

#include "common/gbk_text.h"
#include "common/percent_text.h"

namespace mb {

const char kClientProgramName[] = "muralbox.exe";
const wchar_t kProductSchemePrefix[] = L"muralbox:";

namespace {

wchar_t LowerAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

}  // namespace

std::optional<std::string> ClientProgramPath(std::string_view registryValue) {
  std::string_view folder = registryValue.substr(0, std::min(registryValue.size(), kMaxPathBytes));
  const std::size_t zero = folder.find('\0');
  if (zero != std::string_view::npos) folder = folder.substr(0, zero);
  if (folder.empty()) return std::nullopt;
  // Neither can be a GBK trail byte, so a byte-wise test is exact.
  if (folder.find_first_of("*?") != std::string_view::npos) return std::nullopt;
  std::string path(folder);
  if (!GbkEndsWith(path, '\\')) path += '\\';
  path += kClientProgramName;
  if (path.size() >= kMaxPathBytes) return std::nullopt;
  return path;
}

std::string ClientParameters(std::string_view link) {
  // Backslashes that end the link, counted as whole characters (0x5C can be a trail byte).
  std::size_t pos = 0;
  std::size_t runStart = link.size();
  while (pos < link.size()) {
    const std::size_t length = GbkCharLength(link, pos);
    if (length == 1 && link[pos] == '\\') {
      if (runStart == link.size()) runStart = pos;
    } else {
      runStart = link.size();
    }
    pos += length;
  }
  const std::size_t body = runStart;

  std::string out = " \"";
  pos = 0;
  while (pos < link.size()) {
    const std::size_t length = GbkCharLength(link, pos);
    const unsigned char byte = static_cast<unsigned char>(link[pos]);
    if (length == 2) {
      out.append(link.substr(pos, 2));
    } else if (byte == '"' || byte < 0x20 || byte == 0x7F || (pos >= body && byte == '\\')) {
      AppendPercentEscape(out, byte);
    } else {
      out += static_cast<char>(byte);
    }
    pos += length;
  }
  out += '"';
  return out;
}

SecurityUrlAnswer AnswerSecurityUrl(std::wstring_view url, std::size_t bufferChars) {
  SecurityUrlAnswer answer;
  if (url.size() < kProductSchemePrefixLength) return answer;
  for (std::size_t i = 0; i < kProductSchemePrefixLength; ++i) {
    if (LowerAscii(url[i]) != kProductSchemePrefix[i]) return answer;
  }
  if (bufferChars < kProductSchemePrefixLength + 1) {
    answer.kind = SecurityUrlAnswer::Kind::kBufferTooSmall;
    answer.length = kProductSchemePrefixLength + 1;
    return answer;
  }
  answer.kind = SecurityUrlAnswer::Kind::kWritten;
  answer.length = kProductSchemePrefixLength;
  return answer;
}

}  // namespace mb
