#include "tools/standin/request_recorder.h"

namespace standin {

RequestRecorder::~RequestRecorder() {
  if (file_) std::fclose(file_);
}

bool RequestRecorder::Open(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (file_) std::fclose(file_);
  file_ = std::fopen(path.c_str(), "wb");
  return file_ != nullptr;
}

std::uint64_t RequestRecorder::Record(RequestRecord record) {
  std::lock_guard<std::mutex> lock(mutex_);
  record.seq = ++lastSeq_;
  if (file_) {
    std::string line = FormatRecordLine(record);
    line.push_back('\n');
    std::fwrite(line.data(), 1, line.size(), file_);
    std::fflush(file_);
  }
  return record.seq;
}

}  // namespace standin
