#include "editor/core/picture_operations.h"

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
