// Writes GIF files block by block: the build's waiting animations and the pictures the tests
// feed to the frame parser and the system's picture loader. Image data is real LZW (every pixel
// a literal code), so any decoder reads it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mb::gif {

struct GifWriterFrame {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;  // colour indices, width x height, row by row
  // A graphic control extension is written when a delay is set.
  std::optional<int> delay;  // hundredths of a second
  int disposal = 0;
  std::optional<int> transparentIndex;
  std::vector<std::uint32_t> localTable;  // 0xRRGGBB entries; none when empty
};

class GifWriter {
 public:
  // globalTable: 0xRRGGBB entries (padded to a power of two); none when empty.
  GifWriter(int width, int height, std::vector<std::uint32_t> globalTable, int backgroundIndex = 0);

  // NETSCAPE2.0 application extension: play forever.
  GifWriter& LoopForever();
  GifWriter& Comment(const std::string& text);
  GifWriter& Frame(const GifWriterFrame& frame);
  // Raw bytes, for damaged or unusual files.
  GifWriter& Raw(const std::string& bytes);

  // Offsets [begin, end) of each frame written so far, from its control extension (or image
  // descriptor) through its image data.
  struct Span {
    std::size_t begin;
    std::size_t end;
  };
  const std::vector<Span>& FrameSpans() const { return spans_; }

  const std::string& Bytes() const { return out_; }
  // The file with its trailer.
  std::string Finish() const { return out_ + ";"; }

 private:
  std::string out_;
  std::vector<Span> spans_;
};

// Image data of a frame: the LZW minimum code size byte and the data sub-blocks.
std::string EncodeImageData(const std::vector<std::uint8_t>& pixels, int bitsPerPixel);

// Data sub-blocks of at most 255 bytes, with the terminator.
std::string SubBlocks(const std::string& bytes);

}  // namespace mb::gif
