// The picture codecs behind Picture: one decoder and one encoder per format, all on bytes in
// memory. Decoders check the declared size against the limits before taking pixel memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "image/picture.h"

namespace mb::codec {

struct DecodeRequest {
  const std::uint8_t* bytes = nullptr;
  std::size_t size = 0;
  std::FILE* file = nullptr;  // JPEG only: read from here (streamed) instead of bytes
  DecodeLimits limits;
  int frame = 0;  // GIF frame to decode
  // JPEG only: when a box is given the decoder works at the DCT scale JpegScaleDivisor chooses
  // for it, and reports the picture's own size through fullWidth and fullHeight.
  int fitWidth = 0, fitHeight = 0;
  int* fullWidth = nullptr;
  int* fullHeight = nullptr;
};

// Hands out the bytes of a request one piece after another (the codecs' read callbacks).
struct ByteReader {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t position = 0;
  // Copies up to length bytes to target; returns how many there were.
  std::size_t Take(std::uint8_t* target, std::size_t length);
};

// Each returns false with a clear text in error; out is then unspecified.
bool DecodeBmp(const DecodeRequest& request, PictureData& out, std::string& error);
bool DecodeJpeg(const DecodeRequest& request, PictureData& out, std::string& error);
bool DecodePng(const DecodeRequest& request, PictureData& out, std::string& error);
bool DecodeGif(const DecodeRequest& request, PictureData& out, std::string& error);

bool EncodeBmp(const PictureData& picture, std::string& out, std::string& error);
bool EncodeJpeg(const PictureData& picture, int quality, std::string& out, std::string& error);
bool EncodePng(const PictureData& picture, std::string& out, std::string& error);
bool EncodeGif(const PictureData& picture, std::string& out, std::string& error);

// An open picture file; a JPEG in it is streamed through the decoder instead of being read whole
// first (at 1/8 scale reading a whole file costs as much as decoding it).
struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;
// True when the open file holds a JPEG; the file is back at its start afterwards.
bool IsJpegFile(std::FILE* file);

// One row as blue-green-red-alpha (width * 4 bytes): palette looked up, the transparent index
// and the alpha plane turned into alpha.
void ReadBgraRow(const PictureData& picture, int y, std::uint8_t* bgra);

// "" when a width x height picture passes the limits, else the refusal text.
std::string CheckLimits(int width, int height, const DecodeLimits& limits);

}  // namespace mb::codec
