// CMemDC: an off-screen DC over a rectangle of a target DC. Drawing goes into a bitmap of the
// rectangle's size (filled with the target's background colour first) at the same logical
// coordinates, and the result is copied to the target when the object goes. On a printing DC
// nothing is buffered: drawing goes straight to the target.
#pragma once

#include <windows.h>

#include "uibase/win/zelbase_api.h"

class MB_ZELBASE_API CMemDC {
 public:
  // Covers the target's clip box.
  explicit CMemDC(HDC target);
  CMemDC(HDC target, const RECT& rect);
  virtual ~CMemDC();
  CMemDC(const CMemDC&) = delete;
  CMemDC& operator=(const CMemDC&) = delete;

  operator HDC() const { return dc_; }
  HDC GetSafeHdc() const { return dc_; }
  CMemDC* operator->() { return this; }
  operator CMemDC*() { return this; }
  // The covered rectangle in logical units.
  const RECT& Rect() const { return rect_; }
  bool IsBuffered() const { return buffered_; }

 protected:
  void Construct(HDC target);

 private:
  HDC target_ = nullptr;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previousBitmap_ = nullptr;
  RECT rect_ = {};
  bool buffered_ = false;
};
