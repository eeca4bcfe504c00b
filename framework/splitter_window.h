// SplitterWindow: a grid of panes (rows x columns) separated by bars the user can drag. Each row
// and column has an ideal size and a minimum; the last shown row and column take what is left.
// Rows and columns can be hidden (their panes are hidden, the others share the room) and shown
// again. A splitter can be a pane of another splitter.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/framework_api.h"
#include "framework/window.h"

namespace fw {

class FW_API SplitterWindow : public Window {
 public:
  static constexpr int kBar = 4;

  explicit SplitterWindow(int barWidth = kBar);
  bool Create(HWND parent, int rows, int columns, UINT id);

  void SetPane(int row, int column, HWND pane);
  HWND Pane(int row, int column) const;
  void SetColumnInfo(int column, int ideal, int minimum);
  void SetRowInfo(int row, int ideal, int minimum);
  // Sets a column's ideal width, keeping its minimum.
  void SetColumnWidth(int column, int ideal) { columns_[column].ideal = ideal; }
  int ColumnWidth(int column) const { return columns_[column].ideal; }
  int RowHeight(int row) const { return rows_[row].ideal; }

  void HideColumn(int column);
  void ShowColumn(int column);
  void HideRow(int row);
  void ShowRow(int row);
  bool IsColumnHidden(int column) const { return columns_[column].hidden; }
  bool IsRowHidden(int row) const { return rows_[row].hidden; }
  int HiddenColumnCount() const;
  int HiddenRowCount() const;

  void LayOut();
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  int RowCount() const { return static_cast<int>(rows_.size()); }

 protected:
  // Whether a press on a bar starts dragging it; by default always.
  virtual bool CanTrack() const { return true; }
  // A dragged bar was let go. track: the row or column before the bar; barEnd: the bar's right
  // (or bottom) edge in client coordinates. The layout is redone after it.
  virtual void OnTrackReleased(int track, bool columnBar, int barEnd) {}
  // Where the shown panes sit, and the bars between them, in client coordinates; crossings:
  // where a column bar meets a row bar.
  std::vector<RECT> PaneRects() const;
  void BarRects(std::vector<RECT>& bars, std::vector<RECT>& crossings) const;

 private:
  struct Track {
    int ideal = 0;
    int minimum = 0;
    bool hidden = false;
  };
  LRESULT OnSize(const Message& m);
  LRESULT OnButtonDown(const Message& m);
  LRESULT OnMouseMove(const Message& m);
  LRESULT OnButtonUp(const Message& m);
  LRESULT OnSetCursor(const Message& m);
  WindowClassSpec ClassSpec() const override;

  // The bar under point: the track before it, and whether it is a column bar; -1 when none.
  int BarAt(POINT point, bool& columnBar) const;
  // Sizes of the tracks along one axis (0 for hidden ones); the last shown one takes the rest.
  std::vector<int> Extents(const std::vector<Track>& tracks, int total) const;
  // The start of each track along one axis (hidden tracks start where the next shown one does).
  std::vector<int> Starts(const std::vector<Track>& tracks, const std::vector<int>& sizes) const;

  const int bar_;
  std::vector<Track> rows_;
  std::vector<Track> columns_;
  std::vector<HWND> panes_;
  int dragTrack_ = -1;
  bool dragColumn_ = false;
  int dragOrigin_ = 0;
  int dragStartSize_ = 0;
};

}  // namespace fw
