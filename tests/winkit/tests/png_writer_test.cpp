// The PNG writer read back by libpng, an independent decoder that checks every chunk's CRC and
// the zlib stream's checksum.
#include <gtest/gtest.h>
#include <png.h>

#include <csetjmp>
#include <cstring>
#include <fstream>
#include <sstream>

#include "common/atomic_file.h"
#include "common/tests/temp_folder.h"
#include "tests/winkit/png_writer.h"

namespace winkit {
namespace {

struct Decoded {
  bool ok = false;
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  int bitDepth = 0;
  int colourType = 0;
  int interlace = 0;
  RgbImage image;
};

struct MemoryReader {
  const std::string* bytes;
  std::size_t pos;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  if (reader->pos + length > reader->bytes->size()) png_error(png, "read past the end");
  std::memcpy(out, reader->bytes->data() + reader->pos, length);
  reader->pos += length;
}

// Decodes the whole file, IEND included, without any transformation.
Decoded DecodeWithLibpng(const std::string& bytes) {
  Decoded result;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  MemoryReader reader{&bytes, 0};
  // Everything that owns memory lives outside the part that png_error may jump out of.
  std::vector<std::uint8_t> rows;
  std::vector<png_bytep> rowPointers;
  if (setjmp(png_jmpbuf(png)) == 0) {
    png_set_read_fn(png, &reader, ReadFromMemory);
    png_read_info(png, info);
    png_get_IHDR(png, info, &result.width, &result.height, &result.bitDepth, &result.colourType,
                 &result.interlace, nullptr, nullptr);
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    rows.resize(rowBytes * result.height);
    rowPointers.resize(result.height);
    for (png_uint_32 y = 0; y < result.height; ++y) rowPointers[y] = rows.data() + rowBytes * y;
    png_read_image(png, rowPointers.data());
    png_read_end(png, nullptr);
    if (result.colourType == PNG_COLOR_TYPE_RGB && result.bitDepth == 8) {
      result.image = RgbImage(static_cast<int>(result.width), static_cast<int>(result.height));
      for (png_uint_32 y = 0; y < result.height; ++y) {
        for (png_uint_32 x = 0; x < result.width; ++x) {
          const std::uint8_t* p = rowPointers[y] + x * 3;
          result.image.SetPixel(static_cast<int>(x), static_cast<int>(y), {p[0], p[1], p[2]});
        }
      }
    }
    result.ok = true;
  }
  png_destroy_read_struct(&png, &info, nullptr);
  return result;
}

// Every pixel different from its neighbours, all 256 values in every channel.
RgbImage Pattern(int width, int height) {
  RgbImage image(width, height);
  std::uint32_t state = 12345;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      state = state * 1103515245u + 12345u;
      image.SetPixel(x, y, {static_cast<std::uint8_t>(state >> 24), static_cast<std::uint8_t>(x),
                            static_cast<std::uint8_t>(y)});
    }
  }
  return image;
}

TEST(PngWriterTest, LibpngReadsBackEveryPixelOfImagesOfAnyShape) {
  const std::pair<int, int> shapes[] = {{1, 1}, {7, 3}, {1, 300}, {300, 1}, {640, 480}};
  for (const auto& [width, height] : shapes) {
    SCOPED_TRACE(testing::Message() << width << "x" << height);
    const RgbImage image = Pattern(width, height);
    const Decoded decoded = DecodeWithLibpng(EncodePng(image));
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.width, static_cast<png_uint_32>(width));
    EXPECT_EQ(decoded.height, static_cast<png_uint_32>(height));
    EXPECT_EQ(decoded.bitDepth, 8);
    EXPECT_EQ(decoded.colourType, PNG_COLOR_TYPE_RGB);
    EXPECT_EQ(decoded.interlace, PNG_INTERLACE_NONE);
    EXPECT_EQ(decoded.image.Bytes(), image.Bytes());
  }
}

TEST(PngWriterTest, TheReaderHoldsEveryChunkToItsChecksum) {
  // What makes the test above a check of the checksums: the file as written is accepted, and one
  // flipped bit in the CRC of the header, the pixel data or the end chunk is refused.
  const std::string png = EncodePng(Pattern(16, 16));
  ASSERT_TRUE(DecodeWithLibpng(png).ok);
  const std::size_t ihdrCrc = 8 + 8 + 13, idatCrc = png.size() - 12 - 4, iendCrc = png.size() - 4;
  for (std::size_t at : {ihdrCrc, idatCrc, iendCrc}) {
    std::string damaged = png;
    damaged[at] = static_cast<char>(damaged[at] ^ 0x01);
    EXPECT_FALSE(DecodeWithLibpng(damaged).ok) << "byte " << at;
  }
}

TEST(PngWriterTest, AnEmptyImageGivesNoFile) {
  mb::TempFolder folder;
  EXPECT_TRUE(EncodePng(RgbImage()).empty());
  EXPECT_TRUE(EncodePng(RgbImage(0, 10)).empty());
  EXPECT_TRUE(EncodePng(RgbImage(10, -1)).empty());
  EXPECT_FALSE(WritePngFile(RgbImage(), folder.Path("empty.png")));
  EXPECT_FALSE(mb::FileExists(folder.Path("empty.png")));
}

TEST(PngWriterTest, TheFileHoldsTheEncodedBytesAndAFailedWriteSaysSo) {
  mb::TempFolder folder;
  const RgbImage image = Pattern(33, 17);
  ASSERT_TRUE(WritePngFile(image, folder.Path("shot.png")));
  std::ifstream in(folder.Path("shot.png"), std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  EXPECT_EQ(bytes.str(), EncodePng(image));
  EXPECT_FALSE(WritePngFile(image, folder.Path("no-such-folder/shot.png")));
}

TEST(RgbImageTest, PixelsOutsideTheImageAreBlackAndCountsAreClipped) {
  RgbImage image(4, 3);
  const Rgb red{255, 0, 0};
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) image.SetPixel(x, y, red);
  }
  image.SetPixel(4, 0, {1, 2, 3});  // outside: ignored
  image.SetPixel(-1, 0, {1, 2, 3});
  EXPECT_EQ(image.Pixel(3, 2), red);
  EXPECT_EQ(image.Pixel(4, 0), Rgb{});
  EXPECT_EQ(image.Pixel(0, -1), Rgb{});
  EXPECT_EQ(image.CountPixels(red), 12u);
  EXPECT_EQ(image.CountPixels(red, -5, -5, 2, 100), 6u);
  EXPECT_EQ(image.CountPixels(red, 3, 3, 1, 1), 0u);
}

}  // namespace
}  // namespace winkit
