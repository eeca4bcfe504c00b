// Splits a GIF file into its frames without decoding any pixels: the animated picture control
// hands each frame, cut out as a stand-alone one-frame GIF, to the system's picture loader and
// plays the frames with their delays and disposal methods. Every read is bounds-checked, so a
// damaged file yields the frames that lie before the damage.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mb::gif {

// Delay of a frame that has no graphic control extension.
constexpr std::uint32_t kNoDelay = 0xFFFFFFFF;

struct GifFrame {
  // Bytes [begin, end) of the file: from the frame's graphic control extension (or its image
  // descriptor when it has none) through the end of its image data.
  std::size_t begin = 0;
  std::size_t end = 0;
  // False when the frame is a plain text extension rather than an image.
  bool isImage = true;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::uint32_t delay = kNoDelay;  // hundredths of a second
  int disposal = 0;                // 0-7
};

struct GifFile {
  bool isGif = false;  // starts with "GIF87a" or "GIF89a"
  int width = 0;       // logical screen
  int height = 0;
  std::size_t globalTableSize = 0;  // bytes, 0 when there is none
  // The global table's entry at the background index, as COLORREF (0x00BBGGRR).
  std::optional<std::uint32_t> backgroundColour;
  std::vector<GifFrame> frames;
};

// Reads the header and every frame that can be found.
GifFile ParseGif(std::string_view data);

// The frame as a GIF of its own: the file's 13-byte header and global colour table, the
// frame's bytes and the trailer.
std::string BuildFrameGif(std::string_view data, const GifFile& file, const GifFrame& frame);

// How a frame is played.
enum class FrameDisposal {
  kKeep,               // 0, 1 and 4-7: the frame stays
  kRestoreBackground,  // 2: its rectangle is filled with the background colour
  kRestorePrevious,    // 3: what lay under it is put back
};

FrameDisposal DisposalOf(const GifFrame& frame);

// Milliseconds a frame stays: delay x 10 from 5 hundredths on, 100 below that. A frame without a
// graphic control extension plays at 100 ms as well, instead of stopping the animation.
std::uint32_t FrameWaitMs(std::uint32_t delay);

}  // namespace mb::gif
