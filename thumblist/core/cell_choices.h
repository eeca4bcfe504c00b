// Which cells of the picture list its in-place editors may open on, and the choices a cell's
// combo box offers. A cell is named by row and column, -1 standing for any row or any column;
// a cell's choices are kept as one text joined by '$'.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mb::thumblist {

// The choices of a '$'-joined text, empty pieces left out.
std::vector<std::string> SplitChoices(std::string_view joined);

// What a combo box over a cell holds: the choices, and the cell's own text after them when it is
// not one of them; `selected` is the cell text's place (-1 for an empty text that is no choice).
struct ComboFill {
  std::vector<std::string> items;
  int selected = -1;
};
ComboFill ComboFillFor(std::string_view joined, const std::string& cellText);

class CellTable {
 public:
  // A later Add of the same row and column replaces the value.
  void Add(int row, int column, std::string value = {});
  // The value of the first entry that names the cell, or null.
  const std::string* Find(int row, int column) const;
  bool Contains(int row, int column) const { return Find(row, column) != nullptr; }

 private:
  struct Entry {
    int row;
    int column;
    std::string value;
  };
  std::vector<Entry> entries_;
};

}  // namespace mb::thumblist
