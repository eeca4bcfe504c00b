// Rows made ready on another thread (thumbnail decoded, texts made) wait here until the list's
// own thread inserts them; the list is told by a posted message. Bitmaps still waiting when the
// queue goes away are deleted.
#pragma once

#include <windows.h>

#include <deque>
#include <mutex>

#include "thumblist/core/picture_row.h"

namespace mb::thumblist {

struct PreparedRow {
  RowTexts texts;
  std::string path;
  HBITMAP thumbnail = nullptr;  // owned; null for a row without a thumbnail
};

class PreparedRowQueue {
 public:
  PreparedRowQueue() = default;
  ~PreparedRowQueue();
  PreparedRowQueue(const PreparedRowQueue&) = delete;
  PreparedRowQueue& operator=(const PreparedRowQueue&) = delete;

  void Push(PreparedRow row);
  // False when nothing waits.
  bool Pop(PreparedRow& row);
  void Clear();

 private:
  std::mutex lock_;
  std::deque<PreparedRow> rows_;
};

}  // namespace mb::thumblist
