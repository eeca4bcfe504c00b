#include "uibase/win/dib_pixels.h"

#include <algorithm>
#include <cstring>

#include "framework/gdi.h"

namespace zel {

namespace {

// A top-down 32-bit DIB section selected into a memory DC for the object's life.
class PixelSurface {
 public:
  PixelSurface(int width, int height) : dc_(nullptr), count_(static_cast<std::size_t>(width) * height) {
    if (width <= 0 || height <= 0) return;
    BITMAPINFO info = fw::TopDownDibInfo(width, height, 32);
    section_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    if (section_) select_ = SelectObject(dc_, section_);
  }
  ~PixelSurface() {
    if (select_) SelectObject(dc_, select_);
  }
  PixelSurface(const PixelSurface&) = delete;
  PixelSurface& operator=(const PixelSurface&) = delete;

  bool Ready() const { return bits_ != nullptr && select_ != nullptr; }
  HDC Dc() const { return dc_; }
  std::vector<std::uint32_t> Pixels() const {
    GdiFlush();
    const std::uint32_t* p = static_cast<const std::uint32_t*>(bits_);
    return std::vector<std::uint32_t>(p, p + count_);
  }
  void SetPixels(const std::vector<std::uint32_t>& pixels) {
    GdiFlush();
    std::memcpy(bits_, pixels.data(), std::min(pixels.size(), count_) * sizeof(std::uint32_t));
  }

 private:
  fw::MemoryDC dc_;
  std::size_t count_;
  fw::Bitmap section_;
  void* bits_ = nullptr;
  HGDIOBJ select_ = nullptr;
};

}  // namespace

std::vector<std::uint32_t> ReadBitmapPixels(HBITMAP bitmap, int width, int height) {
  BITMAP info = {};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return {};
  PixelSurface surface(width, height);
  if (!surface.Ready()) return {};
  fw::MemoryDC source(nullptr);
  fw::ScopedSelect selected(source, bitmap);
  SetStretchBltMode(surface.Dc(), COLORONCOLOR);
  StretchBlt(surface.Dc(), 0, 0, width, height, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
  return surface.Pixels();
}

std::vector<std::uint32_t> ReadDcPixels(HDC dc, int x, int y, int width, int height) {
  PixelSurface surface(width, height);
  if (!surface.Ready()) return {};
  BitBlt(surface.Dc(), 0, 0, width, height, dc, x, y, SRCCOPY);
  return surface.Pixels();
}

void WriteDcPixels(HDC dc, int x, int y, int width, int height, const std::vector<std::uint32_t>& pixels) {
  PixelSurface surface(width, height);
  if (!surface.Ready()) return;
  surface.SetPixels(pixels);
  BitBlt(dc, x, y, width, height, surface.Dc(), 0, 0, SRCCOPY);
}

}  // namespace zel
