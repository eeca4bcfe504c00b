#include "framework/splitter_window.h"

#include <windowsx.h>

#include <algorithm>

namespace fw {

SplitterWindow::SplitterWindow(int barWidth) : bar_(barWidth) {
  Handle(WM_SIZE, &SplitterWindow::OnSize);
  Handle(WM_LBUTTONDOWN, &SplitterWindow::OnButtonDown);
  Handle(WM_MOUSEMOVE, &SplitterWindow::OnMouseMove);
  Handle(WM_LBUTTONUP, &SplitterWindow::OnButtonUp);
  Handle(WM_SETCURSOR, &SplitterWindow::OnSetCursor);
}

WindowClassSpec SplitterWindow::ClassSpec() const {
  WindowClassSpec spec;
  spec.name = "fw.Splitter";
  spec.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  return spec;
}

bool SplitterWindow::Create(HWND parent, int rows, int columns, UINT id) {
  rows_.assign(rows, Track{});
  columns_.assign(columns, Track{});
  panes_.assign(rows * columns, nullptr);
  return Window::Create(parent, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, nullptr,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id))) != nullptr;
}

void SplitterWindow::SetPane(int row, int column, HWND pane) { panes_[row * columns_.size() + column] = pane; }

HWND SplitterWindow::Pane(int row, int column) const { return panes_[row * columns_.size() + column]; }

void SplitterWindow::SetColumnInfo(int column, int ideal, int minimum) {
  columns_[column].ideal = ideal;
  columns_[column].minimum = minimum;
}

void SplitterWindow::SetRowInfo(int row, int ideal, int minimum) {
  rows_[row].ideal = ideal;
  rows_[row].minimum = minimum;
}

void SplitterWindow::HideColumn(int column) {
  columns_[column].hidden = true;
  LayOut();
}

void SplitterWindow::ShowColumn(int column) {
  columns_[column].hidden = false;
  LayOut();
}

void SplitterWindow::HideRow(int row) {
  rows_[row].hidden = true;
  LayOut();
}

void SplitterWindow::ShowRow(int row) {
  rows_[row].hidden = false;
  LayOut();
}

int SplitterWindow::HiddenColumnCount() const {
  return static_cast<int>(std::count_if(columns_.begin(), columns_.end(), [](const Track& t) { return t.hidden; }));
}

int SplitterWindow::HiddenRowCount() const {
  return static_cast<int>(std::count_if(rows_.begin(), rows_.end(), [](const Track& t) { return t.hidden; }));
}

std::vector<int> SplitterWindow::Extents(const std::vector<Track>& tracks, int total) const {
  std::vector<int> sizes(tracks.size(), 0);
  int last = -1;
  for (size_t i = 0; i < tracks.size(); ++i) {
    if (!tracks[i].hidden) last = static_cast<int>(i);
  }
  int used = 0;
  for (size_t i = 0; i < tracks.size(); ++i) {
    if (tracks[i].hidden) continue;
    if (static_cast<int>(i) == last) {
      sizes[i] = std::max(0, total - used);
    } else {
      sizes[i] = std::max(0, std::min(tracks[i].ideal, total - used));
      used += sizes[i] + bar_;
    }
  }
  return sizes;
}

std::vector<int> SplitterWindow::Starts(const std::vector<Track>& tracks, const std::vector<int>& sizes) const {
  std::vector<int> starts(tracks.size(), 0);
  int at = 0;
  for (size_t i = 0; i < tracks.size(); ++i) {
    starts[i] = at;
    if (!tracks[i].hidden) at += sizes[i] + bar_;
  }
  return starts;
}

std::vector<RECT> SplitterWindow::PaneRects() const {
  std::vector<RECT> panes;
  RECT client;
  GetClientRect(Handle(), &client);
  const std::vector<int> widths = Extents(columns_, client.right), heights = Extents(rows_, client.bottom);
  const std::vector<int> xs = Starts(columns_, widths), ys = Starts(rows_, heights);
  for (size_t r = 0; r < rows_.size(); ++r) {
    for (size_t c = 0; c < columns_.size(); ++c) {
      if (rows_[r].hidden || columns_[c].hidden) continue;
      panes.push_back({xs[c], ys[r], xs[c] + widths[c], ys[r] + heights[r]});
    }
  }
  return panes;
}

void SplitterWindow::BarRects(std::vector<RECT>& bars, std::vector<RECT>& crossings) const {
  bars.clear();
  crossings.clear();
  RECT client;
  GetClientRect(Handle(), &client);
  const std::vector<int> widths = Extents(columns_, client.right), heights = Extents(rows_, client.bottom);
  const std::vector<int> xs = Starts(columns_, widths), ys = Starts(rows_, heights);
  std::vector<int> columnBars, rowBars;  // left or top edge of each bar after a shown track
  auto collect = [&](const std::vector<Track>& tracks, const std::vector<int>& starts, const std::vector<int>& sizes,
                     std::vector<int>& out) {
    int last = -1;
    for (size_t i = 0; i < tracks.size(); ++i) {
      if (!tracks[i].hidden) last = static_cast<int>(i);
    }
    for (int i = 0; i < last; ++i) {
      if (!tracks[i].hidden) out.push_back(starts[i] + sizes[i]);
    }
  };
  collect(columns_, xs, widths, columnBars);
  collect(rows_, ys, heights, rowBars);
  for (int x : columnBars) bars.push_back({x, 0, x + bar_, client.bottom});
  for (int y : rowBars) bars.push_back({0, y, client.right, y + bar_});
  for (int x : columnBars) {
    for (int y : rowBars) crossings.push_back({x, y, x + bar_, y + bar_});
  }
}

void SplitterWindow::LayOut() {
  if (!IsWindow()) return;
  RECT client;
  GetClientRect(Handle(), &client);
  const std::vector<int> widths = Extents(columns_, client.right);
  const std::vector<int> heights = Extents(rows_, client.bottom);
  int y = 0;
  for (size_t r = 0; r < rows_.size(); ++r) {
    int x = 0;
    for (size_t c = 0; c < columns_.size(); ++c) {
      HWND pane = Pane(static_cast<int>(r), static_cast<int>(c));
      const bool shown = !rows_[r].hidden && !columns_[c].hidden;
      if (pane) {
        if (shown) MoveWindow(pane, x, y, widths[c], heights[r], TRUE);
        ShowWindow(pane, shown ? SW_SHOWNA : SW_HIDE);
      }
      if (!columns_[c].hidden) x += widths[c] + bar_;
    }
    if (!rows_[r].hidden) y += heights[r] + bar_;
  }
  InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT SplitterWindow::OnSize(const Message&) {
  LayOut();
  return 0;
}

int SplitterWindow::BarAt(POINT point, bool& columnBar) const {
  RECT client;
  GetClientRect(Handle(), &client);
  auto find = [&](const std::vector<Track>& tracks, int total, int at) {
    const std::vector<int> sizes = Extents(tracks, total);
    int edge = 0;
    for (size_t i = 0; i + 1 < tracks.size(); ++i) {
      if (tracks[i].hidden) continue;
      edge += sizes[i];
      if (at >= edge && at < edge + bar_) return static_cast<int>(i);
      edge += bar_;
    }
    return -1;
  };
  columnBar = true;
  const int column = find(columns_, client.right, point.x);
  if (column >= 0) return column;
  columnBar = false;
  return find(rows_, client.bottom, point.y);
}

LRESULT SplitterWindow::OnButtonDown(const Message& m) {
  const POINT point = {GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
  dragTrack_ = CanTrack() ? BarAt(point, dragColumn_) : -1;
  if (dragTrack_ < 0) return 0;
  dragOrigin_ = dragColumn_ ? point.x : point.y;
  dragStartSize_ = dragColumn_ ? columns_[dragTrack_].ideal : rows_[dragTrack_].ideal;
  SetCapture(Handle());
  return 0;
}

LRESULT SplitterWindow::OnMouseMove(const Message& m) {
  if (dragTrack_ < 0 || GetCapture() != Handle()) return 0;
  const int at = dragColumn_ ? GET_X_LPARAM(m.lParam) : GET_Y_LPARAM(m.lParam);
  Track& track = dragColumn_ ? columns_[dragTrack_] : rows_[dragTrack_];
  track.ideal = std::max(track.minimum, dragStartSize_ + at - dragOrigin_);
  LayOut();
  return 0;
}

LRESULT SplitterWindow::OnButtonUp(const Message&) {
  const int track = dragTrack_;
  dragTrack_ = -1;
  if (GetCapture() != Handle()) return 0;
  ReleaseCapture();
  if (track < 0) return 0;
  RECT client;
  GetClientRect(Handle(), &client);
  const std::vector<Track>& tracks = dragColumn_ ? columns_ : rows_;
  const std::vector<int> sizes = Extents(tracks, dragColumn_ ? client.right : client.bottom);
  const int barEnd = Starts(tracks, sizes)[track] + sizes[track] + bar_;
  OnTrackReleased(track, dragColumn_, barEnd);
  LayOut();
  return 0;
}

LRESULT SplitterWindow::OnSetCursor(const Message& m) {
  if (reinterpret_cast<HWND>(m.wParam) != Handle()) return CallDefault(m);
  POINT point;
  GetCursorPos(&point);
  ScreenToClient(Handle(), &point);
  bool columnBar = false;
  if (BarAt(point, columnBar) < 0) return CallDefault(m);
  SetCursor(LoadCursor(nullptr, columnBar ? IDC_SIZEWE : IDC_SIZENS));
  return TRUE;
}

}  // namespace fw
