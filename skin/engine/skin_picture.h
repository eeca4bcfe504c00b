// The skin picture as a device-independent bitmap, and the copies out of it onto a window's DC.
// The bitmap's own bits are the only copy of the pixels: region queries read them too.
#pragma once

#include <windows.h>

#include <memory>
#include <mutex>
#include <optional>
#include <string_view>

#include "skin/format/bmp24.h"

namespace mb::skinengine {

class SkinPicture {
 public:
  // Decodes a 24-bit BMP file straight into a new DIB section. Null when the file is not one or
  // the bitmap cannot be made.
  static std::unique_ptr<SkinPicture> Decode(std::string_view bmpFile);
  ~SkinPicture();
  SkinPicture(const SkinPicture&) = delete;
  SkinPicture& operator=(const SkinPicture&) = delete;

  // Copies src (picture pixels) into dst on dc, scaled when the sizes differ. With a key colour
  // (and SRCCOPY), pixels of that colour are left out so that what lies below shows through.
  bool Copy(HDC dc, const RECT& dst, const RECT& src, DWORD rop, std::optional<COLORREF> key) const;

  // The pixels, for reading; valid as long as this object. Nothing draws into the bitmap.
  const skinfile::BgrPixels& Pixels() const { return pixels_; }

 private:
  SkinPicture(HBITMAP bitmap, skinfile::BgrPixels pixels) : bitmap_(bitmap), pixels_(pixels) {}

  HBITMAP bitmap_;
  skinfile::BgrPixels pixels_;  // the bitmap's bits
  // A bitmap can be selected into one DC at a time, and windows of several threads draw.
  mutable std::mutex lock_;
};

}  // namespace mb::skinengine
