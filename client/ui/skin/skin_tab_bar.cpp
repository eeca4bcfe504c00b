#include "client/ui/skin/skin_tab_bar.h"

namespace mb::skin {
namespace {

constexpr unsigned kLabelFormat = text_format::kCenter | text_format::kVCenter | text_format::kSingleLine |
                                  text_format::kEndEllipsis;

Size SizeOrZero(const SkinImages* images, const std::string& name) {
  if (!images) return {};
  return images->ImageSize(name).value_or(Size{});
}

}  // namespace

void SkinTabBar::AddTab(int id, std::string label) { tabs_.push_back({id, std::move(label), {}, {}}); }

void SkinTabBar::Layout(int kind, int cx, int cy, const SkinImages* images) {
  SkinElement::Layout(kind, cx, cy, images);
  TabStripMetrics metrics;
  metrics.normalImage = SizeOrZero(images, images_[0]);
  metrics.selectedImage = SizeOrZero(images, images_[2]);
  metrics.margin = margin_;
  metrics.leftAligned = leftAligned_;
  metrics.gap = gap_;
  const std::vector<TabRects> rects = LayoutTabStrip(CurrentRect(), static_cast<int>(tabs_.size()), metrics);
  for (std::size_t i = 0; i < tabs_.size(); ++i) {
    tabs_[i].normal = rects[i].normal;
    tabs_[i].selected = rects[i].selected;
  }
}

const Rect& SkinTabBar::TabRect(int index) const {
  const SkinTabItem& tab = tabs_[static_cast<std::size_t>(index)];
  return index == selected_ ? tab.selected : tab.normal;
}

int SkinTabBar::TabFromPoint(int x, int y) const {
  for (int i = 0; i < static_cast<int>(tabs_.size()); ++i) {
    if (TabRect(i).Contains(x, y)) return i;
  }
  return -1;
}

bool SkinTabBar::HitTest(int x, int y) const {
  if (IsHidden() || !IsEnabled()) return false;
  return TabFromPoint(x, y) >= 0;
}

void SkinTabBar::InvalidateTab(int index) {
  if (index < 0 || index >= static_cast<int>(tabs_.size()) || !Owner()) return;
  Owner()->Invalidate(TabRect(index), true);
}

void SkinTabBar::SetHotIndex(int index) {
  if (index == hot_) return;
  const int old = hot_;
  hot_ = index;
  InvalidateTab(old);
  InvalidateTab(hot_);
}

void SkinTabBar::Draw(SkinCanvas& canvas, bool, bool) const {
  if (IsHidden()) return;
  const int count = static_cast<int>(tabs_.size());
  for (int i = 0; i < count; ++i) {
    if (i == selected_) continue;
    const SkinTabItem& tab = tabs_[static_cast<std::size_t>(i)];
    canvas.DrawImage(images_[i == hot_ ? 1 : 0], tab.normal.left, tab.normal.top);
    if (!tab.label.empty()) canvas.DrawLabel(tab.label, tab.normal, kLabelFormat, normalColour_, SkinFont::kGui);
  }
  if (selected_ < 0 || selected_ >= count) return;
  const SkinTabItem& tab = tabs_[static_cast<std::size_t>(selected_)];
  canvas.DrawImage(images_[selected_ == hot_ ? 3 : 2], tab.selected.left, tab.selected.top);
  if (!tab.label.empty()) canvas.DrawLabel(tab.label, tab.selected, kLabelFormat, selectedColour_, SkinFont::kGuiBold);
}

int SkinTabBar::OnMouseMove(unsigned, int x, int y) {
  // In layouts 2 and 3 the hot tab marks the current page, so the mouse does not move it.
  if (OwnerLayout() == 1) SetHotIndex(TabFromPoint(x, y));
  return -1;
}

int SkinTabBar::OnLButtonDown(unsigned, int x, int y) {
  const int t = TabFromPoint(x, y);
  if (t < 0 || !Owner()) return -1;
  const int tabId = tabs_[static_cast<std::size_t>(t)].id;
  const int hotBefore = hot_;
  if (Owner()->SendCommand(tabId) != 0) {
    // The owner refused the page. A release handled while it answered (behind a message box)
    // may have marked the tab: it gets back the look it had.
    SetHotIndex(hotBefore);
    return kClickRefused;
  }
  InvalidateTab(selected_);
  selected_ = t;
  InvalidateTab(selected_);
  if (OwnerLayout() != 1) SetHotIndex(t);
  return -1;
}

int SkinTabBar::OnLButtonUp(unsigned, int x, int y) {
  SetHotIndex(TabFromPoint(x, y));
  return -1;
}

void SkinTabBar::SelectTab(int id) {
  int t = -1;
  for (int i = 0; i < static_cast<int>(tabs_.size()); ++i) {
    if (tabs_[static_cast<std::size_t>(i)].id == id) {
      t = i;
      break;
    }
  }
  if (t < 0) return;
  if (OwnerLayout() == 1 && t != selected_) {
    InvalidateTab(selected_);
    selected_ = t;
    InvalidateTab(selected_);
  } else {
    SetHotIndex(t);
    selected_ = t;
  }
  if (Owner()) Owner()->PostCommand(id);
}

}  // namespace mb::skin
