#include "thumblist/win/prepared_row_queue.h"

namespace mb::thumblist {

PreparedRowQueue::~PreparedRowQueue() { Clear(); }

void PreparedRowQueue::Push(PreparedRow row) {
  std::lock_guard<std::mutex> hold(lock_);
  rows_.push_back(std::move(row));
}

bool PreparedRowQueue::Pop(PreparedRow& row) {
  std::lock_guard<std::mutex> hold(lock_);
  if (rows_.empty()) return false;
  row = std::move(rows_.front());
  rows_.pop_front();
  return true;
}

void PreparedRowQueue::Clear() {
  std::lock_guard<std::mutex> hold(lock_);
  for (PreparedRow& row : rows_) {
    if (row.thumbnail) DeleteObject(row.thumbnail);
  }
  rows_.clear();
}

}  // namespace mb::thumblist
