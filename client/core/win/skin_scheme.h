// The interface of the skin engine's current scheme object, as the client calls it. The slots are
// fixed: the engine (skin.dll) lays out its object's table in exactly this order. Images with
// transparent pixels are drawn see-through when the raster operation is SRCCOPY. Image names
// are matched without regard to case; a drawing call with an unknown name draws nothing and
// fails.
#pragma once

#include <windows.h>

namespace mb {

struct ISkinScheme {
  // Slots 0-2.
  virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) = 0;
  virtual ULONG STDMETHODCALLTYPE AddRef() = 0;
  virtual ULONG STDMETHODCALLTYPE Release() = 0;
  // Slot 3: not used by the client.
  virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
  // Slot 4: draws a named image at its natural size with its top-left corner at (x, y).
  virtual HRESULT STDMETHODCALLTYPE DrawImageAt(HDC dc, LPCSTR name, int x, int y) = 0;
  // Slot 5: draws a named image into (x, y, width, height); 0 width and height mean its natural size.
  virtual HRESULT STDMETHODCALLTYPE DrawImage(HDC dc, LPCSTR name, int x, int y, int width, int height,
                                              DWORD rop) = 0;
  // Slot 6: draws a part of a named image (source x, y, width, height, which must lie inside the
  // image) at (x, y); unscaled when the sizes are equal, as the client always passes them.
  virtual HRESULT STDMETHODCALLTYPE DrawImagePart(HDC dc, LPCSTR name, int x, int y, int width, int height,
                                                  int srcX, int srcY, int srcWidth, int srcHeight) = 0;
  // Slot 7: stretches a part of a named image into a destination rectangle.
  virtual HRESULT STDMETHODCALLTYPE StretchImagePart(HDC dc, LPCSTR name, const RECT* dest, const RECT* src,
                                                     DWORD rop) = 0;
  // Slots 8-11: not used by the client.
  virtual HRESULT STDMETHODCALLTYPE Reserved8() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved9() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved10() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved11() = 0;
  // Slot 12: the rectangle of a named image with left and top 0: its size. Windows size
  // themselves to their background image with it.
  virtual HRESULT STDMETHODCALLTYPE GetImageRect(RECT* rect, LPCSTR name) = 0;
  // Slot 13: the same measure for the skin elements, which lay out and slice their images by it.
  virtual HRESULT STDMETHODCALLTYPE MeasureImage(RECT* rect, LPCSTR name) = 0;
  // Slot 14: a new region of a named image's opaque part; the caller owns it.
  virtual HRGN STDMETHODCALLTYPE GetImageRegion(LPCSTR name) = 0;
};

}  // namespace mb
