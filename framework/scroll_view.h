// ScrollView: a child window whose content is larger than its client area and is scrolled by
// the window's own scroll bars and the mouse wheel. The content size is set by the owner; the
// scroll bars appear only for a side the client area cannot hold, and paint code reads the
// scroll position to offset what it draws.
#pragma once

#include <windows.h>

#include "framework/framework_api.h"
#include "framework/window.h"

namespace fw {

class FW_API ScrollView : public Window {
 public:
  ScrollView();

  // The content's size in pixels (negative taken as 0); the position is kept inside it.
  void SetScrollSizes(int width, int height);
  SIZE ScrollSizes() const { return total_; }
  POINT ScrollPosition() const { return position_; }
  // Moves the content so that point is at the client area's top left (clamped); repaints.
  void ScrollToPosition(POINT point);

 protected:
  // After the client area changed size, once the scroll bars are set for it.
  virtual void OnViewSized(int width, int height) {}

 private:
  LRESULT OnSize(const Message& m);
  LRESULT OnHScroll(const Message& m);
  LRESULT OnVScroll(const Message& m);
  LRESULT OnMouseWheel(const Message& m);
  void UpdateBars();
  // The new position along one side for a scroll-bar request.
  int Requested(int bar, WPARAM request, int now, int page, int line) const;

  SIZE total_ = {0, 0};
  POINT position_ = {0, 0};
};

}  // namespace fw
