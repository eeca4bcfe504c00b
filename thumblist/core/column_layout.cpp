#include "thumblist/core/column_layout.h"

#include "common/gbk_text.h"
#include "common/sdom_doc.h"
#include "thumblist/core/picture_row.h"

namespace mb::thumblist {

namespace {
struct ColumnWidths {
  const char* heading;
  int created;   // with the flag set; -1: the same whatever the flag
  int toggled;   // on a toggle with the flag set
  int refreshed; // on a refresh with the flag set (columns 1 to 7)
};

// Width 0 below means "always closed"; 200 for column 0 at creation is kept whatever its flag.
constexpr ColumnWidths kColumns[kColumnCount] = {
    {"文件名", 200, 200, 0},    {"路径", 200, 200, 200},     {"文件大小", 75, 75, 75},
    {"分辨率(像素)", 60, 75, 60}, {"标题", 100, 75, 100},      {"注释", 100, 75, 60},
    {"图片分类", 66, 75, 66},     {"文件来源", 66, 75, 66},     {"参与PK", 0, 0, 0},
    {"图片类型数字", 0, 0, 0},    {"上传类型数字", 0, 0, 0},    {"专辑代号数字", 0, 0, 0},
    {"标签文本", 0, 0, 0},
};

bool FlagOf(const ColumnFlags& flags, int column) {
  return column >= 0 && column < static_cast<int>(flags.size()) && flags[column];
}

int CreationWidth(int column, const ColumnFlags& flags) {
  if (column == kColFileName) return kColumns[column].created;
  return FlagOf(flags, column) ? kColumns[column].created : 0;
}

constexpr std::array<unsigned, 9> kMenuCommands = {32774, 32788, 32776, 32777, 32778,
                                                   32779, 32784, 32781, 32785};
constexpr int kMenuColumns[9] = {kColFileName, kColFolder, kColSize, kColDimensions, kColCategory,
                                 kColSource,   kColPk,     kColTitle, kColRemark};
}  // namespace

std::string ColumnHeadingText(const ColumnFlags& flags) {
  std::string text;
  for (int column = 0; column < kColumnCount; ++column) {
    if (column > 0) text += ';';
    text += kColumns[column].heading;
    text += ',';
    text += std::to_string(CreationWidth(column, flags));
  }
  return text;
}

std::vector<ColumnSpec> ParseColumnHeadings(std::string_view text) {
  std::vector<ColumnSpec> columns;
  for (const std::string& piece : GbkSplit(text, ";")) {
    const std::size_t comma = GbkFind(piece, ',');
    if (comma == std::string::npos) break;
    columns.push_back({piece.substr(0, comma), ReadLeadingInt(std::string_view(piece).substr(comma + 1))});
  }
  return columns;
}

int ToggleWidth(int column, const ColumnFlags& flags) {
  if (column < 0 || column > kColPk) return 0;
  return FlagOf(flags, column) ? kColumns[column].toggled : 0;
}

int RefreshWidth(int column, const ColumnFlags& flags) {
  if (column < kFirstRefreshedColumn || column > kLastRefreshedColumn) return 0;
  return FlagOf(flags, column) ? kColumns[column].refreshed : 0;
}

bool MayDragColumn(int column, const ColumnFlags& flags) {
  if (column >= kColPk && column <= kColAlbum) return false;
  if (column >= 0 && column < kColPk) return FlagOf(flags, column);
  return true;
}

std::optional<int> ColumnOfMenuCommand(unsigned id) {
  for (std::size_t i = 0; i < kMenuCommands.size(); ++i) {
    if (kMenuCommands[i] == id) return kMenuColumns[i];
  }
  return std::nullopt;
}

const std::array<unsigned, 9>& ColumnMenuCommands() { return kMenuCommands; }

}  // namespace mb::thumblist
