#include "editor/core/edit_session.h"

#include <new>

#include "editor/core/picture_operations.h"

namespace mb::editor {

namespace {
const char kOutOfMemory[] = "内存不足,无法保留撤消用的图像副本";
const char kAnimated[] = "动画GIF图片不能保存,否则只会留下第一帧";
}  // namespace

bool EditSession::Open(const std::string& path) {
  Close();
  path_ = path;
  if (!picture_.Load(path)) {
    error_ = picture_.LastError();
    picture_.Clear();
    return false;
  }
  return true;
}

void EditSession::Close() {
  picture_.Clear();
  history_.Clear();
  saved_ = true;
  error_.clear();
}

template <class Change>
bool EditSession::Apply(Change change) {
  error_.clear();
  if (!HasPicture()) return false;
  if (!history_.PushBeforeChange(picture_)) {
    error_ = kOutOfMemory;
    return false;
  }
  try {
    if (!change(picture_)) {
      error_ = picture_.LastError();
      history_.TakeBackLast(picture_);
      return false;
    }
  } catch (const std::bad_alloc&) {
    error_ = kOutOfMemory;
    history_.TakeBackLast(picture_);
    return false;
  }
  saved_ = false;
  return true;
}

bool EditSession::Rotate(double degrees) {
  return Apply([degrees](Picture& p) { return p.Rotate(degrees); });
}

bool EditSession::ApplyRotateChoice(int choice) {
  return Apply([choice](Picture& p) { return editor::ApplyRotateChoice(p, choice); });
}

bool EditSession::Resize(int width, int height) {
  error_.clear();
  if (HasPicture() && width == picture_.Width() && height == picture_.Height()) return false;
  return Apply([width, height](Picture& p) { return p.Resample(width, height, ResampleFilter::kSmooth); });
}

bool EditSession::Crop(const PixelRect& rect) {
  return Apply([rect](Picture& p) { return p.Crop(rect); });
}

bool EditSession::Undo() {
  error_.clear();
  if (!history_.Undo(picture_)) return false;
  saved_ = false;
  return true;
}

bool EditSession::Redo() {
  error_.clear();
  if (!history_.Redo(picture_)) return false;
  saved_ = false;
  return true;
}

bool EditSession::Save(const Picture& composed) {
  error_.clear();
  if (!HasPicture()) return false;
  if (WouldLoseFrames(picture_)) {
    error_ = kAnimated;
    return false;
  }
  Picture written = composed;
  if (!written.Save(path_, picture_.Format())) {
    error_ = written.LastError();
    return false;
  }
  picture_ = std::move(written);
  saved_ = true;
  return true;
}

bool EditSession::SaveCopy(const Picture& composed, const std::string& path) {
  error_.clear();
  if (!HasPicture()) return false;
  if (WouldLoseFrames(picture_)) {
    error_ = kAnimated;
    return false;
  }
  Picture written = composed;
  if (!written.Save(path, picture_.Format())) {
    error_ = written.LastError();
    return false;
  }
  return true;
}

}  // namespace mb::editor
