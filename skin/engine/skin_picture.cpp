#include "skin/engine/skin_picture.h"

#include <algorithm>

#include "framework/gdi.h"

namespace mb::skinengine {
namespace {

// Rows read from the file at a time.
constexpr int kBandRows = 16;
// Enough of the file's start for both of its headers.
constexpr DWORD kHeadBytes = 128;

bool ReadAt(HANDLE file, std::uint64_t offset, void* into, DWORD length) {
  OVERLAPPED at = {};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  DWORD read = 0;
  return ReadFile(file, into, length, &read, &at) && read == length;
}

// A copy of the skin picture for this picture's reading alone, deleted when its handle closes:
// switching skins overwrites the skin files in the program folder for the next start, and the rows
// still to come must be those of the picture the windows already show.
HANDLE OpenPrivateCopy(const std::string& path) {
  char folder[MAX_PATH];
  char copy[MAX_PATH];
  const DWORD length = GetTempPathA(MAX_PATH, folder);
  if (length == 0 || length >= MAX_PATH || !GetTempFileNameA(folder, "skn", 0, copy)) return INVALID_HANDLE_VALUE;
  HANDLE file = INVALID_HANDLE_VALUE;
  // The copy takes the skin file's attributes; a read-only one could not be deleted on close.
  if (CopyFileA(path.c_str(), copy, FALSE) && SetFileAttributesA(copy, FILE_ATTRIBUTE_NORMAL)) {
    file = CreateFileA(copy, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                       FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  }
  if (file == INVALID_HANDLE_VALUE) {
    SetFileAttributesA(copy, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(copy);
  }
  return file;
}

}  // namespace

std::unique_ptr<SkinPicture> SkinPicture::Open(const std::string& path) {
  HANDLE file = OpenPrivateCopy(path);
  const bool copied = file != INVALID_HANDLE_VALUE;
  // Without room for a copy, the whole picture is read at once from the file itself.
  if (!copied) file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  LARGE_INTEGER size = {};
  std::string head(kHeadBytes, '\0');
  DWORD read = 0;
  std::optional<skinfile::Bmp24Layout> layout;
  if (GetFileSizeEx(file, &size) && ReadFile(file, &head[0], kHeadBytes, &read, nullptr)) {
    head.resize(read);
    layout = skinfile::ReadBmp24Layout(head, static_cast<std::uint64_t>(size.QuadPart));
  }
  void* bits = nullptr;
  HBITMAP bitmap = nullptr;
  if (layout) {
    BITMAPINFO info = fw::TopDownDibInfo(layout->width, layout->height, 24);  // top-down, as BgrPixels reads
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  }
  if (!bitmap || !bits) {
    if (bitmap) DeleteObject(bitmap);
    CloseHandle(file);
    return nullptr;
  }
  std::unique_ptr<SkinPicture> picture(new SkinPicture(file, *layout, bitmap, static_cast<std::uint8_t*>(bits)));
  if (!copied) {
    std::lock_guard<std::mutex> hold(picture->lock_);
    if (!picture->LoadRows(0, layout->height)) return nullptr;
    // Every row is in: the skin file is not held, so a skin switch can replace it.
    CloseHandle(picture->file_);
    picture->file_ = nullptr;
  }
  return picture;
}

SkinPicture::SkinPicture(HANDLE file, const skinfile::Bmp24Layout& layout, HBITMAP bitmap, std::uint8_t* bits)
    : file_(file),
      layout_(layout),
      bitmap_(bitmap),
      bits_(bits),
      bandLoaded_(static_cast<std::size_t>((layout.height + kBandRows - 1) / kBandRows), false) {}

SkinPicture::~SkinPicture() {
  DeleteObject(bitmap_);
  if (file_) CloseHandle(file_);
}

bool SkinPicture::ReadFileRows(int first, int count, std::uint8_t* rows) const {
  const skinfile::FileSpan span = skinfile::Bmp24RowsSpan(layout_, first, count);
  // Only for the way in: a window's shape reads hundreds of rows at once, and they must not stay.
  std::string fileRows(span.length, '\0');
  if (!ReadAt(file_, span.offset, &fileRows[0], static_cast<DWORD>(span.length))) return false;
  skinfile::CopyBmp24RowsFromSpan(fileRows, layout_, count, rows);
  return true;
}

bool SkinPicture::HoldsRows(int top, int bottom) const {
  for (int band = top / kBandRows; band * kBandRows < bottom; ++band) {
    if (!bandLoaded_[static_cast<std::size_t>(band)]) return false;
  }
  return true;
}

bool SkinPicture::LoadRows(int top, int bottom) const {
  top = std::max(top, 0);
  bottom = std::min(bottom, layout_.height);
  for (int band = top / kBandRows; band * kBandRows < bottom; ++band) {
    if (bandLoaded_[static_cast<std::size_t>(band)]) continue;
    const int first = band * kBandRows;
    GdiFlush();  // nothing of GDI's may still be using the bits
    if (!ReadFileRows(first, std::min(kBandRows, layout_.height - first), bits_ + RowBytes() * first)) return false;
    bandLoaded_[static_cast<std::size_t>(band)] = true;
  }
  return true;
}

std::optional<skinfile::BgrPixels> SkinPicture::ReadRows(int top, int bottom, std::vector<std::uint8_t>& buffer) const {
  if (top < 0 || bottom > layout_.height || top >= bottom) return std::nullopt;
  std::lock_guard<std::mutex> hold(lock_);
  if (HoldsRows(top, bottom)) return skinfile::BgrPixels(bits_ + RowBytes() * top, layout_.width, bottom - top);
  buffer.resize(RowBytes() * static_cast<std::size_t>(bottom - top));
  if (!ReadFileRows(top, bottom - top, buffer.data())) return std::nullopt;
  return skinfile::BgrPixels(buffer.data(), layout_.width, bottom - top);
}

bool SkinPicture::Copy(HDC dc, const RECT& dst, const RECT& src, DWORD rop, std::optional<COLORREF> key) const {
  const int dw = dst.right - dst.left;
  const int dh = dst.bottom - dst.top;
  const int sw = src.right - src.left;
  const int sh = src.bottom - src.top;
  if (!dc || dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return false;

  std::lock_guard<std::mutex> hold(lock_);
  if (!LoadRows(src.top, src.bottom)) return false;
  fw::MemoryDC memory(dc);
  if (!memory) return false;
  fw::ScopedSelect select(memory, bitmap_);
  if (key && rop == SRCCOPY) {
    return TransparentBlt(dc, dst.left, dst.top, dw, dh, memory, src.left, src.top, sw, sh, *key) != FALSE;
  }
  if (dw == sw && dh == sh) return BitBlt(dc, dst.left, dst.top, dw, dh, memory, src.left, src.top, rop) != FALSE;
  return StretchBlt(dc, dst.left, dst.top, dw, dh, memory, src.left, src.top, sw, sh, rop) != FALSE;
}

}  // namespace mb::skinengine
