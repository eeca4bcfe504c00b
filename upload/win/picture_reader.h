// PictureReader: a worker's access to the picture it sends blocks of. The file is opened for each
// block and closed as soon as the block's bytes are read, so the member can save over a picture of
// the running batch (a rotation on disk) at any time but during that one read.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mb::upload {

class PictureReader {
 public:
  // The length bytes at offset of the file at path; false when they cannot all be read (the file
  // vanished or shrank since it was measured). The bytes stay valid until the next Read.
  bool Read(const std::string& path, std::uint32_t offset, std::uint32_t length, std::string_view& bytes);

 private:
  std::string buffer_;
};

}  // namespace mb::upload
