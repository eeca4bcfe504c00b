// One row of the picture list: the thirteen column texts, and the rules that make a row from a
// picture file. Every row goes into the list through this fixed set of texts.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace mb::thumblist {

enum Column : int {
  kColFileName = 0,
  kColFolder = 1,
  kColSize = 2,
  kColDimensions = 3,
  kColTitle = 4,
  kColRemark = 5,
  kColCategory = 6,
  kColSource = 7,
  kColPk = 8,
  kColPictureType = 9,
  kColUploadType = 10,
  kColAlbum = 11,
  kColTag = 12,
};
inline constexpr int kColumnCount = 13;

using RowTexts = std::array<std::string, kColumnCount>;

// A path split at its last backslash (found GBK-aware): the folder keeps the backslash.
struct SplitPathResult {
  std::string folder;
  std::string fileName;
};
SplitPathResult SplitPath(std::string_view path);

// The row of a newly added picture: file name, folder, size text, "W*H", the file name again as
// title and remark, and the defaults of the upload settings.
RowTexts MakeNewPictureRow(std::string_view path, std::string_view sizeText, std::string_view dimensions);

// Column 8 says whether the picture takes part in PK: "是" or "否" ("否" when a row is added).
inline constexpr char kPkYes[] = "是";
inline constexpr char kPkNo[] = "否";
inline const char* PkText(bool takesPart) { return takesPart ? kPkYes : kPkNo; }
inline bool TakesPartInPk(const RowTexts& row) { return row[kColPk] == kPkYes; }

// Column 1 + column 0.
std::string RowFilePath(const RowTexts& row);

// "W*H" of a picture.
std::string DimensionsText(int width, int height);

// The size text of a file of n bytes (low 32 bits): up to 1,024 bytes "n BYTES", then KB up to
// 1,024 KB, then MB, with two decimals cut, not rounded.
std::string FormatSizeText(std::uint32_t bytes);

// Names with "%" are added without a thumbnail.
bool HasPercentSign(std::string_view path);
// A path whose last "." starts ".png" or ".PNG" is refused by AddImage.
bool IsRefusedPngPath(std::string_view path);
// A dropped path is taken when it contains ".jpg", ".jpeg", ".JPG" or ".JPEG" anywhere.
bool IsDroppedPictureCandidate(std::string_view path);

// The folder that "open folder" opens for a file: its folder without the final backslash, except
// at a drive root ("C:\\"), which keeps it so that the root opens and not the drive's current folder.
std::string FolderToOpen(std::string_view path);

// Save as: the extension is the text from the path's last "."; the dialog's filter names it twice;
// a chosen path without the extension gets it appended.
std::string ExtensionOf(std::string_view path);
std::string SaveAsFilter(std::string_view extension);
std::string WithExtension(std::string_view chosen, std::string_view extension);

}  // namespace mb::thumblist
