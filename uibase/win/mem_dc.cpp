#include "uibase/win/mem_dc.h"

CMemDC::CMemDC(HDC target) {
  if (target) GetClipBox(target, &rect_);
  Construct(target);
}

CMemDC::CMemDC(HDC target, const RECT& rect) : rect_(rect) { Construct(target); }

void CMemDC::Construct(HDC target) {
  target_ = target;
  buffered_ = target && GetDeviceCaps(target, TECHNOLOGY) != DT_RASPRINTER;
  if (!buffered_) {
    dc_ = target;  // shared, never deleted here
    return;
  }
  dc_ = CreateCompatibleDC(target);
  RECT device = rect_;
  LPtoDP(target, reinterpret_cast<POINT*>(&device), 2);
  // At least one pixel, so an empty rectangle still gives a working DC; nothing is copied back.
  const int width = device.right - device.left > 0 ? device.right - device.left : 1;
  const int height = device.bottom - device.top > 0 ? device.bottom - device.top : 1;
  bitmap_ = CreateCompatibleBitmap(target, width, height);
  previousBitmap_ = SelectObject(dc_, bitmap_);
  SetMapMode(dc_, GetMapMode(target));
  SIZE extent;
  GetWindowExtEx(target, &extent);
  SetWindowExtEx(dc_, extent.cx, extent.cy, nullptr);
  GetViewportExtEx(target, &extent);
  SetViewportExtEx(dc_, extent.cx, extent.cy, nullptr);
  DPtoLP(target, reinterpret_cast<POINT*>(&device), 2);
  rect_ = device;
  SetWindowOrgEx(dc_, rect_.left, rect_.top, nullptr);
  const HBRUSH background = CreateSolidBrush(GetBkColor(target));
  FillRect(dc_, &rect_, background);
  DeleteObject(background);
}

CMemDC::~CMemDC() {
  if (!buffered_) return;
  const int width = rect_.right - rect_.left, height = rect_.bottom - rect_.top;
  if (width > 0 && height > 0) {
    BitBlt(target_, rect_.left, rect_.top, width, height, dc_, rect_.left, rect_.top, SRCCOPY);
  }
  SelectObject(dc_, previousBitmap_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}
