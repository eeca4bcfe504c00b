#include "uploader/status/zel_status_bar.h"

#include "framework/module.h"
#include "uibase/win/draw_effects.h"
#include "uibase/win/mem_dc.h"
#include "uploader/status/status_resource.h"

namespace {

HFONT MakeBarFont() {
  LOGFONTA font = {};
  fw::WindowDC screen(nullptr);
  font.lfHeight = -MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72);
  font.lfCharSet = GB2312_CHARSET;
  lstrcpyA(font.lfFaceName, "宋体");
  return CreateFontIndirectA(&font);
}

HBITMAP LoadTile(UINT id) {
  return static_cast<HBITMAP>(LoadImageA(fw::Module::ResourceInstance(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
}

void FrameRectIn(HDC dc, const RECT& rect, COLORREF colour) {
  fw::Brush brush(CreateSolidBrush(colour));
  FrameRect(dc, &rect, brush);
}

}  // namespace

CZELStatusBar::CZELStatusBar() : painter_(*this) {}

CZELStatusBar::~CZELStatusBar() = default;

bool CZELStatusBar::Create(HWND parent, UINT id, int panes) {
  if (!fw::StatusBar::Create(parent, id, panes)) return false;
  font_.Reset(MakeBarFont());
  back_.Reset(LoadTile(IDB_STATUS_BACK));
  pane_.Reset(LoadTile(IDB_STATUS_PANE));
  // Children (the progress control) ask the bar for the font to write in.
  SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  return painter_.Subclass(Handle());
}

void CZELStatusBar::Paint(HDC dc, const RECT& client) const {
  CDrawEffects::Tile(dc, client, back_);
  fw::ScopedSelect font(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  for (int i = 0; i < PaneCount(); ++i) {
    RECT pane = PaneRect(i);
    if (pane.right <= pane.left) continue;
    FrameRectIn(dc, pane, kOuterFrame);
    RECT inner = pane;
    InflateRect(&inner, -1, -1);
    FrameRectIn(dc, inner, kInnerFrame);
    const RECT tiled = {pane.left + 2, pane.top + 1, pane.right - 2, pane.bottom - 1};
    if (tiled.right > tiled.left && tiled.bottom > tiled.top) CDrawEffects::Tile(dc, tiled, pane_);
    const std::string& text = StoredText(i);
    RECT place = {pane.left + 5, pane.top + 2, pane.right - 2, pane.bottom};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &place, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  }
}

CZELStatusBar::Painter::Painter(CZELStatusBar& bar) : bar_(bar) {
  Handle(WM_ERASEBKGND, &Painter::OnEraseBkgnd);
  Handle(WM_PAINT, &Painter::OnPaint);
}

// The whole bar is painted at once, off screen, in WM_PAINT.
LRESULT CZELStatusBar::Painter::OnEraseBkgnd(const fw::Message&) { return 1; }

LRESULT CZELStatusBar::Painter::OnPaint(const fw::Message&) {
  fw::PaintDC target(Handle());
  RECT client;
  GetClientRect(Handle(), &client);
  CMemDC dc(target, client);
  bar_.Paint(dc, client);
  return 0;
}
