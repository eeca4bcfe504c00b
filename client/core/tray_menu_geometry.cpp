#include "client/core/tray_menu_geometry.h"

#include <algorithm>

namespace mb {

MenuRect PlaceTrayMenu(int cursorX, int cursorY, int imageWidth, int imageHeight, int maximizedWidth,
                       const MenuRect& workArea) {
  const int half = imageWidth / 2;
  int x = cursorX;
  if (x + half >= maximizedWidth) x = maximizedWidth - half;
  MenuRect r{x - half, cursorY - imageHeight, x + half, cursorY};

  const int rightLimit = std::max(workArea.right, maximizedWidth);
  if (r.right > rightLimit) r = {rightLimit - 2 * half, r.top, rightLimit, r.bottom};
  if (r.left < workArea.left) r = {workArea.left, r.top, workArea.left + 2 * half, r.bottom};
  if (r.bottom > workArea.bottom) r = {r.left, workArea.bottom - imageHeight, r.right, workArea.bottom};
  if (r.top < workArea.top) r = {r.left, workArea.top, r.right, workArea.top + imageHeight};
  return r;
}

}  // namespace mb
