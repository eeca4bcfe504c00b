#include "thumblist/win/picture_loader.h"

#include <shellapi.h>

#include "image/picture.h"
#include "image/win/picture_gdi.h"
#include "thumblist/core/picture_row.h"

namespace mb::thumblist {

namespace {
constexpr Rgba kFrameColour{0xC0, 0xC0, 0xC0, 255};
constexpr Rgba kBackground{0xFF, 0xFF, 0xFF, 255};
}  // namespace

HBITMAP LoadThumbnailBitmap(const std::string& path, int boxWidth, int boxHeight, std::string& dimensions,
                            std::string& error) {
  Picture picture;
  int width = 0;
  int height = 0;
  if (!LoadThumbnail(path, boxWidth - 2, boxHeight - 2, picture, &width, &height)) {
    error = picture.LastError();
    return nullptr;
  }
  if (picture.Format() == PictureFormat::kPng) {
    error = "PNG pictures are not taken";
    return nullptr;
  }
  dimensions = DimensionsText(width, height);
  const Picture framed = MakeFramedThumbnail(picture, boxWidth, boxHeight, kFrameColour, kBackground);
  HBITMAP bitmap = CreatePictureBitmap(framed);
  if (!bitmap) error = "no bitmap for the thumbnail";
  return bitmap;
}

std::optional<std::uint64_t> FileSizeOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string SizeTextOf(const std::string& path) {
  const std::optional<std::uint64_t> size = FileSizeOf(path);
  return size ? FormatSizeText(static_cast<std::uint32_t>(*size)) : std::string();
}

HICON SmallShellIconOf(const std::string& path) {
  SHFILEINFOA info = {};
  if (!SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON)) return nullptr;
  return info.hIcon;
}

}  // namespace mb::thumblist
