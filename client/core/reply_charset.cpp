#include "client/core/reply_charset.h"

#include <vector>

#include "common/gbk_text.h"

namespace mb {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kXmlDeclarationStart = "<?xml";
constexpr std::string_view kXmlDeclarationEnd = "?>";

bool IsXmlBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view TrimXmlBlanks(std::string_view text) {
  while (!text.empty() && IsXmlBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsXmlBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

std::string CharsetFromContentType(std::string_view contentType) {
  const std::vector<std::string> pieces = GbkSplit(contentType, ";");
  // The first piece is the media type itself.
  for (std::size_t i = 1; i < pieces.size(); ++i) {
    const std::string_view parameter = TrimXmlBlanks(pieces[i]);
    const std::size_t equals = GbkFind(parameter, '=');
    if (equals == std::string_view::npos) continue;
    if (!GbkEqualsNoCase(TrimXmlBlanks(parameter.substr(0, equals)), "charset")) continue;
    return std::string(TrimXmlBlanks(Unquote(TrimXmlBlanks(parameter.substr(equals + 1)))));
  }
  return {};
}

std::string EncodingFromXmlDeclaration(std::string_view text) {
  if (text.substr(0, kXmlDeclarationStart.size()) != kXmlDeclarationStart) return {};
  if (text.size() <= kXmlDeclarationStart.size() || !IsXmlBlank(text[kXmlDeclarationStart.size()])) return {};
  const std::size_t end = GbkFind(text, kXmlDeclarationEnd);
  if (end == std::string_view::npos) return {};
  const std::string_view declaration = text.substr(0, end);

  std::size_t pos = GbkFind(declaration, "encoding");
  while (pos != std::string_view::npos) {
    // Only the attribute itself, not "encoding" inside another attribute's value or name.
    const bool standsAlone = pos > 0 && IsXmlBlank(declaration[pos - 1]);
    std::size_t cursor = pos + std::string_view("encoding").size();
    while (cursor < declaration.size() && IsXmlBlank(declaration[cursor])) ++cursor;
    if (standsAlone && cursor < declaration.size() && declaration[cursor] == '=') {
      ++cursor;
      while (cursor < declaration.size() && IsXmlBlank(declaration[cursor])) ++cursor;
      if (cursor >= declaration.size()) return {};
      const char quote = declaration[cursor];
      if (quote != '"' && quote != '\'') return {};
      const std::size_t close = GbkFind(declaration, quote, cursor + 1);
      if (close == std::string_view::npos) return {};
      return std::string(declaration.substr(cursor + 1, close - cursor - 1));
    }
    pos = GbkFind(declaration, "encoding", pos + 1);
  }
  return {};
}

ReplyCharset CharsetFromName(std::string_view name) {
  name = TrimXmlBlanks(name);
  for (std::string_view gbk : {"gbk", "gb2312", "x-gbk", "cp936", "ms936", "windows-936"}) {
    if (GbkEqualsNoCase(name, gbk)) return ReplyCharset::kGbk;
  }
  if (GbkEqualsNoCase(name, "utf-8") || GbkEqualsNoCase(name, "utf8")) return ReplyCharset::kUtf8;
  if (GbkEqualsNoCase(name, "us-ascii") || GbkEqualsNoCase(name, "ascii")) return ReplyCharset::kAscii;
  return ReplyCharset::kUnsupported;
}

ReplyEncoding DetectReplyEncoding(std::string_view contentType, std::string_view body) {
  if (body.substr(0, kUtf8Bom.size()) == kUtf8Bom) return {ReplyCharset::kUtf8, kUtf8Bom.size()};
  const std::string declared = CharsetFromContentType(contentType);
  if (!declared.empty()) return {CharsetFromName(declared), 0};
  const std::string encoding = EncodingFromXmlDeclaration(body);
  if (!encoding.empty()) return {CharsetFromName(encoding), 0};
  return {ReplyCharset::kGbk, 0};
}

}  // namespace mb
