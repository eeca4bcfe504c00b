// RectTracker: a rectangle the user draws or moves with the mouse over a window: a rubber band
// from a press point, or the existing rectangle dragged by its inside. While tracking, the
// window's mouse input is captured and the rectangle is shown as an inverted focus frame; the
// call returns when the button is released (or Escape is pressed, which gives the old rectangle
// back).
#pragma once

#include <windows.h>

#include "framework/framework_api.h"

namespace fw {

class FW_API RectTracker {
 public:
  // Client coordinates of the window tracked over, always normalised (left <= right).
  RECT rect = {0, 0, 0, 0};

  enum Hit { kOutside = -1, kInside = 8 };
  int HitTest(POINT point) const;
  bool IsEmpty() const { return rect.right <= rect.left || rect.bottom <= rect.top; }

  // A new rectangle from start to where the button is let go; false when it came out empty
  // (a click) or tracking was cancelled.
  bool TrackRubberBand(HWND window, POINT start);
  // Drags the rectangle by the press point start; false when it did not move.
  bool Track(HWND window, POINT start);

  // The dotted frame of the rectangle.
  void Draw(HDC dc) const;
  // The size-all cursor over the inside; false elsewhere (the window sets its own).
  bool SetCursor(HWND window) const;

 private:
  // Runs the capture loop; moved(point) gives the rectangle for the cursor point.
  template <class Moved>
  bool Run(HWND window, Moved moved);
};

}  // namespace fw
