// The report columns of the picture list: their headings, their widths at creation, on a toggle
// from the header's column menu and on a refresh, and which of them the member may drag open.
// Columns 0 to 8 each follow one show flag of the settings; 9 to 12 carry data and stay closed.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mb::thumblist {

// Show flags of columns 0 to 8 (file name, folder, size, dimensions, title, remark, category,
// source, PK), as the settings keep them.
using ColumnFlags = std::array<bool, 9>;

struct ColumnSpec {
  std::string heading;
  int width = 0;
};

// Every width given after creation ends this much wider than asked: the header's text margin on
// both sides.
inline constexpr int kHeaderTextMargin = 6;
inline int WidthWithMargin(int asked) { return asked + 2 * kHeaderTextMargin; }

// "name,width;name,width;..." with the creation widths of the flags.
std::string ColumnHeadingText(const ColumnFlags& flags);
// Each name runs to the next ',', its width to the next ';' or the end; a piece without ','
// ends the parse.
std::vector<ColumnSpec> ParseColumnHeadings(std::string_view text);

// Width a column gets when the header's column menu toggles it (columns 0 to 8).
int ToggleWidth(int column, const ColumnFlags& flags);
// Columns 1 to 7 are re-applied on a refresh.
inline constexpr int kFirstRefreshedColumn = 1;
inline constexpr int kLastRefreshedColumn = 7;
int RefreshWidth(int column, const ColumnFlags& flags);

// The header refuses to drag the divider of a hidden column 0 to 7 and of columns 8 to 11.
bool MayDragColumn(int column, const ColumnFlags& flags);

// The column that a command of the header's column menu toggles, if the id is one of them.
std::optional<int> ColumnOfMenuCommand(unsigned id);
// The command ids of the column menu, in the menu's order.
const std::array<unsigned, 9>& ColumnMenuCommands();

}  // namespace mb::thumblist
