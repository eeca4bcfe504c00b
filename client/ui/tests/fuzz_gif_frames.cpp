// Any bytes must parse without reading outside them, and every frame found must lie inside the
// data and cut out into a file that parses to one frame again. Each input is tried as it is and
// behind a valid header with a small global colour table, so the blocks are reached at once.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "client/ui/gif/gif_frames.h"

namespace {

void Check(std::string_view bytes) {
  const mb::gif::GifFile file = mb::gif::ParseGif(bytes);
  std::size_t previousEnd = 0;
  for (const mb::gif::GifFrame& frame : file.frames) {
    if (frame.begin < previousEnd || frame.begin >= frame.end || frame.end > bytes.size()) std::abort();
    if (frame.disposal < 0 || frame.disposal > 7) std::abort();
    previousEnd = frame.end;
    const std::string cut = mb::gif::BuildFrameGif(bytes, file, frame);
    if (mb::gif::ParseGif(cut).frames.size() != 1) std::abort();
    if (mb::gif::FrameWaitMs(frame.delay) < 50) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  Check(input);
  // 8 x 8 screen, global table of two entries, background index 1.
  std::string prefixed("GIF89a\x08\x00\x08\x00\x80\x01\x00\x00\x00\x00\xFF\xFF\xFF", 19);
  prefixed.append(input);
  Check(prefixed);
  return 0;
}
