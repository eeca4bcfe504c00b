// PictureReader: a worker's access to the picture it sends blocks of. The file stays open (and
// mapped, when it can be) while blocks come from it, so a block costs no more than a copy.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace mb::upload {

class PictureReader {
 public:
  PictureReader() = default;
  ~PictureReader() { Close(); }
  PictureReader(const PictureReader&) = delete;
  PictureReader& operator=(const PictureReader&) = delete;

  // The length bytes at offset of the file at path; false when they cannot all be read (the file
  // vanished or shrank since it was measured).
  bool Read(const std::string& path, std::uint32_t offset, std::uint32_t length, std::string_view& bytes);
  void Close();

 private:
  bool Open(const std::string& path);

  std::string path_;
  HANDLE file_ = INVALID_HANDLE_VALUE;
  HANDLE mapping_ = nullptr;
  const char* view_ = nullptr;
  std::uint64_t viewSize_ = 0;
  std::string buffer_;  // for files that cannot be mapped
};

}  // namespace mb::upload
