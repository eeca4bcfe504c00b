// Escaping of configuration values: LF as ^J, CR as ^M, a caret as ^^ and, inside a quoted list
// item, a double quote doubled. conf.dat keeps its account list this way.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mb {

// The stored form of one value: escaped, and wrapped in double quotes when it holds "," or '"'.
std::string QuoteConfigValue(std::string_view text);

// Escapes LF, CR and the caret only: the form of a single value on a key=value line, which the
// reader unescapes, so that no value can break its line.
std::string EscapeConfigText(std::string_view text);

// ^J -> LF, ^M -> CR, ^^ -> ^; a caret before anything else stays as it is.
std::string UnescapeConfigValue(std::string_view text);

// Items of a comma-separated list whose items may be double-quoted (a quoted item may hold "," and
// "" for one quote); each item is unescaped.
std::vector<std::string> SplitQuotedList(std::string_view text);

}  // namespace mb
