#include "skin/engine/skin_picture.h"

#include "framework/gdi.h"

namespace mb::skinengine {

std::unique_ptr<SkinPicture> SkinPicture::Decode(std::string_view bmpFile) {
  const std::optional<skinfile::Bmp24Layout> layout = skinfile::ReadBmp24Layout(bmpFile);
  if (!layout) return nullptr;
  BITMAPINFO info = fw::TopDownDibInfo(layout->width, layout->height, 24);  // top-down, as BgrPixels reads
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) {
    if (bitmap) DeleteObject(bitmap);
    return nullptr;
  }
  auto* rows = static_cast<std::uint8_t*>(bits);
  skinfile::CopyBmp24Rows(bmpFile, *layout, rows);
  GdiFlush();
  return std::unique_ptr<SkinPicture>(
      new SkinPicture(bitmap, skinfile::BgrPixels(rows, layout->width, layout->height)));
}

SkinPicture::~SkinPicture() { DeleteObject(bitmap_); }

bool SkinPicture::Copy(HDC dc, const RECT& dst, const RECT& src, DWORD rop, std::optional<COLORREF> key) const {
  const int dw = dst.right - dst.left;
  const int dh = dst.bottom - dst.top;
  const int sw = src.right - src.left;
  const int sh = src.bottom - src.top;
  if (!dc || dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return false;

  std::lock_guard<std::mutex> hold(lock_);
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
