// Text conversions of the stand-in service: the wallpaper programs speak GBK on the wire, while
// the service's own texts are kept as UTF-8 in the sources.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace standin {

// Converts between UTF-8 and GBK. A sequence that cannot be converted becomes '?', so a broken
// text from a client still yields a reply.
std::string Utf8ToGbk(std::string_view utf8);
std::string GbkToUtf8(std::string_view gbk);

// True when every character of the UTF-8 text has a GBK form.
bool IsGbkEncodable(std::string_view utf8);

// %XX becomes the byte XX and '+' a blank; a '%' without two hex digits stays as it is.
std::string PercentDecode(std::string_view text);

struct QueryParam {
  std::string name;   // decoded bytes
  std::string value;  // decoded bytes
};

// Splits a raw query ("a=1&b=%D5%C5") into decoded name/value pairs, in order. Items without
// '=' get an empty value; empty items are dropped.
std::vector<QueryParam> ParseQuery(std::string_view rawQuery);

// The value of the first parameter with that name, or an empty text.
std::string FindParam(const std::vector<QueryParam>& params, std::string_view name);

}  // namespace standin
