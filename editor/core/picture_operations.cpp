#include "editor/core/picture_operations.h"

#include <algorithm>
#include <utility>

namespace mb::editor {

bool ApplyRotateChoice(Picture& picture, int choice) {
  switch (choice) {
    case kChoiceTopToBottom:
      picture.Flip();
      return true;
    case kChoiceLeftToRight:
      picture.Mirror();
      return true;
    case kChoiceRotate90:
      return picture.Rotate(90.0);
    case kChoiceRotate180:
      return picture.Rotate(180.0);
    case kChoiceRotate270:
      return picture.Rotate(270.0);
    default:
      return false;
  }
}

bool ApplyFrame(Picture& picture, const Picture& frame) {
  if (!picture.IsValid() || !frame.IsValid()) return false;
  Picture stretched = frame;
  if (!stretched.Resample(picture.Width(), picture.Height(), ResampleFilter::kSmooth)) return false;
  stretched.AlphaDelete();
  picture.Mix(stretched, 0, 0, MixMode::kSkipBlack);
  return true;
}

void SetMarkOpacity(Picture& mark, std::uint8_t opacity) {
  if (!mark.HasAlpha()) {
    mark.AlphaFill(opacity);
    return;
  }
  PictureData data = mark.Data();
  for (std::uint8_t& a : data.alpha) a = static_cast<std::uint8_t>(a * opacity / 255);
  mark.Adopt(std::move(data));
}

Picture ShrinkForScreen(const Picture& picture, int width, int height) {
  Picture out;
  if (!picture.IsValid() || width <= 0 || height <= 0) return out;
  const PictureData& from = picture.Data();
  PictureData data;
  data.width = width;
  data.height = height;
  data.bitsPerPixel = from.bitsPerPixel;
  data.palette = from.palette;
  data.transIndex = from.transIndex;
  data.transColor = from.transColor;
  data.format = from.format;
  data.frameCount = from.frameCount;
  const std::size_t bytes = static_cast<std::size_t>(from.bitsPerPixel / 8);
  data.pixels.resize(data.Stride() * height);
  if (!from.alpha.empty()) data.alpha.resize(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const int sy = static_cast<int>(static_cast<long long>(y) * from.height / height);
    for (int x = 0; x < width; ++x) {
      const int sx = static_cast<int>(static_cast<long long>(x) * from.width / width);
      const std::size_t source = static_cast<std::size_t>(sy) * from.width + sx;
      std::copy_n(&from.pixels[source * bytes], bytes, &data.pixels[(static_cast<std::size_t>(y) * width + x) * bytes]);
      if (!from.alpha.empty()) data.alpha[static_cast<std::size_t>(y) * width + x] = from.alpha[source];
    }
  }
  out.Adopt(std::move(data));
  return out;
}

bool WouldLoseFrames(const Picture& picture) {
  return picture.Format() == PictureFormat::kGif && picture.FrameCount() > 1;
}

bool RotatePictureFile(const std::string& path, double degrees, std::string& error) {
  Picture picture;
  if (!picture.Load(path)) {
    error = picture.LastError();
    return false;
  }
  if (WouldLoseFrames(picture)) {
    error = "动画GIF图片不能旋转";
    return false;
  }
  if (!picture.Rotate(degrees) || !picture.Save(path, picture.Format())) {
    error = picture.LastError();
    return false;
  }
  return true;
}

}  // namespace mb::editor
