#include "client/ui/gif/gif_frames.h"

namespace mb::gif {
namespace {

constexpr std::size_t kHeaderSize = 13;
constexpr std::size_t kGceSize = 8;

enum class BlockKind { kApplication, kComment, kGraphicControl, kPlainText, kImage, kTrailer, kInvalid };

// Bounds-checked reads over the file.
class Reader {
 public:
  explicit Reader(std::string_view data) : data_(data) {}

  std::size_t Length() const { return data_.size(); }
  bool Has(std::size_t pos, std::size_t count) const { return pos <= data_.size() && count <= data_.size() - pos; }
  unsigned Byte(std::size_t pos) const { return static_cast<unsigned char>(data_[pos]); }
  unsigned Word(std::size_t pos) const { return Byte(pos) | (Byte(pos + 1) << 8); }

  BlockKind KindAt(std::size_t pos) const {
    if (!Has(pos, 1)) return BlockKind::kInvalid;
    switch (data_[pos]) {
      case ',': return BlockKind::kImage;
      case ';': return BlockKind::kTrailer;
      case '!': break;
      default: return BlockKind::kInvalid;
    }
    if (!Has(pos, 2)) return BlockKind::kInvalid;
    switch (Byte(pos + 1)) {
      case 0xFF: return BlockKind::kApplication;
      case 0xFE: return BlockKind::kComment;
      case 0xF9: return BlockKind::kGraphicControl;
      case 0x01: return BlockKind::kPlainText;
      default: return BlockKind::kInvalid;
    }
  }

  // Size of a chain of data sub-blocks starting at pos, terminator included.
  std::optional<std::size_t> SubBlocksSize(std::size_t pos) const {
    std::size_t total = 0;
    while (Has(pos, 1)) {
      const std::size_t n = Byte(pos);
      if (n == 0) return total + 1;
      total += n + 1;
      pos += n + 1;
    }
    return std::nullopt;
  }

  // Size of the block at pos; nothing for an invalid block or one that runs past the end.
  std::optional<std::size_t> BlockSize(std::size_t pos, BlockKind kind) const {
    std::optional<std::size_t> size;
    switch (kind) {
      case BlockKind::kApplication: size = Prefixed(pos, 14); break;
      case BlockKind::kComment: size = Prefixed(pos, 2); break;
      case BlockKind::kGraphicControl: size = kGceSize; break;
      case BlockKind::kPlainText: size = Prefixed(pos, 15); break;
      case BlockKind::kImage: {
        if (!Has(pos, 10)) return std::nullopt;
        const std::size_t local = ColourTableSize(Byte(pos + 9));
        size = Prefixed(pos, 11 + local);
        break;
      }
      case BlockKind::kTrailer: size = 1; break;
      case BlockKind::kInvalid: return std::nullopt;
    }
    if (!size || !Has(pos, *size)) return std::nullopt;
    return size;
  }

  static std::size_t ColourTableSize(unsigned packed) {
    return (packed & 0x80) ? 3u * (std::size_t{2} << (packed & 7)) : 0;
  }

 private:
  // A fixed part of head bytes followed by data sub-blocks.
  std::optional<std::size_t> Prefixed(std::size_t pos, std::size_t head) const {
    if (!Has(pos, head)) return std::nullopt;
    const std::optional<std::size_t> chain = SubBlocksSize(pos + head);
    if (!chain) return std::nullopt;
    return head + *chain;
  }

  std::string_view data_;
};

bool EndsFrame(BlockKind kind) { return kind == BlockKind::kImage || kind == BlockKind::kPlainText; }

// The next frame from pos: blocks other than graphic control extensions, images and plain text
// are skipped; after a graphic control extension everything up to and including the next image
// (or plain text) belongs to the frame. A trailer, an invalid block or a block running past the
// end ends the search.
std::optional<GifFrame> NextFrame(const Reader& in, std::size_t& pos) {
  std::size_t at = pos;
  std::optional<std::size_t> gce;
  for (;;) {
    const BlockKind kind = in.KindAt(at);
    if (kind == BlockKind::kTrailer || kind == BlockKind::kInvalid) return std::nullopt;
    const std::optional<std::size_t> size = in.BlockSize(at, kind);
    if (!size) return std::nullopt;
    if (!gce && kind == BlockKind::kGraphicControl) {
      gce = at;
    } else if (EndsFrame(kind)) {
      GifFrame frame;
      frame.begin = gce ? *gce : at;
      frame.end = at + *size;
      frame.isImage = kind == BlockKind::kImage;
      if (frame.isImage) {
        frame.left = static_cast<int>(in.Word(at + 1));
        frame.top = static_cast<int>(in.Word(at + 3));
        frame.width = static_cast<int>(in.Word(at + 5));
        frame.height = static_cast<int>(in.Word(at + 7));
      }
      if (gce) {
        frame.delay = in.Word(*gce + 4);
        frame.disposal = static_cast<int>((in.Byte(*gce + 3) >> 2) & 7);
      }
      pos = frame.end;
      return frame;
    }
    at += *size;
  }
}

}  // namespace

GifFile ParseGif(std::string_view data) {
  GifFile file;
  file.isGif = data.size() >= 6 && data.substr(0, 3) == "GIF" && (data.substr(3, 3) == "87a" || data.substr(3, 3) == "89a");
  if (!file.isGif) return file;
  const Reader in(data);
  if (!in.Has(0, kHeaderSize)) return file;
  file.width = static_cast<int>(in.Word(6));
  file.height = static_cast<int>(in.Word(8));
  file.globalTableSize = Reader::ColourTableSize(in.Byte(10));
  if (!in.Has(kHeaderSize, file.globalTableSize)) return file;
  const std::size_t background = std::size_t{in.Byte(11)} * 3;
  if (background + 3 <= file.globalTableSize) {
    const std::size_t entry = kHeaderSize + background;
    file.backgroundColour = in.Byte(entry) | (in.Byte(entry + 1) << 8) | (in.Byte(entry + 2) << 16);
  }
  std::size_t pos = kHeaderSize + file.globalTableSize;
  while (std::optional<GifFrame> frame = NextFrame(in, pos)) file.frames.push_back(*frame);
  return file;
}

std::string BuildFrameGif(std::string_view data, const GifFile& file, const GifFrame& frame) {
  const std::size_t head = kHeaderSize + file.globalTableSize;
  if (head > data.size() || frame.begin > frame.end || frame.end > data.size()) return {};
  std::string out;
  out.reserve(head + (frame.end - frame.begin) + 1);
  out.append(data.substr(0, head));
  out.append(data.substr(frame.begin, frame.end - frame.begin));
  out.push_back(';');
  return out;
}

FrameDisposal DisposalOf(const GifFrame& frame) {
  switch (frame.disposal) {
    case 2: return FrameDisposal::kRestoreBackground;
    case 3: return FrameDisposal::kRestorePrevious;
    default: return FrameDisposal::kKeep;
  }
}

std::uint32_t FrameWaitMs(std::uint32_t delay) {
  if (delay == kNoDelay || delay < 5) return 100;
  return delay * 10;
}

}  // namespace mb::gif
