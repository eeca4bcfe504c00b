// The skin picture as a device-independent bitmap, and the copies out of it onto a window's DC.
// The bitmap's own bits are the only copy of the pixels: region queries read them too. Its rows
// come in from the file a band at a time, when something first draws or reads them: the windows
// that stand use a few bands of the picture, and the rest never costs memory.
#pragma once

#include <windows.h>

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "skin/format/bmp24.h"

namespace mb::skinengine {

class SkinPicture {
 public:
  // Opens a 24-bit BMP file and makes a DIB section of its size. Null when the file is not one or
  // the bitmap cannot be made. The rows are read from a copy of the file made now, so a later
  // change of the file (a skin switch for the next start) does not reach this picture; without
  // room for a copy the whole picture is read at once.
  static std::unique_ptr<SkinPicture> Open(const std::string& path);
  ~SkinPicture();
  SkinPicture(const SkinPicture&) = delete;
  SkinPicture& operator=(const SkinPicture&) = delete;

  int Width() const { return layout_.width; }
  int Height() const { return layout_.height; }

  // Copies src (picture pixels) into dst on dc, scaled when the sizes differ. With a key colour
  // (and SRCCOPY), pixels of that colour are left out so that what lies below shows through.
  // False when its rows cannot be read from the file.
  bool Copy(HDC dc, const RECT& dst, const RECT& src, DWORD rop, std::optional<COLORREF> key) const;

  // The rows [top, bottom) of the picture (0 <= top < bottom <= Height()), for reading once (a
  // window's shape): from the bitmap when it holds them, else from the file into buffer, without
  // keeping them. Row 0 of the view is row top. Nothing when the file cannot be read.
  std::optional<skinfile::BgrPixels> ReadRows(int top, int bottom, std::vector<std::uint8_t>& buffer) const;

 private:
  SkinPicture(HANDLE file, const skinfile::Bmp24Layout& layout, HBITMAP bitmap, std::uint8_t* bits);
  std::size_t RowBytes() const { return skinfile::BgrRowBytes(layout_.width); }
  // Under lock_: whether the bitmap holds the rows [top, bottom); reads the bands missing.
  bool HoldsRows(int top, int bottom) const;
  bool LoadRows(int top, int bottom) const;
  // Reads count rows from first on, as the file holds them, top-down into rows.
  bool ReadFileRows(int first, int count, std::uint8_t* rows) const;

  HANDLE file_;  // the copy the rows are read from; null once every row is in
  skinfile::Bmp24Layout layout_;
  HBITMAP bitmap_;
  std::uint8_t* bits_;  // the bitmap's rows, top-down
  // A bitmap can be selected into one DC at a time, windows of several threads draw, and bands
  // come in under it.
  mutable std::mutex lock_;
  mutable std::vector<bool> bandLoaded_;
};

}  // namespace mb::skinengine
