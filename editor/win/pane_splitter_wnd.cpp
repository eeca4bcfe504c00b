#include "editor/win/pane_splitter_wnd.h"

#include <vector>

#include "conf/win/config.h"
#include "editor/core/splitter_rules.h"

namespace mb::editor {

namespace {

void FillWith(HDC dc, const RECT& rect, COLORREF colour) {
  SetBkColor(dc, colour);
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void FrameWith(HDC dc, RECT rect, int outset, COLORREF colour) {
  InflateRect(&rect, outset, outset);
  FillWith(dc, {rect.left, rect.top, rect.right, rect.top + 1}, colour);
  FillWith(dc, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, colour);
  FillWith(dc, {rect.left, rect.top, rect.left + 1, rect.bottom}, colour);
  FillWith(dc, {rect.right - 1, rect.top, rect.right, rect.bottom}, colour);
}

}  // namespace

PaneSplitterWnd::PaneSplitterWnd() : SplitterWindow(kBarWidth) {
  Handle(WM_PAINT, &PaneSplitterWnd::OnPaint);
  Handle(WM_ERASEBKGND, &PaneSplitterWnd::OnEraseBackground);
}

bool PaneSplitterWnd::CanTrack() const {
  const CConfig* config = CConfig::GetConfig();
  return !(config && config->GetFullScreenEdit());
}

void PaneSplitterWnd::OnTrackReleased(int track, bool columnBar, int barEnd) {
  if (!columnBar || ColumnCount() != 3 || HiddenColumnCount() != 0) return;
  RECT client;
  GetClientRect(Handle(), &client);
  const ColumnWidths now{ColumnWidth(0), ColumnWidth(1), ColumnWidth(2)};
  const ColumnWidths next = track == 0 ? ReleaseFolderBar(now, client.left, client.right, barEnd)
                                       : ReleasePanelBar(now, client.left, client.right, barEnd);
  SetColumnWidth(0, next.folder);
  SetColumnWidth(1, next.pictures);
  SetColumnWidth(2, next.panel);
}

LRESULT PaneSplitterWnd::OnPaint(const fw::Message&) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  std::vector<RECT> bars, crossings;
  BarRects(bars, crossings);
  for (const RECT& bar : bars) FillWith(dc, bar, kBarColour);
  for (const RECT& crossing : crossings) FillWith(dc, crossing, kCrossingColour);
  for (const RECT& pane : PaneRects()) {
    FrameWith(dc, pane, 2, kOuterBorder);
    FrameWith(dc, pane, 1, kInnerBorder);
  }
  EndPaint(Handle(), &paint);
  return 0;
}

}  // namespace mb::editor
