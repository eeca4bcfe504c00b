// How the engine cuts a picture into blocks. Each block is at most 6,144 bytes and every block
// after the first begins on the last byte of the one before, so a receiver that writes count
// bytes at offset rebuilds the file exactly. A picture counts as handed out when offset + 1
// reaches its size: files of 0 or 1 byte take no block at all.
#pragma once

#include <cstdint>
#include <optional>

namespace mb::upload {

struct BlockSpan {
  std::uint32_t offset = 0;
  std::uint32_t length = 0;
  bool operator==(const BlockSpan& other) const { return offset == other.offset && length == other.length; }
};

class PictureCursor {
 public:
  PictureCursor() = default;
  explicit PictureCursor(std::uint32_t size) : size_(size) {}

  bool IsFinished() const { return std::uint64_t{offset_} + 1 >= size_; }
  // The next block, or nothing when the picture is handed out.
  std::optional<BlockSpan> NextBlock();
  std::uint32_t Size() const { return size_; }

 private:
  std::uint32_t size_ = 0;
  std::uint32_t offset_ = 0;
};

// Blocks a file of size bytes takes: 0 for 0-1 bytes, 1 up to 6,144, then
// 1 + ceil((size - 6,144) / 6,143).
std::uint64_t EngineBlockCount(std::uint64_t size);

}  // namespace mb::upload
