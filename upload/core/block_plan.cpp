#include "upload/core/block_plan.h"

#include <algorithm>

#include "upload/core/block_packet.h"

namespace mb::upload {

std::optional<BlockSpan> PictureCursor::NextBlock() {
  if (IsFinished()) return std::nullopt;
  BlockSpan block;
  block.offset = offset_;
  block.length = static_cast<std::uint32_t>(std::min<std::uint64_t>(kBlockDataSize, size_ - offset_));
  offset_ += block.length - 1;
  return block;
}

std::uint64_t EngineBlockCount(std::uint64_t size) {
  if (size <= 1) return 0;
  if (size <= kBlockDataSize) return 1;
  const std::uint64_t step = kBlockDataSize - 1;
  return 1 + (size - kBlockDataSize + step - 1) / step;
}

}  // namespace mb::upload
