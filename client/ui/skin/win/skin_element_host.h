// Binds a window's SkinElementSet to the window: the owner behind the elements (repaints and
// commands as window messages), the element tables of the skin layout, the mouse messages and
// the painting through the skin engine's current scheme.
#pragma once

#include <windows.h>

#include <memory>

#include "client/ui/skin/skin_element_set.h"
#include "client/ui/skin/skin_layouts.h"

namespace mb::skin {

// The window as the elements' owner. A click's command is posted as WM_COMMAND (wParam = id,
// lParam 0); a tab asks with a sent WM_COMMAND and gets the window's answer.
class HwndSkinOwner final : public SkinOwner {
 public:
  HwndSkinOwner(HWND window, int skinLayout) : window_(window), layout_(skinLayout) {}
  int SkinLayout() const override { return layout_; }
  void Invalidate(const Rect& r, bool erase) override;
  void PostCommand(int id) override;
  long SendCommand(int id) override;

 private:
  HWND window_;
  int layout_;
};

class SkinElementHost {
 public:
  explicit SkinElementHost(int skinLayout) : layout_(skinLayout) {}
  SkinElementHost(const SkinElementHost&) = delete;
  SkinElementHost& operator=(const SkinElementHost&) = delete;

  // The window the elements belong to; called in its initialisation, before elements are added.
  void Attach(HWND window);
  SkinElementSet& Elements() { return set_; }

  // Adds the window's elements of the skin layout and lays them out once with the client size.
  void AddLayoutElements(SkinWindow window, const SkinLayoutState& state = {});
  // Lays every element out with the window's client size (after elements were added by hand).
  void LayoutElements();

  // WM_MOUSEMOVE, WM_LBUTTONDOWN and WM_LBUTTONUP go to the elements with the key flags and
  // the signed client coordinates; the answer is the hot element's id (-1 for none, and for
  // any other message).
  int OnMouseMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // Paints the elements on dc after the window's background; nothing without a skin scheme.
  void Draw(HDC dc);

 private:
  int layout_;
  HWND window_ = nullptr;
  std::unique_ptr<HwndSkinOwner> owner_;  // outlives the set, which points to it
  SkinElementSet set_;
};

}  // namespace mb::skin
