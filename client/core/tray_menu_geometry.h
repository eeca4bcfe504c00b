// Where the tray menu opens: centred on the cursor with its bottom edge at the cursor, moved
// left so that it ends at the maximised window's width when it would reach beyond it, and kept
// inside the work area.
#pragma once

namespace mb {

struct MenuRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// imageWidth x imageHeight is the menu's picture; maximizedWidth is SM_CXMAXIMIZED. The right
// edge may reach maximizedWidth even where the work area ends before it.
MenuRect PlaceTrayMenu(int cursorX, int cursorY, int imageWidth, int imageHeight, int maximizedWidth,
                       const MenuRect& workArea);

}  // namespace mb
