#include "image/win/picture_gdi.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/gdi.h"

namespace mb {

namespace {

bool DrawsTransparent(const PictureData& data) {
  return !data.alpha.empty() || (data.bitsPerPixel == 8 && data.transIndex >= 0) ||
         (data.bitsPerPixel == 24 && data.transColor.a == 255);
}

// A top-down 32-bit DIB section of width x height; bits receives its pixels.
HBITMAP CreateBgraSection(int width, int height, void** bits) {
  BITMAPINFO info = fw::TopDownDibInfo(width, height, 32);
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

// Stretches an opaque picture's own rows onto the DC: passed as they are when already aligned to
// four bytes, else copied row by row into aligned ones; an indexed picture's palette becomes the
// colour table.
bool StretchOpaque(HDC dc, const PictureData& data, int x, int y, int width, int height) {
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
  } info = {};
  info.header = fw::TopDownDibInfo(data.width, data.height, static_cast<WORD>(data.bitsPerPixel)).bmiHeader;
  for (std::size_t i = 0; i < data.palette.size() && i < 256; ++i)
    info.colours[i] = RGBQUAD{data.palette[i].b, data.palette[i].g, data.palette[i].r, 0};
  const std::size_t stride = data.Stride();
  const std::size_t aligned = (stride + 3) & ~static_cast<std::size_t>(3);
  const std::uint8_t* bits = data.pixels.data();
  std::vector<std::uint8_t> copy;
  if (aligned != stride) {
    copy.resize(aligned * data.height);
    for (int row = 0; row < data.height; ++row)
      std::memcpy(&copy[aligned * row], &data.pixels[stride * row], stride);
    bits = copy.data();
  }
  const int previousMode = SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  const int lines = StretchDIBits(dc, x, y, width, height, 0, 0, data.width, data.height, bits,
                                  reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, SRCCOPY);
  SetStretchBltMode(dc, previousMode);
  return lines > 0;
}

}  // namespace

bool DrawPicture(HDC dc, const Picture& picture, int x, int y, int width, int height) {
  if (!dc || !picture.IsValid()) return false;
  const int w = picture.Width(), h = picture.Height();
  if (!DrawsTransparent(picture.Data())) return StretchOpaque(dc, picture.Data(), x, y, width, height);
  void* bits = nullptr;
  fw::Bitmap section(CreateBgraSection(w, h, &bits));
  if (!section || !bits) return false;
  const std::vector<std::uint8_t> pixels = picture.ToBgra(true);
  std::memcpy(bits, pixels.data(), pixels.size());
  fw::MemoryDC source(dc);
  fw::ScopedSelect select(source, section);
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  return AlphaBlend(dc, x, y, width, height, source, 0, 0, w, h, blend) != FALSE;
}

HBITMAP CreatePictureBitmap(const Picture& picture) {
  if (!picture.IsValid()) return nullptr;
  const int w = picture.Width(), h = picture.Height();
  BITMAPINFO info = fw::TopDownDibInfo(w, h, 24);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) {
    if (bitmap) DeleteObject(bitmap);
    return nullptr;
  }
  const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) & ~static_cast<std::size_t>(3);
  const PictureData& data = picture.Data();
  for (int row = 0; row < h; ++row) {
    auto* out = static_cast<std::uint8_t*>(bits) + row * stride;
    if (data.bitsPerPixel == 24) {
      std::memcpy(out, &data.pixels[row * data.Stride()], data.Stride());
      continue;
    }
    for (int column = 0; column < w; ++column) {
      const Rgba c = picture.GetPixelColor(column, row);
      out[column * 3] = c.b;
      out[column * 3 + 1] = c.g;
      out[column * 3 + 2] = c.r;
    }
  }
  GdiFlush();
  return bitmap;
}

bool PictureFromBitmap(HBITMAP bitmap, Picture& out) {
  out.Clear();
  BITMAP facts = {};
  if (!bitmap || GetObjectA(bitmap, sizeof facts, &facts) == 0 || facts.bmWidth <= 0 || facts.bmHeight <= 0)
    return false;
  const int w = facts.bmWidth, h = facts.bmHeight;
  std::vector<std::uint8_t> bgra(static_cast<std::size_t>(w) * h * 4);
  BITMAPINFO info = fw::TopDownDibInfo(w, h, 32);
  fw::MemoryDC dc(nullptr);
  if (GetDIBits(dc, bitmap, 0, static_cast<UINT>(h), bgra.data(), &info, DIB_RGB_COLORS) != h) return false;
  PictureData data;
  data.width = w;
  data.height = h;
  data.bitsPerPixel = 24;
  data.frameCount = 1;
  data.pixels.resize(data.Stride() * h);
  for (std::size_t i = 0, n = static_cast<std::size_t>(w) * h; i < n; ++i)
    std::memcpy(&data.pixels[i * 3], &bgra[i * 4], 3);
  out.Adopt(std::move(data));
  return true;
}

bool DrawString(Picture& picture, int x, int y, const std::string& text, const TextStyle& style) {
  if (!picture.IsValid()) return false;
  if (text.empty()) return true;
  fw::Font font(CreateFontA(style.height, 0, 0, 0, style.weight, style.italic, style.underline, FALSE,
                            DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                            DEFAULT_PITCH | FF_DONTCARE, style.face.c_str()));
  fw::MemoryDC dc(nullptr);
  if (!font || !dc) return false;
  fw::ScopedSelect selectFont(dc, font);
  RECT extent = {0, 0, 0, 0};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &extent, DT_CALCRECT | DT_NOPREFIX);
  // Never past the picture's right or bottom edge: the ink is cut there anyway.
  const int w = std::min<int>(extent.right, picture.Width() - x);
  const int h = std::min<int>(extent.bottom, picture.Height() - y);
  if (w <= 0 || h <= 0) return true;
  void* bits = nullptr;
  fw::Bitmap section(CreateBgraSection(w, h, &bits));
  if (!section || !bits) return false;
  std::memset(bits, 0, static_cast<std::size_t>(w) * h * 4);
  fw::ScopedSelect selectBitmap(dc, section);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  RECT box = {0, 0, w, h};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_NOPREFIX);
  GdiFlush();
  // White ink on black: the brightest channel is how much of each pixel the text covers.
  std::vector<std::uint8_t> coverage(static_cast<std::size_t>(w) * h);
  const auto* ink = static_cast<const std::uint8_t*>(bits);
  for (std::size_t i = 0; i < coverage.size(); ++i)
    coverage[i] = std::max({ink[i * 4], ink[i * 4 + 1], ink[i * 4 + 2]});
  picture.BlendMask(coverage.data(), w, h, x, y, style.colour);
  return true;
}

}  // namespace mb
