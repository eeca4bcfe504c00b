// Escaping of configuration values: LF as ^J, CR as ^M, a caret as ^^ and, inside a quoted list
// item, a double quote doubled. conf.dat keeps its account list this way; its other texts stand
// on their lines as they are.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mb {

// The stored form of one value: escaped, and wrapped in double quotes when it holds "," or '"'.
std::string QuoteConfigValue(std::string_view text);

// A text as it stands on a key=value line: written as it is, up to its first CR, LF or NUL,
// none of which a line can hold.
std::string_view ConfigLineText(std::string_view text);

// ^J -> LF, ^M -> CR, ^^ -> ^; a caret before anything else stays as it is.
std::string UnescapeConfigValue(std::string_view text);

// Items of a comma-separated list whose items may be double-quoted (a quoted item may hold "," and
// "" for one quote); each item is unescaped.
std::vector<std::string> SplitQuotedList(std::string_view text);

}  // namespace mb
