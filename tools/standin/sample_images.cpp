#include "tools/standin/sample_images.h"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <jpeglib.h>
#include <png.h>

namespace standin {
namespace {

constexpr int kMaxSide = 4096;

// RGB pixels, rows top to bottom: a diagonal gradient in the name's colours with a light frame,
// so that a picture shown on screen is recognisable and its edges visible.
std::vector<std::uint8_t> MakePixels(int width, int height, std::string_view name) {
  std::uint32_t seed = 2166136261u;
  for (unsigned char c : name) seed = (seed ^ c) * 16777619u;
  const int r0 = seed & 0xFF, g0 = (seed >> 8) & 0xFF, b0 = (seed >> 16) & 0xFF;
  std::vector<std::uint8_t> pixels(static_cast<size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 3];
      const bool frame = x < 4 || y < 4 || x >= width - 4 || y >= height - 4;
      const int t = (x * 255 / width + y * 255 / height) / 2;
      p[0] = frame ? 240 : static_cast<std::uint8_t>((r0 + t) & 0xFF);
      p[1] = frame ? 240 : static_cast<std::uint8_t>((g0 + 255 - t) & 0xFF);
      p[2] = frame ? 240 : static_cast<std::uint8_t>((b0 + t / 2) & 0xFF);
    }
  }
  return pixels;
}

void PutLe16(std::string& out, std::uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}
void PutLe32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// 24-bit bottom-up BMP: file header (14 bytes) and info header (40 bytes), field by field.
std::string EncodeBmp(const std::vector<std::uint8_t>& pixels, int width, int height) {
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
  const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(height);
  std::string out;
  out.reserve(54 + imageBytes);
  out += "BM";
  PutLe32(out, 54 + imageBytes);
  PutLe16(out, 0);
  PutLe16(out, 0);
  PutLe32(out, 54);
  PutLe32(out, 40);
  PutLe32(out, static_cast<std::uint32_t>(width));
  PutLe32(out, static_cast<std::uint32_t>(height));
  PutLe16(out, 1);
  PutLe16(out, 24);
  PutLe32(out, 0);  // BI_RGB
  PutLe32(out, imageBytes);
  PutLe32(out, 2835);  // 72 dpi
  PutLe32(out, 2835);
  PutLe32(out, 0);
  PutLe32(out, 0);
  for (int y = height - 1; y >= 0; --y) {
    const std::uint8_t* row = &pixels[static_cast<size_t>(y) * width * 3];
    for (int x = 0; x < width; ++x) {
      out.push_back(static_cast<char>(row[x * 3 + 2]));
      out.push_back(static_cast<char>(row[x * 3 + 1]));
      out.push_back(static_cast<char>(row[x * 3 + 0]));
    }
    out.append(rowBytes - static_cast<std::uint32_t>(width) * 3, '\0');
  }
  return out;
}

void PngWrite(png_structp png, png_bytep data, png_size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}
void PngFlush(png_structp) {}

// libpng reports errors by longjmp; nothing with a destructor lives in this frame after setjmp.
bool EncodePngInto(std::string& out, std::vector<png_bytep>& rows, int width, int height) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return false;
  }
  png_set_write_fn(png, &out, PngWrite, PngFlush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

std::string EncodePng(std::vector<std::uint8_t>& pixels, int width, int height) {
  std::vector<png_bytep> rows(static_cast<size_t>(height));
  for (int y = 0; y < height; ++y) rows[y] = &pixels[static_cast<size_t>(y) * width * 3];
  std::string out;
  if (!EncodePngInto(out, rows, width, height)) return {};
  return out;
}

struct JpegErrorTrap {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

void JpegErrorExit(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<JpegErrorTrap*>(cinfo->err)->jump, 1);
}

// libjpeg reports errors through error_exit; it jumps back here and the encoder is released.
bool EncodeJpegInto(std::vector<std::uint8_t>& pixels, int width, int height,
                    unsigned char** buffer, unsigned long* size) {
  jpeg_compress_struct cinfo;
  JpegErrorTrap trap;
  cinfo.err = jpeg_std_error(&trap.manager);
  trap.manager.error_exit = JpegErrorExit;
  if (setjmp(trap.jump)) {
    jpeg_destroy_compress(&cinfo);
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, buffer, size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 85, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = &pixels[static_cast<size_t>(cinfo.next_scanline) * width * 3];
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

std::string EncodeJpeg(std::vector<std::uint8_t>& pixels, int width, int height) {
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  const bool ok = EncodeJpegInto(pixels, width, height, &buffer, &size);
  std::string out;
  if (ok && buffer) out.assign(reinterpret_cast<char*>(buffer), size);
  std::free(buffer);
  return out;
}

}  // namespace

std::optional<ImageFormat> ImageFormatFromExtension(std::string_view extension) {
  std::string lower;
  for (char c : extension) lower.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c);
  if (lower == "bmp") return ImageFormat::kBmp;
  if (lower == "png") return ImageFormat::kPng;
  if (lower == "jpg" || lower == "jpeg") return ImageFormat::kJpeg;
  return std::nullopt;
}

const char* ImageContentType(ImageFormat format) {
  switch (format) {
    case ImageFormat::kBmp: return "image/bmp";
    case ImageFormat::kPng: return "image/png";
    case ImageFormat::kJpeg: return "image/jpeg";
  }
  return "application/octet-stream";
}

std::string MakeSampleImage(ImageFormat format, int width, int height, std::string_view name) {
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return {};
  std::vector<std::uint8_t> pixels = MakePixels(width, height, name);
  switch (format) {
    case ImageFormat::kBmp: return EncodeBmp(pixels, width, height);
    case ImageFormat::kPng: return EncodePng(pixels, width, height);
    case ImageFormat::kJpeg: return EncodeJpeg(pixels, width, height);
  }
  return {};
}

}  // namespace standin
