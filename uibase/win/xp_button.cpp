#include "uibase/win/xp_button.h"

#include <commctrl.h>

#include "framework/gdi.h"
#include "uibase/core/button_logic.h"

namespace {

void RoundFrame(HDC dc, const RECT& rect, COLORREF colour, int corner) {
  fw::Pen pen(CreatePen(PS_SOLID, 1, colour));
  fw::ScopedSelect selectedPen(dc, pen);
  fw::ScopedSelect selectedBrush(dc, GetStockObject(NULL_BRUSH));
  RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, corner, corner);
}

void Frame3D(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
  fw::Brush light(CreateSolidBrush(topLeft)), dark(CreateSolidBrush(bottomRight));
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return;
  RECT edge{r.left, r.top, r.right - 1, r.top + 1};
  FillRect(dc, &edge, light);
  edge = {r.left, r.top, r.left + 1, r.bottom - 1};
  FillRect(dc, &edge, light);
  edge = {r.right - 1, r.top, r.right, r.bottom};
  FillRect(dc, &edge, dark);
  edge = {r.left, r.bottom - 1, r.right, r.bottom};
  FillRect(dc, &edge, dark);
}

}  // namespace

CXPButton::CXPButton() {
  Handle(WM_MOUSEMOVE, &CXPButton::OnMouseMove);
  Handle(WM_MOUSELEAVE, &CXPButton::OnMouseLeave);
}

CXPButton::~CXPButton() = default;

void CXPButton::PreSubclassWindow() {
  const LONG style = GetWindowLongA(Handle(), GWL_STYLE);
  Send(BM_SETSTYLE, (style & 0xFF) | BS_OWNERDRAW, TRUE);
}

LRESULT CXPButton::OnMouseMove(const fw::Message& message) {
  if (!hovering_) {
    hovering_ = true;
    Invalidate(true);
    TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, Handle(), HOVER_DEFAULT};
    TrackMouseEvent(&track);
  }
  return CallDefault(message);
}

LRESULT CXPButton::OnMouseLeave(const fw::Message&) {
  hovering_ = false;
  Invalidate(true);
  return 0;
}

void CXPButton::DrawFace(COLORREF top, COLORREF bottom, const RECT& area, const RECT& span, HDC dc) const {
  const auto lines = zel::FaceLineColours(top, bottom, span.bottom - span.top, area.bottom - area.top);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    fw::Pen pen(CreatePen(PS_SOLID, 1, lines[i]));
    fw::ScopedSelect selected(dc, pen);
    const int y = area.top + static_cast<int>(i);
    MoveToEx(dc, area.left, y, nullptr);
    LineTo(dc, area.right, y);
  }
}

void CXPButton::DrawFrame(COLORREF light, COLORREF dark, COLORREF frame, RECT& rect, HDC dc) const {
  RoundFrame(dc, rect, frame, 3);
  InflateRect(&rect, -1, -1);
  Frame3D(dc, rect, light, dark);
}

void CXPButton::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  SetBkMode(dc, TRANSPARENT);
  char text[256] = {};
  GetWindowTextA(Handle(), text, sizeof text);
  RECT r = item.rcItem;
  COLORREF textColour;
  if (item.itemState & ODS_SELECTED) {
    hovering_ = false;
    DrawFace(normalBottom_, normalTop_, r, r, dc);
    DrawFrame(edgeDark_, edgeDark_, frame_, r, dc);
    textColour = selectText_;
  } else {
    DrawFace(normalTop_, normalBottom_, r, r, dc);
    DrawFrame(edgeLight_, edgeDark_, frame_, r, dc);
    textColour = normalText_;
  }
  if (hovering_) {
    const RECT outer = r;  // the item rectangle moved in by one pixel
    RECT inner = outer;
    InflateRect(&inner, -1, -1);
    DrawFace(zel::HoverTopColour(active_), active_, outer, outer, dc);
    DrawFace(normalTop_, normalBottom_, inner, outer, dc);
    RECT around = outer;
    InflateRect(&around, 1, 1);
    RoundFrame(dc, around, frame_, 1);
    textColour = activeText_;
  }
  SetTextColor(dc, textColour);
  RECT textRect = item.rcItem;
  DrawTextA(dc, text, -1, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
