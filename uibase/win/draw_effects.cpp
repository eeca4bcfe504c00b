#include "uibase/win/draw_effects.h"

#include <algorithm>
#include <cstdlib>

#include "framework/gdi.h"
#include "uibase/core/effect_fill.h"
#include "uibase/core/geometry.h"
#include "uibase/core/image_effects.h"
#include "uibase/win/dib_pixels.h"

namespace {

zel::Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

void FillSolid(HDC dc, const zel::Rect& r, COLORREF colour) {
  RECT rect{r.left, r.top, r.right, r.bottom};
  fw::Brush brush(CreateSolidBrush(colour));
  FillRect(dc, &rect, brush);
}

// The pens of borders and rules: 1 solid, 2 dashed, 3 dotted, anything else solid.
HPEN MakeBorderPen(int style, int width, COLORREF colour) {
  const int penStyle = style == 2 ? PS_DASH : style == 3 ? PS_DOT : PS_SOLID;
  // Dashes and dots only come in one-pixel pens.
  return CreatePen(penStyle, penStyle == PS_SOLID ? width : 1, colour);
}

void FrameOnce(HDC dc, RECT r, COLORREF light, COLORREF dark, int style, int width) {
  fw::Pen lightPen(MakeBorderPen(style, width, light));
  fw::Pen darkPen(MakeBorderPen(style, width, dark));
  const int half = width / 2;
  r.left += half;
  r.top += half;
  r.right -= (width + 1) / 2;
  r.bottom -= (width + 1) / 2;
  {
    fw::ScopedSelect pen(dc, lightPen);
    MoveToEx(dc, r.left, r.bottom, nullptr);
    LineTo(dc, r.left, r.top);
    LineTo(dc, r.right, r.top);
  }
  fw::ScopedSelect pen(dc, darkPen);
  MoveToEx(dc, r.right, r.top, nullptr);
  LineTo(dc, r.right, r.bottom);
  LineTo(dc, r.left - 1, r.bottom);
}

SIZE SizeOf(HBITMAP bitmap) {
  BITMAP info = {};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return SIZE{0, 0};
  return SIZE{info.bmWidth, info.bmHeight};
}

}  // namespace

// ---- CDibBuffer ----

CDibBuffer::~CDibBuffer() { Release(); }

bool CDibBuffer::Create(int width, int height, int bitsPerPixel) {
  Release();
  if (width <= 0 || height <= 0) return false;
  if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24 && bitsPerPixel != 32) {
    return false;
  }
  const int palette = bitsPerPixel <= 8 ? 1 << bitsPerPixel : 0;
  const long long stride = (static_cast<long long>(width) * bitsPerPixel + 31) / 32 * 4;
  const long long total = static_cast<long long>(sizeof(BITMAPINFOHEADER)) + palette * sizeof(RGBQUAD) + stride * height;
  if (total > 256LL * 1024 * 1024) return false;
  try {
    block_.assign(static_cast<std::size_t>(total), 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  width_ = width;
  height_ = height;
  bits_ = bitsPerPixel;
  stride_ = static_cast<int>(stride);
  paletteSize_ = palette;
  pixelOffset_ = sizeof(BITMAPINFOHEADER) + palette * sizeof(RGBQUAD);
  BITMAPINFOHEADER& header = Info()->bmiHeader;
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;  // bottom-up
  header.biPlanes = 1;
  header.biBitCount = static_cast<WORD>(bitsPerPixel);
  header.biCompression = BI_RGB;
  header.biClrUsed = static_cast<DWORD>(palette);
  return true;
}

void CDibBuffer::Release() {
  block_.clear();
  block_.shrink_to_fit();
  width_ = height_ = bits_ = stride_ = paletteSize_ = 0;
  pixelOffset_ = 0;
}

void CDibBuffer::SetPaletteEntry(int index, BYTE red, BYTE green, BYTE blue) {
  if (index < 0 || index >= paletteSize_) return;
  Info()->bmiColors[index] = RGBQUAD{blue, green, red, 0};
}

RGBQUAD CDibBuffer::PaletteEntry(int index) const {
  if (index < 0 || index >= paletteSize_) return RGBQUAD{0, 0, 0, 0};
  return Info()->bmiColors[index];
}

void CDibBuffer::TintPalette(COLORREF colour, int percent) {
  const int p = std::clamp(percent, 0, 100);
  for (int i = 0; i < paletteSize_; ++i) {
    RGBQUAD& entry = Info()->bmiColors[i];
    entry.rgbRed = static_cast<BYTE>((GetRValue(colour) * p + entry.rgbRed * (100 - p)) / 100);
    entry.rgbGreen = static_cast<BYTE>((GetGValue(colour) * p + entry.rgbGreen * (100 - p)) / 100);
    entry.rgbBlue = static_cast<BYTE>((GetBValue(colour) * p + entry.rgbBlue * (100 - p)) / 100);
  }
}

BYTE* CDibBuffer::Row(int y) { return block_.data() + pixelOffset_ + static_cast<std::size_t>(height_ - 1 - y) * stride_; }

const BYTE* CDibBuffer::Row(int y) const {
  return block_.data() + pixelOffset_ + static_cast<std::size_t>(height_ - 1 - y) * stride_;
}

void CDibBuffer::SetPixel(int x, int y, DWORD value) {
  if (block_.empty() || x < 0 || y < 0 || x >= width_ || y >= height_) return;
  BYTE* row = Row(y);
  switch (bits_) {
    case 1: {
      const BYTE bit = static_cast<BYTE>(0x80 >> (x % 8));
      row[x / 8] = (value & 1) ? (row[x / 8] | bit) : (row[x / 8] & ~bit);
      break;
    }
    case 4: {
      BYTE& b = row[x / 2];
      b = (x % 2) ? ((b & 0xF0) | (value & 0x0F)) : ((b & 0x0F) | ((value & 0x0F) << 4));
      break;
    }
    case 8:
      row[x] = static_cast<BYTE>(value);
      break;
    default: {
      const int bytes = bits_ / 8;
      for (int i = 0; i < bytes; ++i) row[x * bytes + i] = static_cast<BYTE>(value >> (8 * i));
    }
  }
}

DWORD CDibBuffer::GetPixel(int x, int y) const {
  if (block_.empty() || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  const BYTE* row = Row(y);
  switch (bits_) {
    case 1:
      return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4:
      return (x % 2) ? (row[x / 2] & 0x0F) : (row[x / 2] >> 4);
    case 8:
      return row[x];
    default: {
      DWORD value = 0;
      for (int i = 0; i < bits_ / 8; ++i) value |= static_cast<DWORD>(row[x * (bits_ / 8) + i]) << (8 * i);
      return value;
    }
  }
}

void CDibBuffer::Fill(BYTE value) {
  if (!block_.empty()) std::fill(block_.begin() + static_cast<std::ptrdiff_t>(pixelOffset_), block_.end(), value);
}

void CDibBuffer::Draw(HDC dc, int x, int y) const {
  if (block_.empty()) return;
  SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(width_), static_cast<DWORD>(height_), 0, 0, 0,
                    static_cast<UINT>(height_), block_.data() + pixelOffset_, Info(), DIB_RGB_COLORS);
}

// ---- CDrawEffects: fills, borders, lines ----

void CDrawEffects::Fill(HDC dc, int effect, const RECT& rect, COLORREF start, COLORREF middle, COLORREF end,
                        int granularity, int tintPercent) {
  const zel::Rect area = ToRect(rect);
  if (effect == zel::kFillTransparent || area.IsEmpty()) return;
  if (!zel::IsTextureEffect(effect)) {
    for (const zel::FillBand& band : zel::PlanBandFill(effect, area, start, middle, end)) FillSolid(dc, band.rect, band.colour);
    return;
  }
  if (!texture_.Create(area.Width(), area.Height(), 8)) return;
  const zel::TexturePalette palette = zel::MakeTexturePalette(start, middle, end, tintPercent);
  for (int i = 0; i < 256; ++i) {
    texture_.SetPaletteEntry(i, GetRValue(palette[i]), GetGValue(palette[i]), GetBValue(palette[i]));
  }
  const auto values = zel::MakeTexture(effect, area.Width(), area.Height(), granularity, [] { return std::rand(); });
  for (int y = 0; y < area.Height(); ++y) {
    for (int x = 0; x < area.Width(); ++x) texture_.SetPixel(x, y, values[static_cast<std::size_t>(y) * area.Width() + x]);
  }
  texture_.Draw(dc, area.left, area.top);
  texture_.Release();
}

void CDrawEffects::Gradient(HDC dc, const RECT& rect, COLORREF from, COLORREF to, bool horizontal) {
  for (const zel::FillBand& band : zel::GradientBands(ToRect(rect), from, to, horizontal)) FillSolid(dc, band.rect, band.colour);
}

void CDrawEffects::BorderRect(HDC dc, const RECT& rect, COLORREF light, COLORREF dark, int style, int width) {
  if (style == 0 || width <= 0) return;
  FrameOnce(dc, rect, light, dark, style, width);
  if (style == 6) {
    RECT inner = rect;
    InflateRect(&inner, -2 * width, -2 * width);
    if (inner.right > inner.left && inner.bottom > inner.top) FrameOnce(dc, inner, light, dark, style, width);
  }
}

void CDrawEffects::Line(HDC dc, POINT from, POINT to, COLORREF colour, int style, int width) {
  if (style == 0 || width <= 0) return;
  fw::Pen pen(MakeBorderPen(style, width, colour));
  fw::ScopedSelect selected(dc, pen);
  MoveToEx(dc, from.x, from.y, nullptr);
  LineTo(dc, to.x, to.y);
  if (style == 6) {
    // The second line runs parallel, two widths away (below a horizontal rule, right of others).
    const bool horizontal = std::abs(to.x - from.x) >= std::abs(to.y - from.y);
    const int dx = horizontal ? 0 : 2 * width, dy = horizontal ? 2 * width : 0;
    MoveToEx(dc, from.x + dx, from.y + dy, nullptr);
    LineTo(dc, to.x + dx, to.y + dy);
  }
}

// ---- CDrawEffects: images ----

bool CDrawEffects::DrawPixels(HDC dc, int x, int y, int width, int height, std::vector<std::uint32_t> pixels,
                              const std::vector<BYTE>* iconMask, const ImageOptions& options) {
  if (pixels.empty()) return false;
  zel::PreparedImage image = zel::PrepareImage(std::move(pixels), width, height, options.styles, options.masked,
                                               options.maskColour, options.fillColour);
  if (iconMask) {
    // An icon's own mask: its white pixels are transparent.
    for (std::size_t i = 0; i < image.transparent.size() && i < iconMask->size(); ++i) {
      if ((*iconMask)[i]) {
        image.transparent[i] = 1;
        image.pixels[i] = 0;
      }
    }
  }
  imageHasAlpha_ = image.hasAlpha;
  const int ox = std::max(0, options.shadowX), oy = std::max(0, options.shadowY);
  const bool offset = ox > 0 || oy > 0;
  const int areaWidth = width + ox, areaHeight = height + oy;
  std::vector<std::uint32_t> area = zel::ReadDcPixels(dc, x, y, areaWidth, areaHeight);
  if (area.empty()) return false;
  auto at = [&](int px, int py) -> std::uint32_t& { return area[static_cast<std::size_t>(py) * areaWidth + px]; };

  int imageX = 0, imageY = 0;
  if (offset && options.shadow) {
    const std::vector<std::uint8_t> factors = zel::ShadowFactors(image, ox, oy, options.blurShadow);
    for (int py = 0; py < height; ++py)
      for (int px = 0; px < width; ++px)
        at(px + ox, py + oy) = zel::Shade(at(px + ox, py + oy), factors[static_cast<std::size_t>(py) * width + px]);
  } else if (offset) {
    imageX = ox;
    imageY = oy;
  }
  std::vector<std::uint32_t> under(static_cast<std::size_t>(width) * height);
  for (int py = 0; py < height; ++py)
    for (int px = 0; px < width; ++px) under[static_cast<std::size_t>(py) * width + px] = at(px + imageX, py + imageY);
  zel::CompositeOnto(image, under);
  for (int py = 0; py < height; ++py)
    for (int px = 0; px < width; ++px) at(px + imageX, py + imageY) = under[static_cast<std::size_t>(py) * width + px];
  zel::WriteDcPixels(dc, x, y, areaWidth, areaHeight, area);
  return true;
}

bool CDrawEffects::DrawBitmap(HDC dc, int x, int y, int width, int height, HBITMAP bitmap, const ImageOptions& options) {
  if (!bitmap || width <= 0 || height <= 0) return false;
  return DrawPixels(dc, x, y, width, height, zel::ReadBitmapPixels(bitmap, width, height), nullptr, options);
}

bool CDrawEffects::DrawIcon(HDC dc, int x, int y, int width, int height, HICON icon, const ImageOptions& options) {
  ICONINFO info = {};
  if (!icon || width <= 0 || height <= 0 || !GetIconInfo(icon, &info)) return false;
  fw::Bitmap colour(info.hbmColor), mask(info.hbmMask);
  std::vector<std::uint32_t> pixels;
  std::vector<BYTE> transparent;
  if (colour) {
    pixels = zel::ReadBitmapPixels(colour, width, height);
    const std::vector<std::uint32_t> maskPixels = zel::ReadBitmapPixels(mask, width, height);
    for (std::uint32_t p : maskPixels) transparent.push_back((p & 0xFFFFFF) != 0);
  } else {
    // A monochrome icon: the mask's upper half is the AND mask, the lower the image.
    const SIZE size = SizeOf(mask);
    std::vector<std::uint32_t> both = zel::ReadBitmapPixels(mask, width, height * 2);
    if (both.empty() || size.cy < 2) return false;
    transparent.reserve(static_cast<std::size_t>(width) * height);
    for (std::size_t i = 0; i < static_cast<std::size_t>(width) * height; ++i) transparent.push_back((both[i] & 0xFFFFFF) != 0);
    pixels.assign(both.begin() + static_cast<std::ptrdiff_t>(transparent.size()), both.end());
  }
  return DrawPixels(dc, x, y, width, height, std::move(pixels), &transparent, options);
}

bool CDrawEffects::DrawStripFrame(HDC dc, int x, int y, HBITMAP strip, int cx, int cy, int n, const ImageOptions& options) {
  const SIZE size = SizeOf(strip);
  zel::Rect frame;
  if (!zel::StripFrame(size.cx, size.cy, cx, cy, n, frame)) return false;
  const std::vector<std::uint32_t> whole = zel::ReadBitmapPixels(strip, size.cx, size.cy);
  if (whole.empty()) return false;
  std::vector<std::uint32_t> pixels;
  pixels.reserve(static_cast<std::size_t>(cx) * cy);
  for (int py = frame.top; py < frame.bottom; ++py)
    for (int px = frame.left; px < frame.right; ++px) pixels.push_back(whole[static_cast<std::size_t>(py) * size.cx + px]);
  return DrawPixels(dc, x, y, cx, cy, std::move(pixels), nullptr, options);
}

void CDrawEffects::Tile(HDC dc, const RECT& rect, HBITMAP bitmap) {
  const SIZE size = SizeOf(bitmap);
  if (size.cx <= 0 || size.cy <= 0) return;
  fw::MemoryDC source(dc);
  fw::ScopedSelect selected(source, bitmap);
  for (const zel::TilePiece& piece : zel::TilePieces(ToRect(rect), size.cx, size.cy)) {
    BitBlt(dc, piece.destination.left, piece.destination.top, piece.width, piece.height, source, 0, 0, SRCCOPY);
  }
}

SIZE CDrawEffects::BitmapSize(HBITMAP bitmap) { return SizeOf(bitmap); }

SIZE CDrawEffects::IconSize(HICON icon) {
  ICONINFO info = {};
  if (!icon || !GetIconInfo(icon, &info)) return SIZE{0, 0};
  fw::Bitmap colour(info.hbmColor), mask(info.hbmMask);
  SIZE size = SizeOf(mask);
  if (!colour) size.cy /= 2;  // a monochrome icon's mask holds both halves
  return size;
}

COLORREF CDrawEffects::Grey(COLORREF colour) { return zel::GreyOf(colour); }
COLORREF CDrawEffects::Invert(COLORREF colour) { return zel::InvertOf(colour); }
COLORREF CDrawEffects::Darken(COLORREF colour) { return zel::DarkenOf(colour); }
COLORREF CDrawEffects::Lighten(COLORREF colour) { return zel::LightenOf(colour); }
COLORREF CDrawEffects::Blend(COLORREF source, COLORREF destination, int alpha) {
  return zel::BlendOf(source, destination, alpha);
}
