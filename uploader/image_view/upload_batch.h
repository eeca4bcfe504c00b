// What a batch upload is made of: the ticked rows that may go, their upload jobs, and the one
// engine pool that runs at a time.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "thumblist/core/picture_row.h"
#include "upload/core/file_queue.h"

class CListImageCtrl;
class CZELUploadThreadsPool;

namespace hoistly {

struct UploadSelection {
  std::vector<int> rows;               // ticked rows that go, in row order
  std::vector<std::string> refused;    // ticked rows that break the rule, by path
  bool anyTicked = false;
};

// The ticked rows split by the upload rule (the list's own) and by whether the path fits the
// job's path field unchanged.
UploadSelection SelectUploadRows(CListImageCtrl& list);

// A file's size, or nothing when its status cannot be read.
std::optional<std::uint64_t> FileSizeOf(const std::string& path);

// The job of one row, every field zeroed first and filled from the row's texts.
std::unique_ptr<CZELFileQueue> MakeUploadJob(const mb::thumblist::RowTexts& row);

// The pool of the current batch. A new batch stops the running one first: from then on none of
// its reports reaches the frame, and its thread is given a bounded time to end cooperatively (it
// deletes itself when it ends, however late).
class UploadPoolSlot {
 public:
  static constexpr DWORD kStopWaitMs = 5000;

  UploadPoolSlot() = default;
  ~UploadPoolSlot() { StopRunning(kStopWaitMs); }
  UploadPoolSlot(const UploadPoolSlot&) = delete;
  UploadPoolSlot& operator=(const UploadPoolSlot&) = delete;

  // True when there was none, or its thread ended within waitMs.
  bool StopRunning(DWORD waitMs);
  void Adopt(CZELUploadThreadsPool* pool) { pool_ = pool; }
  CZELUploadThreadsPool* Current() const { return pool_; }

 private:
  CZELUploadThreadsPool* pool_ = nullptr;
};

}  // namespace hoistly
