// PNG through libpng with zlib. Palette pictures without transparency and grey pictures stay
// 8-bit indexed; everything else becomes blue-green-red with an alpha plane when the file has
// transparency. 16-bit samples are cut to 8, interlaced files are read whole.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include <png.h>

#include "image/codecs.h"

namespace mb::codec {

namespace {

// libpng reports errors through this function and expects it not to return.
struct ErrorText {
  char text[200];
};

[[noreturn]] void OnError(png_structp png, png_const_charp message) {
  auto* error = static_cast<ErrorText*>(png_get_error_ptr(png));
  std::snprintf(error->text, sizeof error->text, "%s", message);
  png_longjmp(png, 1);
}
void OnWarning(png_structp, png_const_charp) {}

void ReadBytes(png_structp png, png_bytep target, png_size_t length) {
  if (static_cast<ByteReader*>(png_get_io_ptr(png))->Take(target, length) != length)
    png_error(png, "the data ends before the picture is complete");
}

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}
void Flush(png_structp) {}

// The palette index a palette picture's transparency names when it is a plain colour key: one
// entry fully transparent, every other fully opaque. -1 otherwise (the picture then gets alpha).
int ColourKeyIndex(png_structp png, png_infop info) {
  png_bytep opacity = nullptr;
  int count = 0;
  png_color_16p unused = nullptr;
  if (!png_get_tRNS(png, info, &opacity, &count, &unused) || !opacity) return -1;
  int key = -1;
  for (int i = 0; i < count; ++i) {
    if (opacity[i] == 255) continue;
    if (opacity[i] != 0 || key >= 0) return -1;
    key = i;
  }
  return key;
}

void GreyPalette(PictureData& out) {
  out.palette.resize(256);
  for (int i = 0; i < 256; ++i) {
    const auto v = static_cast<std::uint8_t>(i);
    out.palette[i] = Rgba{v, v, v, 255};
  }
}

}  // namespace

bool DecodePng(const DecodeRequest& request, PictureData& out, std::string& error) {
  ByteReader reader{request.bytes, request.size};
  ErrorText errorText{};
  ErrorText refusal{};
  std::vector<png_bytep> rows;
  std::vector<std::uint8_t> interleaved;  // blue-green-red-alpha, split afterwards
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &errorText, OnError, OnWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    error = "PNG: out of memory";
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    error = std::string("PNG: ") + errorText.text;
    return false;
  }
  png_set_read_fn(png, &reader, ReadBytes);
  png_read_info(png, info);  // takes no memory in proportion to the declared size
  const int width = static_cast<int>(png_get_image_width(png, info));
  const int height = static_cast<int>(png_get_image_height(png, info));
  std::snprintf(refusal.text, sizeof refusal.text, "%s", CheckLimits(width, height, request.limits).c_str());
  if (refusal.text[0]) png_error(png, refusal.text);
  const int colourType = png_get_color_type(png, info);
  const bool transparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  const int colourKey = colourType == PNG_COLOR_TYPE_PALETTE ? ColourKeyIndex(png, info) : -1;
  const bool palette = colourType == PNG_COLOR_TYPE_PALETTE && (!transparency || colourKey >= 0);
  const bool grey = colourType == PNG_COLOR_TYPE_GRAY && !transparency;
  if (png_get_bit_depth(png, info) == 16) png_set_strip_16(png);
  if (palette || grey) {
    png_set_packing(png);
    if (grey) png_set_expand_gray_1_2_4_to_8(png);
  } else {
    png_set_expand(png);  // palette to colour, tRNS to alpha, small greys to 8 bits
    if (!(colourType & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  }
  png_set_interlace_handling(png);
  png_read_update_info(png, info);

  out = PictureData{};
  out.width = width;
  out.height = height;
  out.format = PictureFormat::kPng;
  out.frameCount = 1;
  out.bitsPerPixel = palette || grey ? 8 : 24;
  const bool alpha = transparency || (colourType & PNG_COLOR_MASK_ALPHA);
  out.transIndex = palette ? colourKey : -1;
  if (out.bitsPerPixel == 8) {
    out.pixels.resize(out.Stride() * height);
    if (grey) {
      GreyPalette(out);
    } else {
      png_colorp entries = nullptr;
      int count = 0;
      png_get_PLTE(png, info, &entries, &count);
      for (int i = 0; i < count; ++i) out.palette.push_back(Rgba{entries[i].red, entries[i].green, entries[i].blue, 255});
      if (out.palette.empty()) png_error(png, "a palette picture without a palette");
    }
    for (int y = 0; y < height; ++y) rows.push_back(&out.pixels[y * out.Stride()]);
  } else {
    interleaved.resize(static_cast<std::size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y) rows.push_back(&interleaved[static_cast<std::size_t>(y) * width * 4]);
  }
  png_read_image(png, rows.data());
  png_destroy_read_struct(&png, &info, nullptr);

  if (out.bitsPerPixel == 8) {
    // An index past the palette shows its last entry.
    const auto last = static_cast<std::uint8_t>(out.palette.size() - 1);
    for (std::uint8_t& index : out.pixels) index = std::min(index, last);
    if (out.transIndex > last) out.transIndex = -1;
    return true;
  }
  out.pixels.resize(out.Stride() * height);
  if (alpha) out.alpha.resize(static_cast<std::size_t>(width) * height);
  for (std::size_t i = 0, n = static_cast<std::size_t>(width) * height; i < n; ++i) {
    std::memcpy(&out.pixels[i * 3], &interleaved[i * 4], 3);
    if (alpha) out.alpha[i] = interleaved[i * 4 + 3];
  }
  return true;
}

namespace {

// What the writer allocates, made before the error jump point so that a jump frees it all.
struct WriteBuffers {
  std::vector<std::uint8_t> row;
  std::vector<png_color> entries;
  std::vector<png_byte> opacity;
};

// The header, palette and rows; errors jump back to EncodePng.
void WritePicture(png_structp png, png_infop info, const PictureData& picture, WriteBuffers& buffers) {
  const bool palette = picture.bitsPerPixel == 8 && picture.alpha.empty() && !picture.palette.empty();
  const bool alpha = !palette && (!picture.alpha.empty() || picture.transIndex >= 0);
  png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width), static_cast<png_uint_32>(picture.height), 8,
               palette ? PNG_COLOR_TYPE_PALETTE : alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (palette) {
    for (const Rgba& c : picture.palette) buffers.entries.push_back(png_color{c.r, c.g, c.b});
    png_set_PLTE(png, info, buffers.entries.data(), static_cast<int>(buffers.entries.size()));
    if (picture.transIndex >= 0) {
      buffers.opacity.assign(static_cast<std::size_t>(picture.transIndex) + 1, 255);
      buffers.opacity[picture.transIndex] = 0;
      png_set_tRNS(png, info, buffers.opacity.data(), static_cast<int>(buffers.opacity.size()), nullptr);
    }
  }
  png_write_info(png, info);
  if (!palette) png_set_bgr(png);
  buffers.row.resize(static_cast<std::size_t>(picture.width) * 4);
  std::uint8_t* row = buffers.row.data();
  for (int y = 0; y < picture.height; ++y) {
    const std::uint8_t* source = &picture.pixels[static_cast<std::size_t>(y) * picture.Stride()];
    if (!palette && (alpha || picture.bitsPerPixel == 8)) {
      ReadBgraRow(picture, y, row);
      if (!alpha)  // drop the alpha bytes in place
        for (int x = 0; x < picture.width; ++x) std::memmove(&row[x * 3], &row[x * 4], 3);
      source = row;
    }
    png_write_row(png, const_cast<png_bytep>(source));
  }
  png_write_end(png, nullptr);
}

}  // namespace

bool EncodePng(const PictureData& picture, std::string& out, std::string& error) {
  ErrorText errorText{};
  WriteBuffers buffers;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &errorText, OnError, OnWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    error = "PNG: out of memory";
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    error = std::string("PNG: ") + errorText.text;
    return false;
  }
  out.clear();
  png_set_write_fn(png, &out, AppendBytes, Flush);
  WritePicture(png, info, picture, buffers);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace mb::codec
