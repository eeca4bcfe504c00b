// GBK-aware text helpers. A GBK character is one byte (0x00-0x80, 0xFF) or a lead byte
// 0x81-0xFE followed by a trail byte 0x40-0xFE (not 0x7F). Trail bytes overlap ASCII, among
// them '\\', ']', '^', '|' and letters, so every search for a separator, every case change and
// every cut of a multibyte text goes through these helpers.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mb {

inline bool IsGbkLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
inline bool IsGbkTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFE && c != 0x7F; }

// Bytes taken by the character that starts at text[pos] (1 or 2). A lead byte without a
// valid trail byte counts as a single byte, so a broken text is still walked safely.
std::size_t GbkCharLength(std::string_view text, std::size_t pos);

// Largest length <= maxBytes that does not cut a character in two.
std::size_t GbkCutLength(std::string_view text, std::size_t maxBytes);

// Copies text into a fixed field of fieldSize bytes: the whole field is zero-filled first and at
// most fieldSize - 1 bytes are copied, cut at a character boundary, so the field always ends in 0.
void CopyToField(char* field, std::size_t fieldSize, std::string_view text);

// Reads a zero-terminated text out of a fixed field without reading past it.
std::string ReadField(const char* field, std::size_t fieldSize);

// Position of the first ASCII character c (or needle) that starts at a character boundary at or
// after from; std::string_view::npos when there is none.
std::size_t GbkFind(std::string_view text, char c, std::size_t from = 0);
std::size_t GbkFind(std::string_view text, std::string_view needle, std::size_t from = 0);
// Position of the last such ASCII character, or npos.
std::size_t GbkFindLast(std::string_view text, char c);

// True when the text's last character is the ASCII character c.
bool GbkEndsWith(std::string_view text, char c);

// ASCII letters changed in case; double-byte characters are left as they are.
std::string GbkToLowerAscii(std::string_view text);
std::string GbkToUpperAscii(std::string_view text);
bool GbkEqualsNoCase(std::string_view a, std::string_view b);
bool GbkStartsWithNoCase(std::string_view text, std::string_view prefix);

// Splits at every occurrence of separator (at character boundaries); always at least one item.
std::vector<std::string> GbkSplit(std::string_view text, std::string_view separator);

// Replaces every occurrence of from (at character boundaries) by to.
std::string GbkReplaceAll(std::string_view text, std::string_view from, std::string_view to);

// Blanks and tabs removed from both ends (both are single-byte and never trail bytes).
std::string_view TrimBlanks(std::string_view text);

}  // namespace mb
