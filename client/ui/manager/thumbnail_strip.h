// The selected-wallpaper strip ("已选壁纸") of the wallpaper manager page, without windows: the
// ordered pictures (the carousel's order), the first one shown, the moves of its menu, the fit of
// a picture into a thumbnail cell and where each layout draws and hits its five slots.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "client/ui/skin/skin_geometry.h"

namespace mb::manager {

class ThumbnailStrip {
 public:
  static constexpr int kVisibleSlots = 5;

  // False for a path already in the strip (GBK-aware, any letter case); the caller has checked
  // that the file exists and is a picture.
  bool Add(const std::string& path);
  // False for an index outside the strip. The first shown index stays within the strip.
  bool RemoveAt(int index);
  // Removes every picture inside the folder (its path begins with folder + "\\", any case) and
  // returns how many went.
  int RemoveFolderPictures(std::string_view folder);
  // Removes the picture of exactly that path (any case); false when it was not there.
  bool RemovePath(std::string_view path);
  // The picture swaps with the one before / after it; false when there is none to swap with.
  bool MoveEarlier(int index);
  bool MoveLater(int index);

  bool ScrollForward();
  bool ScrollBack();
  int FirstVisible() const { return firstVisible_; }
  // The picture index slot s shows, or -1 for an empty slot.
  int ItemAtSlot(int slot) const;

  int Count() const { return static_cast<int>(paths_.size()); }
  std::string PathAt(int index) const;
  const std::vector<std::string>& Paths() const { return paths_; }
  int IndexOf(std::string_view path) const;

 private:
  std::vector<std::string> paths_;
  int firstVisible_ = 0;
};

// Cell of a thumbnail: 71 x 50 in layout 1, 116 x 90 otherwise.
skin::Size StripCellSize(int layout);

// The height-to-width ratio above which a picture counts as tall: the strip compares with 50/71 in
// every layout; the preview list's cells use their own ratio.
constexpr double kStripFitRatio = 50.0 / 71.0;
double CellRatio(skin::Size cell);

// Where a width x height picture lands in a cell: a picture taller than tallRatio gets the full
// cell height and is centred across, any other the full width, centred down. An invalid picture
// (no width or height) gives an empty rectangle: the cell stays white.
skin::Rect FitThumbnail(int width, int height, skin::Size cell, double tallRatio);

// Slot s as the strip's own window lays it out, and as it is drawn (moved by (19, 26) in layout
// 2 and (22, 38) in layout 3). Clicks are tested against the drawn slots.
skin::Rect StripSlotRect(int layout, int slot);
skin::Rect DrawnStripSlotRect(int layout, int slot);
// The slot under the point, or -1.
int HitStripSlot(int layout, int x, int y);
// Layouts 2 and 3: the arrows and the label row, where a double click removes nothing.
bool IsStripDoubleClickIgnored(int layout, int x, int y);

// Marks of the strip: carousel on (0x46B), off (0x46C) and apply (0x46D); 0 elsewhere.
unsigned StripMarkAt(int layout, int x, int y);

}  // namespace mb::manager
