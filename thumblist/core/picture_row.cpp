#include "thumblist/core/picture_row.h"

#include <cstdio>

#include "common/gbk_text.h"

namespace mb::thumblist {

namespace {
constexpr char kDefaultCategory[] = "壁纸-人物";
constexpr char kDefaultSource[] = "公开";
constexpr char kDefaultPictureType[] = "12";
constexpr char kDefaultUploadType[] = "0";
constexpr char kDefaultAlbum[] = "0";

// Integer digits, ".", and the next two digits of value written with six decimals.
std::string TwoDecimalsCut(double value, const char* unit) {
  char digits[64];
  std::snprintf(digits, sizeof digits, "%f", value);
  std::string text(digits);
  const std::size_t dot = text.find('.');
  if (dot != std::string::npos && text.size() >= dot + 3) text.resize(dot + 3);
  return text + unit;
}
}  // namespace

SplitPathResult SplitPath(std::string_view path) {
  const std::size_t slash = GbkFindLast(path, '\\');
  if (slash == std::string_view::npos) return {std::string(), std::string(path)};
  return {std::string(path.substr(0, slash + 1)), std::string(path.substr(slash + 1))};
}

RowTexts MakeNewPictureRow(std::string_view path, std::string_view sizeText, std::string_view dimensions) {
  const SplitPathResult parts = SplitPath(path);
  RowTexts row;
  row[kColFileName] = parts.fileName;
  row[kColFolder] = parts.folder;
  row[kColSize] = std::string(sizeText);
  row[kColDimensions] = std::string(dimensions);
  row[kColTitle] = parts.fileName;
  row[kColRemark] = parts.fileName;
  row[kColCategory] = kDefaultCategory;
  row[kColSource] = kDefaultSource;
  row[kColPk] = kPkNo;
  row[kColPictureType] = kDefaultPictureType;
  row[kColUploadType] = kDefaultUploadType;
  row[kColAlbum] = kDefaultAlbum;
  return row;
}

std::string RowFilePath(const RowTexts& row) { return row[kColFolder] + row[kColFileName]; }

std::string DimensionsText(int width, int height) {
  return std::to_string(width) + "*" + std::to_string(height);
}

std::string FormatSizeText(std::uint32_t bytes) {
  if (bytes < 1025) return std::to_string(bytes) + " BYTES";
  const std::uint32_t kilobytes = bytes / 1024;
  if (kilobytes < 1025) return TwoDecimalsCut(bytes / 1024.0, " KB");
  return TwoDecimalsCut(kilobytes / 1024.0, " MB");
}

bool HasPercentSign(std::string_view path) { return GbkFind(path, '%') != std::string_view::npos; }

bool IsRefusedPngPath(std::string_view path) {
  const std::size_t dot = GbkFindLast(path, '.');
  if (dot == std::string_view::npos) return false;
  const std::string_view rest = path.substr(dot);
  return rest.substr(0, 4) == ".png" || rest.substr(0, 4) == ".PNG";
}

bool IsDroppedPictureCandidate(std::string_view path) {
  for (const char* extension : {".jpg", ".jpeg", ".JPG", ".JPEG"}) {
    if (GbkFind(path, extension) != std::string_view::npos) return true;
  }
  return false;
}

std::string FolderToOpen(std::string_view path) {
  const std::size_t slash = GbkFindLast(path, '\\');
  if (slash == std::string_view::npos) return ".";
  const std::string_view folder = path.substr(0, slash);
  // "C:" alone names the drive's current folder; its root is "C:\".
  if (folder.size() == 2 && folder[1] == ':') return std::string(path.substr(0, slash + 1));
  if (folder.empty()) return "\\";
  return std::string(folder);
}

std::string ExtensionOf(std::string_view path) {
  const std::size_t dot = GbkFindLast(path, '.');
  return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
}

std::string SaveAsFilter(std::string_view extension) {
  std::string filter = "Picture Files (*";
  filter.append(extension).append(")").push_back('\0');
  filter.append("*").append(extension).push_back('\0');
  filter.append("All Files (*.*)").push_back('\0');
  filter.append("*.*").push_back('\0');
  filter.push_back('\0');
  return filter;
}

std::string WithExtension(std::string_view chosen, std::string_view extension) {
  std::string path(chosen);
  if (!extension.empty() && GbkFind(chosen, extension) == std::string_view::npos) path.append(extension);
  return path;
}

}  // namespace mb::thumblist
