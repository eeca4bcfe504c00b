// Appends every request the service receives to the request log, one line each, flushed at once
// so that a test can read the log while the service runs.
#pragma once

#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>

#include "tools/standin/request_record.h"

namespace standin {

class RequestRecorder {
 public:
  RequestRecorder() = default;
  ~RequestRecorder();
  RequestRecorder(const RequestRecorder&) = delete;
  RequestRecorder& operator=(const RequestRecorder&) = delete;

  // Creates (or empties) the log file; false when it cannot be opened. Without an open log the
  // recorder still numbers the requests.
  bool Open(const std::string& path);

  // Gives the record its sequence number, writes it and returns the number.
  std::uint64_t Record(RequestRecord record);

 private:
  std::mutex mutex_;
  std::FILE* file_ = nullptr;
  std::uint64_t lastSeq_ = 0;
};

}  // namespace standin
