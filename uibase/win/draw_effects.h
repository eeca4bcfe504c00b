// CDibBuffer and CDrawEffects: the fills, borders, lines and image drawing behind the HTML
// drawer's backgrounds, rules, table borders and image styles.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "uibase/win/zelbase_api.h"

// A palettised (1, 4 or 8 bits) or true-colour device-independent bitmap in memory: header,
// palette, bottom-up rows with a stride of ((width x bits + 31) / 32) x 4 bytes.
class MB_ZELBASE_API CDibBuffer {
 public:
  CDibBuffer() = default;
  ~CDibBuffer();
  CDibBuffer(const CDibBuffer&) = delete;
  CDibBuffer& operator=(const CDibBuffer&) = delete;

  // Releases what was there; false when the size is not positive or the memory is not there.
  bool Create(int width, int height, int bitsPerPixel);
  void Release();
  bool IsEmpty() const { return block_.empty(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int PaletteSize() const { return paletteSize_; }

  void SetPaletteEntry(int index, BYTE red, BYTE green, BYTE blue);  // ignored beyond the palette
  RGBQUAD PaletteEntry(int index) const;
  // Every entry moved percent (at most 100) of the way toward colour.
  void TintPalette(COLORREF colour, int percent);
  // The value of a palettised pixel, or the low bytes of a true-colour one; ignored outside.
  void SetPixel(int x, int y, DWORD value);
  DWORD GetPixel(int x, int y) const;
  void Fill(BYTE value);
  void Draw(HDC dc, int x, int y) const;

 private:
  BITMAPINFO* Info() { return reinterpret_cast<BITMAPINFO*>(block_.data()); }
  const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(block_.data()); }
  BYTE* Row(int y);
  const BYTE* Row(int y) const;

  std::vector<BYTE> block_;
  int width_ = 0, height_ = 0, bits_ = 0, stride_ = 0, paletteSize_ = 0;
  std::size_t pixelOffset_ = 0;
};

class MB_ZELBASE_API CDrawEffects {
 public:
  // Image style letters as flags ("g", "d", "l"; fill and invert for callers that want them).
  static constexpr DWORD kStyleGrey = 0x1;
  static constexpr DWORD kStyleDark = 0x2;
  static constexpr DWORD kStyleLight = 0x4;
  static constexpr DWORD kStyleFill = 0x8;
  static constexpr DWORD kStyleInvert = 0x8000;

  // How an image is drawn: styles, an optional transparent colour, and a shadow. With offsets
  // set, shadow draws the image's shadow at the offset (blurred or plain) under the image; without
  // shadow the image itself moves to the offset.
  struct ImageOptions {
    DWORD styles = 0;
    bool masked = false;
    COLORREF maskColour = 0x00FF00FF;
    COLORREF fillColour = 0;
    bool shadow = false;
    bool blurShadow = true;
    int shadowX = 0;
    int shadowY = 0;
  };

  CDrawEffects() = default;
  ~CDrawEffects() = default;
  CDrawEffects(const CDrawEffects&) = delete;
  CDrawEffects& operator=(const CDrawEffects&) = delete;

  // Fills rect by effect code: -1 nothing, 0 solid, 1-6 gradients, 7-15 textures, other codes
  // the start colour. Granularity is the textures' noise, tint percent their pull to the start.
  void Fill(HDC dc, int effect, const RECT& rect, COLORREF start, COLORREF middle, COLORREF end,
            int granularity = 5, int tintPercent = 5);
  // 64 bands from one colour to the other.
  static void Gradient(HDC dc, const RECT& rect, COLORREF from, COLORREF to, bool horizontal);
  // Table borders: style 0 or width 0 nothing; 1 solid, 2 dashed, 3 dotted, 6 double, other
  // styles solid. Left and top in light, right and bottom in dark.
  static void BorderRect(HDC dc, const RECT& rect, COLORREF light, COLORREF dark, int style, int width);
  // Rules, with the same pens; double draws a second line two widths further down.
  static void Line(HDC dc, POINT from, POINT to, COLORREF colour, int style, int width);

  // Draws a bitmap or icon scaled to width x height at (x, y). Returns false when there is
  // nothing to draw.
  bool DrawBitmap(HDC dc, int x, int y, int width, int height, HBITMAP bitmap, const ImageOptions& options);
  bool DrawIcon(HDC dc, int x, int y, int width, int height, HICON icon, const ImageOptions& options);
  // Frame n of a strip of cx x cy frames numbered row by row; false when n is outside the strip.
  bool DrawStripFrame(HDC dc, int x, int y, HBITMAP strip, int cx, int cy, int n, const ImageOptions& options);
  // The bitmap repeated from rect's top-left corner, clipped at the right and bottom.
  static void Tile(HDC dc, const RECT& rect, HBITMAP bitmap);

  static SIZE BitmapSize(HBITMAP bitmap);
  static SIZE IconSize(HICON icon);

  static COLORREF Grey(COLORREF colour);
  static COLORREF Invert(COLORREF colour);
  static COLORREF Darken(COLORREF colour);
  static COLORREF Lighten(COLORREF colour);
  static COLORREF Blend(COLORREF source, COLORREF destination, int alpha);

  // True when the last image drawn carried alpha.
  bool LastImageHadAlpha() const { return imageHasAlpha_; }

 private:
  bool DrawPixels(HDC dc, int x, int y, int width, int height, std::vector<std::uint32_t> pixels,
                  const std::vector<BYTE>* iconMask, const ImageOptions& options);

  CDibBuffer texture_;
  bool imageHasAlpha_ = false;
};
