#include "framework/splitter_window.h"

#include <windowsx.h>

#include <algorithm>

namespace fw {

SplitterWindow::SplitterWindow() {
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

std::vector<int> SplitterWindow::Extents(const std::vector<Track>& tracks, int total) {
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
      used += sizes[i] + kBar;
    }
  }
  return sizes;
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
      if (!columns_[c].hidden) x += widths[c] + kBar;
    }
    if (!rows_[r].hidden) y += heights[r] + kBar;
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
      if (at >= edge && at < edge + kBar) return static_cast<int>(i);
      edge += kBar;
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
  dragTrack_ = BarAt(point, dragColumn_);
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
  dragTrack_ = -1;
  if (GetCapture() == Handle()) ReleaseCapture();
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
