// A strip of tabs drawn from four skin images. A click on a tab asks the owner (a sent
// WM_COMMAND with the tab's id) and selects the tab only when the owner answers 0.
#pragma once

#include <string>
#include <vector>

#include "client/ui/skin/skin_element.h"

namespace mb::skin {

struct SkinTabItem {
  int id = 0;
  std::string label;
  Rect normal;    // computed by Layout
  Rect selected;  // computed by Layout
};

class SkinTabBar : public SkinElement {
 public:
  // Images in order: normal, hot, selected, selected-hot.
  using TabImages = std::array<std::string, 4>;

  using SkinElement::SkinElement;

  void Draw(SkinCanvas& canvas, bool isHot, bool isPressed) const override;
  int OnMouseMove(unsigned flags, int x, int y) override;
  int OnLButtonUp(unsigned flags, int x, int y) override;
  int OnLButtonDown(unsigned flags, int x, int y) override;
  void Layout(int kind, int cx, int cy, const SkinImages* images) override;
  bool HitTest(int x, int y) const override;

  void AddTab(int id, std::string label);
  // Selects a tab without asking the owner, then posts its command; unknown ids do nothing.
  void SelectTab(int id);
  // Index of the tab under the point (the selected tab by its selected rectangle), or -1.
  int TabFromPoint(int x, int y) const;

  void SetImages(TabImages images) { images_ = std::move(images); }
  void SetMargin(int margin) { margin_ = margin; }
  void SetLeftAligned(bool leftAligned) { leftAligned_ = leftAligned; }
  void SetGap(int gap) { gap_ = gap; }
  void SetTextColours(Colour normal, Colour selected) {
    normalColour_ = normal;
    selectedColour_ = selected;
  }

  const std::vector<SkinTabItem>& Tabs() const { return tabs_; }
  int SelectedIndex() const { return selected_; }
  int HotIndex() const { return hot_; }

 private:
  const Rect& TabRect(int index) const;
  void InvalidateTab(int index);
  void SetHotIndex(int index);

  std::vector<SkinTabItem> tabs_;
  TabImages images_;
  int selected_ = 0;
  int hot_ = -1;
  int margin_ = 30;
  bool leftAligned_ = false;
  int gap_ = 2;
  Colour normalColour_ = 0;
  Colour selectedColour_ = 0;
};

}  // namespace mb::skin
