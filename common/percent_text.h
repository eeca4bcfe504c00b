// Percent escapes ("%XX") in addresses and in texts handed to other programs.
#pragma once

#include <string>
#include <string_view>

namespace mb {

// The value of a hexadecimal digit (either case), or -1.
int HexDigitValue(char c);

// Appends "%XX" for the byte, with upper-case digits.
void AppendPercentEscape(std::string& out, unsigned char byte);

// Every "%XX" with two hexadecimal digits becomes its byte; anything else is kept as it is.
std::string PercentDecode(std::string_view text);

}  // namespace mb
