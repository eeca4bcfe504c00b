#include "editor/core/undo_history.h"

#include <new>
#include <utility>

namespace mb::editor {

std::size_t PictureBytes(const Picture& picture) {
  const PictureData& data = picture.Data();
  return data.pixels.size() + data.alpha.size() + data.palette.size() * sizeof(Rgba);
}

bool UndoHistory::PushBeforeChange(const Picture& current) {
  try {
    undo_.push_back(current);
  } catch (const std::bad_alloc&) {
    return false;
  }
  redo_.clear();
  TrimToCap();
  return true;
}

bool UndoHistory::Step(std::deque<Picture>& from, std::deque<Picture>& to, Picture& current) {
  if (from.empty()) return false;
  try {
    to.push_back(std::move(current));
  } catch (const std::bad_alloc&) {
    return false;
  }
  current = std::move(from.back());
  from.pop_back();
  return true;
}

bool UndoHistory::Undo(Picture& current) { return Step(undo_, redo_, current); }

bool UndoHistory::Redo(Picture& current) {
  if (!Step(redo_, undo_, current)) return false;
  TrimToCap();
  return true;
}

bool UndoHistory::TakeBackLast(Picture& current) {
  if (undo_.empty()) return false;
  current = std::move(undo_.back());
  undo_.pop_back();
  return true;
}

void UndoHistory::Clear() {
  undo_.clear();
  redo_.clear();
}

std::size_t UndoHistory::HeldBytes() const {
  std::size_t total = 0;
  for (const Picture& p : undo_) total += PictureBytes(p);
  for (const Picture& p : redo_) total += PictureBytes(p);
  return total;
}

void UndoHistory::TrimToCap() {
  while (undo_.size() > 1 && HeldBytes() > byteCap_) undo_.pop_front();
}

}  // namespace mb::editor
