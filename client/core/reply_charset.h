// Which charset a service reply's bytes are in: a UTF-8 byte-order mark first, then the charset
// of its Content-Type, then the encoding of its XML declaration, GBK when none of them names one.
// A named charset the client cannot read makes the reply unusable.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mb {

enum class ReplyCharset {
  kGbk,          // GBK and its aliases (GB2312 is a subset)
  kUtf8,
  kAscii,        // declared US-ASCII: only bytes below 0x80
  kUnsupported,  // named, but not one of the above
};

struct ReplyEncoding {
  ReplyCharset charset = ReplyCharset::kGbk;
  std::size_t textStart = 0;  // bytes of a byte-order mark to skip
};

// The charset parameter of a Content-Type value ("text/xml; charset=\"GBK\"" gives "GBK"), or an
// empty text when there is none.
std::string CharsetFromContentType(std::string_view contentType);

// The encoding attribute of an XML declaration at the very start of the text, or an empty text.
std::string EncodingFromXmlDeclaration(std::string_view text);

// Any case; blanks around the name are ignored.
ReplyCharset CharsetFromName(std::string_view name);

ReplyEncoding DetectReplyEncoding(std::string_view contentType, std::string_view body);

}  // namespace mb
