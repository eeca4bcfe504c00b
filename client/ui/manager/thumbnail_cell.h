// A thumbnail cell of the manager page's lists: the picture fitted into a white cell of the
// given size, its aspect kept; tallRatio tells which pictures fill the height (FitThumbnail). A picture that cannot be read (missing, truncated, over the
// decoder's limits) gives a plain white cell.
#pragma once

#include <string>

#include "client/ui/skin/skin_geometry.h"
#include "image/picture.h"

namespace mb::manager {

Picture MakeThumbnailCell(const std::string& path, skin::Size cell, double tallRatio);

}  // namespace mb::manager
