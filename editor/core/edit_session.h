// One picture being edited: the working picture loaded from its file, the changes that can be
// undone, whether it has been saved since, and saving it back in the format it was read in.
#pragma once

#include <string>

#include "editor/core/undo_history.h"
#include "image/picture.h"

namespace mb::editor {

class EditSession {
 public:
  // Drops what was there and reads path; false (no working picture) with Error() set on failure.
  bool Open(const std::string& path);
  void Close();

  bool HasPicture() const { return picture_.IsValid(); }
  const Picture& Working() const { return picture_; }
  const std::string& Path() const { return path_; }
  // Why the last open, change or save failed; every one of them clears it first.
  const std::string& Error() const { return error_; }
  bool IsSaved() const { return saved_; }
  void MarkChanged() { saved_ = false; }

  // Changes that can be undone: false (picture as it was) when there is no picture, the copy
  // for undo could not be made (Error() says so) or the operation failed.
  bool Rotate(double degrees);
  bool ApplyRotateChoice(int choice);
  bool Resize(int width, int height);
  bool Crop(const PixelRect& rect);
  bool Undo();
  bool Redo();
  bool CanUndo() const { return history_.CanUndo(); }
  bool CanRedo() const { return history_.CanRedo(); }

  // Takes composed as the working picture (the previews laid in) and writes it over the file
  // in its own format; an animated GIF is refused (only one frame would be written).
  bool Save(const Picture& composed);
  // Writes composed to another path in the working picture's format; the working file and the
  // saved flag are not touched.
  bool SaveCopy(const Picture& composed, const std::string& path);

 private:
  template <class Change>
  bool Apply(Change change);

  Picture picture_;
  UndoHistory history_;
  std::string path_;
  std::string error_;
  bool saved_ = true;
};

}  // namespace mb::editor
