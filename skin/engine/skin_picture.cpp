#include "skin/engine/skin_picture.h"

#include "framework/gdi.h"

namespace mb::skinengine {

std::unique_ptr<SkinPicture> SkinPicture::Create(const skinfile::Bitmap24& pixels) {
  const int width = pixels.Width();
  const int height = pixels.Height();
  if (width <= 0 || height <= 0) return nullptr;
  BITMAPINFO info = fw::TopDownDibInfo(width, height, 24);  // top-down, as the pixels are kept
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) {
    if (bitmap) DeleteObject(bitmap);
    return nullptr;
  }
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~static_cast<std::size_t>(3);
  auto* row = static_cast<BYTE*>(bits);
  for (int y = 0; y < height; ++y, row += stride) {
    BYTE* pixel = row;
    for (int x = 0; x < width; ++x, pixel += 3) {
      const skinfile::Rgb c = pixels.At(x, y);
      pixel[0] = c.b;
      pixel[1] = c.g;
      pixel[2] = c.r;
    }
  }
  GdiFlush();
  return std::unique_ptr<SkinPicture>(new SkinPicture(bitmap));
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
