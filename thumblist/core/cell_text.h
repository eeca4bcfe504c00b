// Small rules about cell texts: numbers, dd/mm/yyyy dates, comparing "W*H" texts by area and
// dates by year, month and day, and the id a cell's tooltip carries.
#pragma once

#include <string_view>

namespace mb::thumblist {

// Digits only (an empty text is not a number).
bool IsNumber(std::string_view text);
// dd/mm/yyyy: ten characters, '/' at positions 2 and 5, digits elsewhere.
bool IsDate(std::string_view text);
// -1, 0 or 1 comparing the areas of two "W*H" texts.
int NumberCompare(std::string_view left, std::string_view right);
// -1, 0 or 1 comparing two dd/mm/yyyy dates by year, then month, then day.
int DateCompare(std::string_view left, std::string_view right);

// A cell's tooltip id: (row << 10) + column + 1, and back.
inline int PackCellId(int row, int column) { return (row << 10) + column + 1; }
inline void UnpackCellId(int id, int& row, int& column) {
  row = (id - 1) >> 10;
  column = (id - 1) & 0x3FF;
}

}  // namespace mb::thumblist
