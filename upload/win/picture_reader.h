// PictureReader: the workers' shared access to the pictures they send blocks of. Blocks are
// handed out in file order, so a read fetches a window of the file beyond the block (one open for
// many blocks) and later blocks are copied from it. The file is opened only while a window is
// read and closed at once: the member can save over a picture of the running batch (a rotation
// on disk) at any time but during that one read.
#pragma once

#include <cstdint>
#include <string>

#include "upload/win/critical_section.h"

namespace mb::upload {

class PictureReader {
 public:
  static constexpr std::uint32_t kWindowSize = 1 << 20;

  // From any worker: bytes gets the length bytes at offset of the file at path; false when they
  // cannot all be read (the file vanished or shrank since it was measured).
  bool Read(const std::string& path, std::uint32_t offset, std::uint32_t length, std::string& bytes);

 private:
  bool ReadWindow(const std::string& path, std::uint32_t offset);

  CriticalSectionMutex mutex_;
  std::string path_;
  std::uint32_t start_ = 0;  // file offset of window_'s first byte
  std::string window_;
};

}  // namespace mb::upload
