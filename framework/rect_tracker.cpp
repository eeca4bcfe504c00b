#include "framework/rect_tracker.h"

#include <algorithm>

#include "framework/gdi.h"

namespace fw {

namespace {
RECT Normalised(POINT a, POINT b) {
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}
}  // namespace

int RectTracker::HitTest(POINT point) const { return !IsEmpty() && PtInRect(&rect, point) ? kInside : kOutside; }

template <class Moved>
bool RectTracker::Run(HWND window, Moved moved) {
  const RECT before = rect;
  SetCapture(window);
  WindowDC dc(window);
  DrawFocusRect(dc, &rect);
  bool done = false, cancelled = false;
  MSG msg;
  while (!done && GetCapture() == window && GetMessageA(&msg, nullptr, 0, 0)) {
    switch (msg.message) {
      case WM_MOUSEMOVE:
      case WM_LBUTTONUP: {
        POINT p = {static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
        if (msg.hwnd != window) MapWindowPoints(msg.hwnd, window, &p, 1);
        DrawFocusRect(dc, &rect);
        rect = moved(p);
        DrawFocusRect(dc, &rect);
        done = msg.message == WM_LBUTTONUP;
        break;
      }
      case WM_KEYDOWN:
        if (msg.wParam == VK_ESCAPE) done = cancelled = true;
        break;
      case WM_RBUTTONDOWN:
        done = cancelled = true;
        break;
      default:
        DispatchMessageA(&msg);
    }
  }
  if (msg.message == WM_QUIT) PostQuitMessage(static_cast<int>(msg.wParam));
  DrawFocusRect(dc, &rect);
  if (GetCapture() == window) ReleaseCapture();
  if (cancelled) rect = before;
  return !cancelled && !EqualRect(&rect, &before);
}

bool RectTracker::TrackRubberBand(HWND window, POINT start) {
  rect = {start.x, start.y, start.x, start.y};
  const bool changed = Run(window, [start](POINT p) { return Normalised(start, p); });
  if (!changed || IsEmpty()) {
    rect = {0, 0, 0, 0};
    return false;
  }
  return true;
}

bool RectTracker::Track(HWND window, POINT start) {
  const RECT from = rect;
  return Run(window, [from, start](POINT p) {
    RECT r = from;
    OffsetRect(&r, p.x - start.x, p.y - start.y);
    return r;
  });
}

void RectTracker::Draw(HDC dc) const {
  if (IsEmpty()) return;
  Pen dotted(CreatePen(PS_DOT, 1, RGB(0, 0, 0)));
  ScopedSelect pen(dc, dotted);
  ScopedSelect brush(dc, GetStockObject(NULL_BRUSH));
  const int oldMode = SetBkMode(dc, OPAQUE);
  const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
  Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
  SetBkColor(dc, oldBack);
  SetBkMode(dc, oldMode);
}

bool RectTracker::SetCursor(HWND window) const {
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(window, &p);
  if (HitTest(p) != kInside) return false;
  ::SetCursor(LoadCursor(nullptr, IDC_SIZEALL));
  return true;
}

}  // namespace fw
