#include "framework/scroll_view.h"

#include <algorithm>

namespace fw {

namespace {
constexpr int kLine = 16;
}

ScrollView::ScrollView() {
  Handle(WM_SIZE, &ScrollView::OnSize);
  Handle(WM_HSCROLL, &ScrollView::OnHScroll);
  Handle(WM_VSCROLL, &ScrollView::OnVScroll);
  Handle(WM_MOUSEWHEEL, &ScrollView::OnMouseWheel);
}

void ScrollView::SetScrollSizes(int width, int height) {
  total_ = {std::max(width, 0), std::max(height, 0)};
  UpdateBars();
  InvalidateRect(Handle(), nullptr, FALSE);
}

void ScrollView::UpdateBars() {
  if (!IsWindow()) return;
  // Showing one bar takes room from the other side: settle twice.
  for (int pass = 0; pass < 2; ++pass) {
    RECT client;
    GetClientRect(Handle(), &client);
    const int sizes[2] = {total_.cx, total_.cy};
    const int pages[2] = {client.right, client.bottom};
    LONG* positions[2] = {&position_.x, &position_.y};
    for (int side = 0; side < 2; ++side) {
      const int limit = std::max(sizes[side] - pages[side], 0);
      *positions[side] = std::clamp<LONG>(*positions[side], 0, limit);
      SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(sizes[side] - 1, 0),
                         static_cast<UINT>(std::max(pages[side], 0)), *positions[side], 0};
      SetScrollInfo(Handle(), side == 0 ? SB_HORZ : SB_VERT, &info, TRUE);
    }
  }
}

void ScrollView::ScrollToPosition(POINT point) {
  position_ = point;
  UpdateBars();
  InvalidateRect(Handle(), nullptr, FALSE);
}

int ScrollView::Requested(int bar, WPARAM request, int now, int page, int line) const {
  SCROLLINFO info = {sizeof info, SIF_ALL};
  GetScrollInfo(Handle(), bar, &info);
  switch (LOWORD(request)) {
    case SB_LINEUP: return now - line;
    case SB_LINEDOWN: return now + line;
    case SB_PAGEUP: return now - page;
    case SB_PAGEDOWN: return now + page;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return info.nTrackPos;
    case SB_TOP: return 0;
    case SB_BOTTOM: return info.nMax;
    default: return now;
  }
}

LRESULT ScrollView::OnSize(const Message& m) {
  UpdateBars();
  OnViewSized(LOWORD(m.lParam), HIWORD(m.lParam));
  return 0;
}

LRESULT ScrollView::OnHScroll(const Message& m) {
  RECT client;
  GetClientRect(Handle(), &client);
  ScrollToPosition({Requested(SB_HORZ, m.wParam, position_.x, client.right, kLine), position_.y});
  return 0;
}

LRESULT ScrollView::OnVScroll(const Message& m) {
  RECT client;
  GetClientRect(Handle(), &client);
  ScrollToPosition({position_.x, Requested(SB_VERT, m.wParam, position_.y, client.bottom, kLine)});
  return 0;
}

LRESULT ScrollView::OnMouseWheel(const Message& m) {
  const int notches = GET_WHEEL_DELTA_WPARAM(m.wParam) / WHEEL_DELTA;
  ScrollToPosition({position_.x, position_.y - notches * 3 * kLine});
  return 0;
}

}  // namespace fw
