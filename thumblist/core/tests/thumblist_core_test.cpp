#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "thumblist/core/cell_choices.h"
#include "thumblist/core/cell_text.h"
#include "thumblist/core/column_layout.h"
#include "thumblist/core/image_info_record.h"
#include "thumblist/core/picture_row.h"
#include "thumblist/core/row_menu.h"
#include "thumblist/core/upload_rule.h"

namespace mb::thumblist {
namespace {

TEST(PictureRow, SizeTextsCutTwoDecimalsAtEveryUnitEdge) {
  EXPECT_EQ(FormatSizeText(0), "0 BYTES");
  EXPECT_EQ(FormatSizeText(1024), "1024 BYTES");
  EXPECT_EQ(FormatSizeText(1025), "1.00 KB");
  EXPECT_EQ(FormatSizeText(1536), "1.50 KB");
  EXPECT_EQ(FormatSizeText(1049599), "1024.99 KB");  // 1024.999 is cut, not rounded up
  EXPECT_EQ(FormatSizeText(1049600), "1.00 MB");
  EXPECT_EQ(FormatSizeText(0xFFFFFFFFu), "4095.99 MB");
}

TEST(PictureRow, NewRowsSplitGbkPathsAndCarryTheDefaults) {
  // 0x95 0x5C is one double-byte character whose trail byte is a backslash.
  const std::string path = "C:\\pics\\\x95\\x.jpg";
  const RowTexts row = MakeNewPictureRow(path, "1.50 KB", "1024*768");
  EXPECT_EQ(row[kColFileName], "\x95\\x.jpg");
  EXPECT_EQ(row[kColFolder], "C:\\pics\\");
  EXPECT_EQ(RowFilePath(row), path);
  EXPECT_EQ(row[kColTitle], row[kColFileName]);
  EXPECT_EQ(row[kColRemark], row[kColFileName]);
  const RowTexts defaults = {"", "", "", "", "", "", "壁纸-人物", "公开", "否", "12", "0", "0", ""};
  for (int column = kColCategory; column < kColumnCount; ++column) EXPECT_EQ(row[column], defaults[column]);

  EXPECT_EQ(FolderToOpen("C:\\a.jpg"), "C:\\");  // the drive's root, not its current folder
  EXPECT_EQ(FolderToOpen("C:\\pics\\\x95\\x.jpg"), "C:\\pics");
  EXPECT_TRUE(IsRefusedPngPath("C:\\a.b.PNG"));
  EXPECT_FALSE(IsRefusedPngPath("C:\\a.png.jpg"));
  EXPECT_TRUE(IsDroppedPictureCandidate("C:\\x.jpg.txt"));
  EXPECT_FALSE(IsDroppedPictureCandidate("C:\\x.bmp"));
  EXPECT_FALSE(IsDroppedPictureCandidate("C:\\\x95jpg"));  // ".jpg" only at a character start
  EXPECT_EQ(WithExtension("D:\\copy", ".jpg"), "D:\\copy.jpg");
  EXPECT_EQ(WithExtension("D:\\copy.jpg", ".jpg"), "D:\\copy.jpg");
  const std::string filter = SaveAsFilter(".jpg");
  EXPECT_EQ(filter, std::string("Picture Files (*.jpg)\0*.jpg\0All Files (*.*)\0*.*\0\0", 49));
}

TEST(UploadRule, EdgesOfSizeAndResolution) {
  EXPECT_TRUE(IsUploadAllowed("1024*768", 2097152));
  EXPECT_FALSE(IsUploadAllowed("1024*768", 2097153));
  EXPECT_FALSE(IsUploadAllowed("1023*768", 1000));
  EXPECT_FALSE(IsUploadAllowed("1024*767", 1000));
  EXPECT_FALSE(IsUploadAllowed("1024*768", std::nullopt));  // file gone
  EXPECT_FALSE(IsUploadAllowed("4000", 1000));              // no '*': width 0
  EXPECT_FALSE(IsUploadAllowed("4294967296*4000", 1000));   // wraps, never passes as huge
  EXPECT_FALSE(IsUploadAllowed("1024*768", 0x100000000ull + 10));  // not judged by the low 32 bits

  const UploadCheck none = CheckUploadCandidates({});
  EXPECT_TRUE(none.allAccepted);
  EXPECT_EQ(none.accepted, 0);
  const UploadCheck some = CheckUploadCandidates(
      {{"a", "4000*3000", 100}, {"b", "800*600", 100}, {"c", "1024*768", std::nullopt}});
  EXPECT_FALSE(some.allAccepted);
  EXPECT_EQ(some.accepted, 1);
  EXPECT_EQ(some.refused, (std::vector<std::string>{"b", "c"}));
}

TEST(ImageInfoRecord, GoldenBytes) {
  RowTexts row = MakeNewPictureRow("C:\\p\\a.jpg", "1.50 KB", "3000*2000");
  row[kColTitle] = std::string(254, 'T') + "\xCE\xC4";  // the double-byte character does not fit
  row[kColTag] = "tag";
  row[kColPictureType] = "12";
  row[kColUploadType] = "x";
  row[kColAlbum] = "-2";
  EXPECT_EQ(MakeImageInfo(row).pk, 0);  // "否" when added
  row[kColPk] = PkText(true);
  const stImageInfo info = MakeImageInfo(row);

  std::string golden(1404, '\0');
  auto put = [&golden](std::size_t at, const std::string& text) { golden.replace(at, text.size(), text); };
  put(0, "C:\\p\\a.jpg");
  put(260, "1.50 KB");
  put(292, std::string(254, 'T'));
  put(548, "a.jpg");
  put(804, "tag");
  put(1062, "3000*2000");
  put(1094, "壁纸-人物");
  put(1350, "公开");
  put(1388, std::string("\x0C\0\0\0", 4));
  put(1392, std::string("\0\0\0\0", 4));
  put(1396, std::string("\xFE\xFF\xFF\xFF", 4));
  put(1400, std::string("\x01\0\0\0", 4));

  const ImageInfoBytes bytes = ImageInfoToBytes(info);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), golden);
  // Receivers read the record through a pointer: its memory is the same layout.
  EXPECT_EQ(std::memcmp(&info, bytes.data(), bytes.size()), 0);
}

TEST(ColumnLayout, HeadingsWidthsAndDragRules) {
  ColumnFlags flags{};  // every column hidden
  flags[kColSize] = flags[kColRemark] = flags[kColPk] = true;
  const std::vector<ColumnSpec> columns = ParseColumnHeadings(ColumnHeadingText(flags));
  ASSERT_EQ(columns.size(), 13u);
  const int created[13] = {200, 0, 75, 0, 0, 100, 0, 0, 0, 0, 0, 0, 0};
  for (int c = 0; c < 13; ++c) EXPECT_EQ(columns[c].width, created[c]) << c;
  EXPECT_EQ(columns[3].heading, "分辨率(像素)");
  EXPECT_EQ(columns[12].heading, "标签文本");
  EXPECT_EQ(ParseColumnHeadings("a,10;b;c,5").size(), 1u);  // a piece without ',' ends the parse

  EXPECT_EQ(ToggleWidth(kColFileName, flags), 0);
  EXPECT_EQ(ToggleWidth(kColRemark, flags), 75);
  EXPECT_EQ(ToggleWidth(kColPk, flags), 0);  // PK never widens
  EXPECT_EQ(RefreshWidth(kColRemark, flags), 60);
  EXPECT_EQ(RefreshWidth(kColFolder, flags), 0);
  EXPECT_EQ(WidthWithMargin(0), 12);

  EXPECT_TRUE(MayDragColumn(kColSize, flags));
  EXPECT_FALSE(MayDragColumn(kColFileName, flags));
  EXPECT_FALSE(MayDragColumn(kColPk, flags));
  EXPECT_FALSE(MayDragColumn(kColAlbum, flags));
  EXPECT_TRUE(MayDragColumn(kColTag, flags));
  EXPECT_EQ(ColumnOfMenuCommand(32778), kColCategory);
  EXPECT_EQ(ColumnOfMenuCommand(32781), kColTitle);
  EXPECT_FALSE(ColumnOfMenuCommand(32800).has_value());
}

TEST(RowMenu, EnablingRules) {
  using namespace row_menu;
  ListSituation empty;
  RowMenuState state = RowMenuStateFor(empty);
  for (unsigned id : {kStartUpload, kEdit, kRemoveHighlighted, kSaveAs, kRemoveTicked, kUntickAll, kTickAll,
                      kRotateLeft, kRotateRight}) {
    EXPECT_TRUE(state.grey.count(id)) << id;
  }
  EXPECT_TRUE(state.removed.count(kSelectColumns));
  EXPECT_EQ(state.checked, kThumbnailView);

  ListSituation idle{true, false, 3, false, true, true};
  state = RowMenuStateFor(idle);
  EXPECT_FALSE(state.grey.count(kStartUpload));
  EXPECT_FALSE(state.grey.count(kRotateLeft));
  EXPECT_TRUE(state.grey.count(kRemoveTicked));
  EXPECT_FALSE(state.removed.count(kSelectColumns));
  EXPECT_TRUE(state.removed.count(kPreview));
  EXPECT_EQ(state.checked, kReportView);

  ListSituation busy{true, true, 3, true, true, true};
  state = RowMenuStateFor(busy);
  for (unsigned id : {kStartUpload, kEdit, kRemoveHighlighted, kRotateLeft, kRotateRight, kRemoveTicked}) {
    EXPECT_TRUE(state.grey.count(id)) << id;
  }
  EXPECT_FALSE(state.grey.count(kSaveAs));
  EXPECT_FALSE(StartUploadEnabled({true, true, 3, false, false, true}));  // logged out
}

TEST(CellText, NumbersDatesAreasAndTooltipIds) {
  EXPECT_TRUE(IsNumber("0123"));
  EXPECT_FALSE(IsNumber(""));
  EXPECT_FALSE(IsNumber("12a"));
  EXPECT_TRUE(IsDate("31/12/2009"));
  EXPECT_FALSE(IsDate("31-12-2009"));
  EXPECT_FALSE(IsDate("1/12/2009"));
  EXPECT_EQ(NumberCompare("3000*2000", "2000*3000"), 0);
  EXPECT_EQ(NumberCompare("100*100", "99*101"), 1);
  EXPECT_EQ(DateCompare("31/12/2009", "01/01/2010"), -1);
  EXPECT_EQ(DateCompare("02/03/2010", "01/03/2010"), 1);
  int row = 0, column = 0;
  UnpackCellId(PackCellId(7, 12), row, column);
  EXPECT_EQ(PackCellId(7, 12), 7 * 1024 + 13);
  EXPECT_EQ(row, 7);
  EXPECT_EQ(column, 12);
}

TEST(CellChoices, DollarJoinedChoicesAndCellsNamedWithWildcards) {
  // Double-byte choices come through whole; empty pieces are no choices.
  EXPECT_EQ(SplitChoices("公开$私有$$好友$"), (std::vector<std::string>{"公开", "私有", "好友"}));
  EXPECT_TRUE(SplitChoices("").empty());
  ComboFill fill = ComboFillFor("A$B$C", "B");
  EXPECT_EQ(fill.items, (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(fill.selected, 1);
  fill = ComboFillFor("A$B", "壁纸-人物");  // a text that is no choice is added and chosen
  EXPECT_EQ(fill.items.back(), "壁纸-人物");
  EXPECT_EQ(fill.selected, 2);
  fill = ComboFillFor("A$B", "");
  EXPECT_EQ(fill.items.size(), 2u);
  EXPECT_EQ(fill.selected, -1);

  CellTable cells;
  cells.Add(-1, 4, "any row, column 4");
  cells.Add(3, -1, "row 3, any column");
  cells.Add(7, 2, "exact");
  cells.Add(-1, 4, "replaced");
  ASSERT_NE(cells.Find(100, 4), nullptr);
  EXPECT_EQ(*cells.Find(100, 4), "replaced");
  EXPECT_EQ(*cells.Find(3, 9), "row 3, any column");
  EXPECT_EQ(*cells.Find(3, 4), "replaced");  // the first entry that names the cell
  EXPECT_EQ(*cells.Find(7, 2), "exact");
  EXPECT_FALSE(cells.Contains(7, 3));
  EXPECT_FALSE(cells.Contains(-1, 2));  // "any row" asked of an exact entry is no match
  CellTable everywhere;
  everywhere.Add(-1, -1);
  EXPECT_TRUE(everywhere.Contains(0, 0) && everywhere.Contains(999, 12));
}

}  // namespace
}  // namespace mb::thumblist
