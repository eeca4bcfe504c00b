// Every decoder path on arbitrary bytes. The first byte chooses: bits 0-2 the format (its
// signature is put in front of the rest, so each decoder is reached at once; 4 and above: the
// bytes as they are), bits 3-4 the GIF frame, bit 7 the thumbnail path instead of a full decode.
// A decoded picture then goes through the transforms and every encoder.
#include <cstddef>
#include <cstdint>
#include <string>

#include "image/picture.h"

namespace {

const std::string kSignatures[] = {
    std::string("BM"),
    std::string("\xFF\xD8\xFF", 3),
    std::string("\x89PNG\r\n\x1A\n", 8),
    std::string("GIF89a"),
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const int choice = data[0];
  std::string bytes = (choice & 7) < 4 ? kSignatures[choice & 7] : std::string();
  bytes.append(reinterpret_cast<const char*>(data + 1), size - 1);

  mb::DecodeLimits limits;  // small, so the fuzzer spends its time in the decoders
  limits.maxWidth = 2048;
  limits.maxHeight = 2048;
  limits.maxPixels = 1 << 20;
  mb::Picture picture;
  picture.SetDecodeLimits(limits);
  bool decoded;
  if (choice & 0x80) {
    decoded = mb::DecodeThumbnail(bytes.data(), bytes.size(), 90, 90, picture);
  } else {
    decoded = picture.Decode(bytes.data(), bytes.size(), (choice >> 3) & 3);
  }
  if (!decoded || picture.Width() * picture.Height() > 4096) return 0;
  picture.Rotate(90);
  picture.Mirror();
  picture.Resample(picture.Width() + 1, picture.Height(), mb::ResampleFilter::kSmooth);
  std::string out;
  for (auto format : {mb::PictureFormat::kBmp, mb::PictureFormat::kJpeg, mb::PictureFormat::kPng,
                      mb::PictureFormat::kGif}) {
    if (!picture.Encode(format, out)) __builtin_trap();
    mb::Picture back;
    if (!back.Decode(out.data(), out.size())) __builtin_trap();
  }
  return 0;
}
