#include "client/ui/manager/thumbnail_strip.h"

#include <utility>

#include "common/gbk_text.h"

namespace mb::manager {

namespace {

bool InRange(int index, int count) { return index >= 0 && index < count; }

struct SlotRow {
  int top;
  int bottom;
  int width;
  int lefts[ThumbnailStrip::kVisibleSlots];
};

const SlotRow& SlotRowOf(int layout) {
  static const SlotRow kLayout1 = {2, 56, 75, {2, 79, 156, 233, 310}};
  static const SlotRow kLayout2 = {10, 100, 116, {10, 136, 262, 388, 514}};
  static const SlotRow kLayout3 = {9, 99, 116, {9, 134, 259, 384, 509}};
  if (layout == 1) return kLayout1;
  return layout == 3 ? kLayout3 : kLayout2;
}

}  // namespace

bool ThumbnailStrip::Add(const std::string& path) {
  if (path.empty() || IndexOf(path) >= 0) return false;
  paths_.push_back(path);
  return true;
}

bool ThumbnailStrip::RemoveAt(int index) {
  if (!InRange(index, Count())) return false;
  paths_.erase(paths_.begin() + index);
  if (firstVisible_ >= Count()) firstVisible_ = Count() > 0 ? Count() - 1 : 0;
  return true;
}

int ThumbnailStrip::RemoveFolderPictures(std::string_view folder) {
  std::string prefix(folder);
  if (!GbkEndsWith(prefix, '\\')) prefix += '\\';
  int removed = 0;
  for (int index = Count() - 1; index >= 0; --index) {
    if (GbkStartsWithNoCase(paths_[index], prefix)) {
      RemoveAt(index);
      ++removed;
    }
  }
  return removed;
}

bool ThumbnailStrip::RemovePath(std::string_view path) { return RemoveAt(IndexOf(path)); }

bool ThumbnailStrip::MoveEarlier(int index) {
  if (!InRange(index, Count()) || index == 0) return false;
  std::swap(paths_[index], paths_[index - 1]);
  return true;
}

bool ThumbnailStrip::MoveLater(int index) {
  if (!InRange(index, Count() - 1)) return false;
  std::swap(paths_[index], paths_[index + 1]);
  return true;
}

bool ThumbnailStrip::ScrollForward() {
  if (paths_.empty() || firstVisible_ >= Count() - 1) return false;
  ++firstVisible_;
  return true;
}

bool ThumbnailStrip::ScrollBack() {
  if (firstVisible_ <= 0) return false;
  --firstVisible_;
  return true;
}

int ThumbnailStrip::ItemAtSlot(int slot) const {
  if (!InRange(slot, kVisibleSlots)) return -1;
  const int index = firstVisible_ + slot;
  return InRange(index, Count()) ? index : -1;
}

std::string ThumbnailStrip::PathAt(int index) const {
  return InRange(index, Count()) ? paths_[index] : std::string();
}

int ThumbnailStrip::IndexOf(std::string_view path) const {
  for (int index = 0; index < Count(); ++index) {
    if (GbkEqualsNoCase(paths_[index], path)) return index;
  }
  return -1;
}

skin::Size StripCellSize(int layout) { return layout == 1 ? skin::Size{71, 50} : skin::Size{116, 90}; }

double CellRatio(skin::Size cell) { return cell.cx > 0 ? static_cast<double>(cell.cy) / cell.cx : 0.0; }

skin::Rect FitThumbnail(int width, int height, skin::Size cell, double tallRatio) {
  if (width <= 0 || height <= 0) return {};
  const double ratio = static_cast<double>(height) / width;
  if (ratio > tallRatio) {
    const int drawnWidth = static_cast<int>(cell.cy / ratio);
    return skin::RectFromSize((cell.cx - drawnWidth) / 2, 0, drawnWidth, cell.cy);
  }
  const int drawnHeight = static_cast<int>(ratio * cell.cx);
  return skin::RectFromSize(0, (cell.cy - drawnHeight) / 2, cell.cx, drawnHeight);
}

skin::Rect StripSlotRect(int layout, int slot) {
  if (!InRange(slot, ThumbnailStrip::kVisibleSlots)) return {};
  const SlotRow& row = SlotRowOf(layout);
  return {row.lefts[slot], row.top, row.lefts[slot] + row.width, row.bottom};
}

skin::Rect DrawnStripSlotRect(int layout, int slot) {
  const skin::Rect slotRect = StripSlotRect(layout, slot);
  if (layout == 2) return slotRect.Offset(19, 26);
  if (layout == 3) return slotRect.Offset(22, 38);
  return slotRect;
}

int HitStripSlot(int layout, int x, int y) {
  for (int slot = 0; slot < ThumbnailStrip::kVisibleSlots; ++slot) {
    if (DrawnStripSlotRect(layout, slot).Contains(x, y)) return slot;
  }
  return -1;
}

bool IsStripDoubleClickIgnored(int layout, int x, int y) {
  if (layout == 1) return false;
  return skin::Rect{0, 0, 30, 140}.Contains(x, y) || skin::Rect{647, 0, 675, 140}.Contains(x, y) ||
         skin::Rect{0, 0, 675, 31}.Contains(x, y);
}

unsigned StripMarkAt(int layout, int x, int y) {
  const bool third = layout == 3;
  if (skin::Rect{574, 8, 613, 26}.Contains(x, y)) return 0x46D;
  if ((third ? skin::Rect{80, 15, 95, 28} : skin::Rect{70, 3, 82, 18}).Contains(x, y)) return 0x46B;
  if ((third ? skin::Rect{188, 15, 202, 28} : skin::Rect{179, 3, 191, 15}).Contains(x, y)) return 0x46C;
  return 0;
}

}  // namespace mb::manager
