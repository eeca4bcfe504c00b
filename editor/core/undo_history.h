// The picture editor's undo and redo stacks: whole copies of the working picture. The copies
// held on the undo side are capped in bytes (the oldest go first, the newest always stays), so
// a long editing session on a large picture cannot take the process's memory.
#pragma once

#include <cstddef>
#include <deque>

#include "image/picture.h"

namespace mb::editor {

constexpr std::size_t kUndoByteCap = 256u * 1024u * 1024u;

std::size_t PictureBytes(const Picture& picture);

class UndoHistory {
 public:
  explicit UndoHistory(std::size_t byteCap = kUndoByteCap) : byteCap_(byteCap) {}

  // Before a change: keeps a copy of current and forgets what could be redone. False when the
  // copy could not be made (out of memory); the history is then as it was.
  bool PushBeforeChange(const Picture& current);
  // Swap current with the newest copy of one side, the old current going to the other side.
  // False when that side is empty or memory ran out (nothing changed then).
  bool Undo(Picture& current);
  bool Redo(Picture& current);
  // Takes back the copy the last PushBeforeChange kept, into current (a change that failed).
  bool TakeBackLast(Picture& current);
  void Clear();

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  std::size_t UndoCount() const { return undo_.size(); }
  std::size_t HeldBytes() const;

 private:
  static bool Step(std::deque<Picture>& from, std::deque<Picture>& to, Picture& current);
  void TrimToCap();

  std::size_t byteCap_;
  std::deque<Picture> undo_;
  std::deque<Picture> redo_;
};

}  // namespace mb::editor
