#include "client/ui/manager/thumbnail_cell.h"

#include "client/ui/manager/thumbnail_strip.h"

namespace mb::manager {

Picture MakeThumbnailCell(const std::string& path, skin::Size cell, double tallRatio) {
  Picture result;
  result.Create(cell.cx, cell.cy, Rgba{255, 255, 255, 255});
  Picture picture;
  int width = 0, height = 0;
  if (!LoadThumbnail(path, cell.cx, cell.cy, picture, &width, &height)) return result;
  const skin::Rect place = FitThumbnail(width, height, cell, tallRatio);
  if (place.IsEmpty()) return result;
  if ((picture.Width() != place.Width() || picture.Height() != place.Height()) &&
      !picture.Resample(place.Width(), place.Height(), ResampleFilter::kSmooth)) {
    return result;
  }
  result.Mix(picture, place.left, place.top, MixMode::kSourceAlpha);
  return result;
}

}  // namespace mb::manager
