// Where the preview list of the manager page draws its cells, which cell a point hits, how tall
// its content is and how it scrolls. Rows hold four cells; layout 1 shows rows of small cells
// 67 pixels apart, layouts 2 and 3 one row of large cells below the list's caption line.
#pragma once

#include <vector>

#include "client/ui/skin/skin_geometry.h"

namespace mb::manager {

constexpr int kPreviewColumns = 4;
constexpr int kPreviewLineStep = 64;  // pixels per scroll line and per wheel notch

// The thumbnail image inside a cell: 77 x 60 in layout 1, 120 x 92 otherwise.
skin::Size PreviewImageSize(int layout);

// Cell n of the page (row n / 4, column n % 4) with the content scrolled by scrollOffset.
skin::Rect PreviewCellRect(int layout, int cell, int scrollOffset);
// How many cells are drawn for that many pictures: layout 1 fills at least two rows.
int PreviewDrawnCells(int layout, int pictures);
// The first of the page's pictures whose cell holds the point, or -1.
int HitPreviewCell(int layout, int pictures, int scrollOffset, int x, int y);

// Rows of the pictures times the row height (67 in layout 1, 74 otherwise); 0 without pictures.
int PreviewContentHeight(int layout, int pictures);

enum class ScrollAction { kLineUp, kLineDown, kPageUp, kPageDown, kTrack, kNone };

// The new offset after a scroll action, kept within 0 .. contentHeight - clientHeight (0 when the
// content fits). trackPosition is the thumb's position for kTrack.
int ScrollOffsetAfter(ScrollAction action, int offset, int contentHeight, int clientHeight, int trackPosition = 0);

}  // namespace mb::manager
