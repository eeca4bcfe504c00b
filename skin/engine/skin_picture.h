// The skin picture as a device-independent bitmap, and the copies out of it onto a window's DC.
#pragma once

#include <windows.h>

#include <memory>
#include <mutex>
#include <optional>

#include "skin/format/bmp24.h"

namespace mb::skinengine {

class SkinPicture {
 public:
  // Null when the bitmap cannot be made.
  static std::unique_ptr<SkinPicture> Create(const skinfile::Bitmap24& pixels);
  ~SkinPicture();
  SkinPicture(const SkinPicture&) = delete;
  SkinPicture& operator=(const SkinPicture&) = delete;

  // Copies src (picture pixels) into dst on dc, scaled when the sizes differ. With a key colour
  // (and SRCCOPY), pixels of that colour are left out so that what lies below shows through.
  bool Copy(HDC dc, const RECT& dst, const RECT& src, DWORD rop, std::optional<COLORREF> key) const;

 private:
  explicit SkinPicture(HBITMAP bitmap) : bitmap_(bitmap) {}

  HBITMAP bitmap_;
  // A bitmap can be selected into one DC at a time, and windows of several threads draw.
  mutable std::mutex lock_;
};

}  // namespace mb::skinengine
