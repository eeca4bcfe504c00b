#include "client/ui/manager/preview_grid.h"

#include <algorithm>

namespace mb::manager {

namespace {

constexpr int kFirstRowTop = 10;

int RowHeight(int layout) { return layout == 1 ? 67 : 74; }

}  // namespace

skin::Size PreviewImageSize(int layout) { return layout == 1 ? skin::Size{77, 60} : skin::Size{120, 92}; }

skin::Rect PreviewCellRect(int layout, int cell, int scrollOffset) {
  const int column = cell % kPreviewColumns;
  const int y = kFirstRowTop - scrollOffset + cell / kPreviewColumns * RowHeight(layout);
  if (layout == 1) return {column * 84 + 3, y, column * 84 + 84, y + 64};
  const int left = column * 130 + (layout == 3 ? 10 : 14);
  const int top = y + (layout == 3 ? 36 : 22);
  return {left, top, left + 120, top + 92};
}

int PreviewDrawnCells(int layout, int pictures) {
  return layout == 1 ? std::max(pictures, 2 * kPreviewColumns) : pictures;
}

int HitPreviewCell(int layout, int pictures, int scrollOffset, int x, int y) {
  for (int cell = 0; cell < pictures; ++cell) {
    if (PreviewCellRect(layout, cell, scrollOffset).Contains(x, y)) return cell;
  }
  return -1;
}

int PreviewContentHeight(int layout, int pictures) {
  if (pictures <= 0) return 0;
  const int rows = pictures / kPreviewColumns + (pictures % kPreviewColumns != 0 ? 1 : 0);
  return rows * RowHeight(layout);
}

int ScrollOffsetAfter(ScrollAction action, int offset, int contentHeight, int clientHeight, int trackPosition) {
  const int page = clientHeight + 1;
  switch (action) {
    case ScrollAction::kLineUp: offset -= kPreviewLineStep; break;
    case ScrollAction::kLineDown: offset += kPreviewLineStep; break;
    case ScrollAction::kPageUp: offset -= page; break;
    case ScrollAction::kPageDown: offset += page; break;
    case ScrollAction::kTrack: offset = trackPosition; break;
    case ScrollAction::kNone: break;
  }
  return std::clamp(offset, 0, std::max(0, contentHeight - clientHeight));
}

}  // namespace mb::manager
