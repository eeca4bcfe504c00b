// Sample pictures must decode with the same libraries the programs use, at the asked size.
#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdint>
#include <cstdio>

#include <jpeglib.h>
#include <png.h>

#include "tools/standin/sample_images.h"

namespace standin {
namespace {

struct Size {
  int width = 0;
  int height = 0;
};

Size DecodePng(const std::string& bytes) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return {};
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image));
  const bool ok = png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr);
  png_image_free(&image);
  return ok ? Size{static_cast<int>(image.width), static_cast<int>(image.height)} : Size{};
}

struct JpegTrap {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

Size DecodeJpeg(const std::string& bytes) {
  jpeg_decompress_struct cinfo;
  JpegTrap trap;
  cinfo.err = jpeg_std_error(&trap.manager);
  trap.manager.error_exit = [](j_common_ptr c) { std::longjmp(reinterpret_cast<JpegTrap*>(c->err)->jump, 1); };
  if (setjmp(trap.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return {};
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  jpeg_read_header(&cinfo, TRUE);
  jpeg_start_decompress(&cinfo);
  std::vector<unsigned char> row(static_cast<size_t>(cinfo.output_width) * cinfo.output_components);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&cinfo, rows, 1);
  }
  Size size{static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height)};
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return size;
}

std::uint32_t Le32(const std::string& bytes, size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

TEST(SampleImagesTest, EachFormatDecodesAtTheAskedSize) {
  const std::string png = MakeSampleImage(ImageFormat::kPng, 33, 17, "p");
  EXPECT_EQ(DecodePng(png).width, 33);
  EXPECT_EQ(DecodePng(png).height, 17);

  const std::string jpeg = MakeSampleImage(ImageFormat::kJpeg, 1024, 768, "j");
  const Size jpegSize = DecodeJpeg(jpeg);
  EXPECT_EQ(jpegSize.width, 1024);
  EXPECT_EQ(jpegSize.height, 768);

  // 7 pixels of 3 bytes need one byte of padding to a 4-byte row.
  const std::string bmp = MakeSampleImage(ImageFormat::kBmp, 7, 3, "b");
  ASSERT_EQ(bmp.size(), 54u + 24u * 3u);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(Le32(bmp, 2), bmp.size());
  EXPECT_EQ(Le32(bmp, 10), 54u);
  EXPECT_EQ(Le32(bmp, 18), 7u);
  EXPECT_EQ(Le32(bmp, 22), 3u);
  EXPECT_EQ(static_cast<unsigned char>(bmp[28]), 24);
  EXPECT_EQ(bmp[54 + 21], '\0') << "row padding is zero";
}

TEST(SampleImagesTest, SameNameSameBytesOtherNameOtherBytes) {
  EXPECT_EQ(MakeSampleImage(ImageFormat::kJpeg, 64, 48, "lake"),
            MakeSampleImage(ImageFormat::kJpeg, 64, 48, "lake"));
  EXPECT_NE(MakeSampleImage(ImageFormat::kBmp, 64, 48, "lake"),
            MakeSampleImage(ImageFormat::kBmp, 64, 48, "city"));
}

TEST(SampleImagesTest, SizesOutOfRangeGiveNothing) {
  EXPECT_EQ(MakeSampleImage(ImageFormat::kPng, 0, 10, "x"), "");
  EXPECT_EQ(MakeSampleImage(ImageFormat::kBmp, 10, 4097, "x"), "");
  EXPECT_NE(MakeSampleImage(ImageFormat::kPng, 1, 1, "x"), "");
}

TEST(SampleImagesTest, FormatsByExtension) {
  EXPECT_EQ(ImageFormatFromExtension("JPG"), ImageFormat::kJpeg);
  EXPECT_EQ(ImageFormatFromExtension("jpeg"), ImageFormat::kJpeg);
  EXPECT_EQ(ImageFormatFromExtension("Png"), ImageFormat::kPng);
  EXPECT_EQ(ImageFormatFromExtension("bmp"), ImageFormat::kBmp);
  EXPECT_FALSE(ImageFormatFromExtension("gif"));
  EXPECT_FALSE(ImageFormatFromExtension(""));
}

}  // namespace
}  // namespace standin
