#include "editor/win/watermark_float_wnd.h"

#include "framework/gdi.h"
#include "image/win/picture_gdi.h"

WatermarkFloatWnd::WatermarkFloatWnd() {
  Handle(WM_NCHITTEST, &WatermarkFloatWnd::OnHitTest);
  Handle(WM_PAINT, &WatermarkFloatWnd::OnPaint);
  Handle(WM_WINDOWPOSCHANGING, &WatermarkFloatWnd::OnPositionChanging);
  Handle(WM_ERASEBKGND, &WatermarkFloatWnd::OnEraseBackground);
}

fw::WindowClassSpec WatermarkFloatWnd::ClassSpec() const {
  fw::WindowClassSpec spec;
  spec.name = "Hoistly.WatermarkFloat";
  spec.cursor = LoadCursor(nullptr, IDC_SIZEALL);
  spec.background = nullptr;
  return spec;
}

bool WatermarkFloatWnd::Show(HWND canvas, const mb::Picture& picture, POINT at, SIZE size, POINT corner, SIZE drawn) {
  picture_ = picture;
  corner_ = corner;
  drawn_ = drawn;
  if (!IsWindow()) {
    const RECT rect = {at.x, at.y, at.x + size.cx, at.y + size.cy};
    if (!Create(canvas, "", WS_CHILD | WS_CLIPSIBLINGS, 0, &rect,
                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kControlId)))) {
      return false;
    }
  }
  SetWindowPos(Handle(), HWND_TOP, at.x, at.y, size.cx, size.cy, SWP_SHOWWINDOW);
  InvalidateRect(Handle(), nullptr, FALSE);
  return true;
}

void WatermarkFloatWnd::Hide() {
  if (IsWindow()) ShowWindow(Handle(), SW_HIDE);
  picture_.Clear();
}

mb::editor::Point WatermarkFloatWnd::PositionInPicture() const {
  RECT rect;
  GetWindowRect(Handle(), &rect);
  MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left - corner_.x, rect.top - corner_.y};
}

void WatermarkFloatWnd::SetBounds(POINT corner, SIZE drawn) {
  corner_ = corner;
  drawn_ = drawn;
  if (!IsShown()) return;
  RECT rect;
  GetWindowRect(Handle(), &rect);
  MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&rect), 2);
  SetWindowPos(Handle(), nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

LRESULT WatermarkFloatWnd::OnHitTest(const fw::Message&) { return HTCAPTION; }

LRESULT WatermarkFloatWnd::OnPositionChanging(const fw::Message& m) {
  auto* pos = reinterpret_cast<WINDOWPOS*>(m.lParam);
  if (pos->flags & SWP_NOMOVE) return 0;
  RECT now;
  GetWindowRect(Handle(), &now);
  const int width = (pos->flags & SWP_NOSIZE) ? now.right - now.left : pos->cx;
  const int height = (pos->flags & SWP_NOSIZE) ? now.bottom - now.top : pos->cy;
  const mb::PixelRect kept = mb::editor::ClampFloatWindow({pos->x, pos->y, pos->x + width, pos->y + height},
                                                          {corner_.x, corner_.y}, drawn_.cx, drawn_.cy);
  pos->x = kept.left;
  pos->y = kept.top;
  return 0;
}

LRESULT WatermarkFloatWnd::OnPaint(const fw::Message&) {
  fw::PaintDC dc(Handle());
  RECT client;
  GetClientRect(Handle(), &client);
  // What lies under the window is the canvas: let it paint there first, then the mark over it.
  HWND canvas = GetParent(Handle());
  POINT origin = {0, 0};
  MapWindowPoints(Handle(), canvas, &origin, 1);
  const int saved = SaveDC(dc);
  SetViewportOrgEx(dc, -origin.x, -origin.y, nullptr);
  SendMessageA(canvas, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(static_cast<HDC>(dc)), PRF_CLIENT);
  RestoreDC(dc, saved);
  mb::DrawPicture(dc, picture_, 0, 0, client.right, client.bottom);
  fw::ScopedSelect noFill(dc, GetStockObject(NULL_BRUSH));
  fw::Pen white(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
  {
    fw::ScopedSelect pen(dc, white);
    Rectangle(dc, 0, 0, client.right, client.bottom);
  }
  fw::Pen dotted(CreatePen(PS_DOT, 1, RGB(0, 0, 0)));
  fw::ScopedSelect pen(dc, dotted);
  SetBkMode(dc, TRANSPARENT);
  Rectangle(dc, 1, 1, client.right - 1, client.bottom - 1);
  return 0;
}
