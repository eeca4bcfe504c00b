#include "thumblist/core/cell_choices.h"

#include <algorithm>

#include "common/gbk_text.h"

namespace mb::thumblist {

namespace {
bool Names(int stored, int asked) { return stored == -1 || stored == asked; }
}  // namespace

std::vector<std::string> SplitChoices(std::string_view joined) {
  std::vector<std::string> choices = GbkSplit(joined, "$");
  choices.erase(std::remove(choices.begin(), choices.end(), std::string()), choices.end());
  return choices;
}

ComboFill ComboFillFor(std::string_view joined, const std::string& cellText) {
  ComboFill fill;
  fill.items = SplitChoices(joined);
  auto found = std::find(fill.items.begin(), fill.items.end(), cellText);
  if (found == fill.items.end()) {
    if (cellText.empty()) return fill;
    found = fill.items.insert(fill.items.end(), cellText);
  }
  fill.selected = static_cast<int>(found - fill.items.begin());
  return fill;
}

void CellTable::Add(int row, int column, std::string value) {
  for (Entry& entry : entries_) {
    if (entry.row == row && entry.column == column) {
      entry.value = std::move(value);
      return;
    }
  }
  entries_.push_back({row, column, std::move(value)});
}

const std::string* CellTable::Find(int row, int column) const {
  for (const Entry& entry : entries_) {
    if (Names(entry.row, row) && Names(entry.column, column)) return &entry.value;
  }
  return nullptr;
}

}  // namespace mb::thumblist
