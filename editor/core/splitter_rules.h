// How the uploader's three-column splitter sets its columns when the user lets go of a column
// bar: the folder column snaps to 58 pixels when pulled narrow and never passes 399, and the
// picture column keeps at least 300 (280 when the rest cannot give that).
#pragma once

namespace mb::editor {

struct ColumnWidths {
  int folder = 0;   // column 0
  int pictures = 0; // column 1
  int panel = 0;    // column 2
};

constexpr int kFolderSnapBelow = 70;
constexpr int kFolderSnapWidth = 58;
constexpr int kFolderMaxWidth = 399;

// The bar between the folder and picture columns was released with its right edge at barRight
// (client coordinates of the frame's view area, which spans left..right).
ColumnWidths ReleaseFolderBar(const ColumnWidths& now, int left, int right, int barRight);
// The bar between the picture and panel columns was released with its right edge at barRight.
ColumnWidths ReleasePanelBar(const ColumnWidths& now, int left, int right, int barRight);

}  // namespace mb::editor
