// JPEG through libjpeg-turbo: colour pictures come out as blue-green-red rows straight from the
// decoder, grey ones as 8-bit pictures with a grey palette, CMYK ones are turned into RGB. A
// scale divisor makes the decoder work at 1/2, 1/4 or 1/8 of the size (the thumbnail path).
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>
#include <jerror.h>

#include "image/codecs.h"

namespace mb::codec {

namespace {

// libjpeg reports a fatal error through error_exit; it jumps back to the caller's setjmp with
// the message kept. A file that ends early is only a warning to libjpeg (it fills the rest grey);
// here it is an error, so a cut-off download is never taken for a whole picture.
struct ErrorTrap {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
  auto* trap = reinterpret_cast<ErrorTrap*>(cinfo->err);
  cinfo->err->format_message(cinfo, trap->message);
  std::longjmp(trap->jump, 1);
}

void EmitMessage(j_common_ptr cinfo, int level) {
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) {
    auto* trap = reinterpret_cast<ErrorTrap*>(cinfo->err);
    std::snprintf(trap->message, sizeof trap->message, "the data ends before the picture is complete");
    std::longjmp(trap->jump, 1);
  }
}

void InstallTrap(ErrorTrap& trap) {
  jpeg_std_error(&trap.manager);
  trap.manager.error_exit = ErrorExit;
  trap.manager.emit_message = EmitMessage;
  trap.message[0] = '\0';
}

bool Refuse(std::string& error, const char* why) {
  error = std::string("JPEG: ") + why;
  return false;
}

// A row buffer from the codec's own pool: freed with the codec object, also after an error jump.
std::uint8_t* PoolRow(j_common_ptr cinfo, std::size_t bytes) {
  return (*cinfo->mem->alloc_sarray)(cinfo, JPOOL_IMAGE, static_cast<JDIMENSION>(bytes), 1)[0];
}

bool WithinLimits(const jpeg_decompress_struct& cinfo, const DecodeLimits& limits, std::string& error) {
  const std::string refusal =
      CheckLimits(static_cast<int>(cinfo.image_width), static_cast<int>(cinfo.image_height), limits);
  if (refusal.empty()) return true;
  error = "JPEG: " + refusal;
  return false;
}

// Reads the decoder's output rows into the picture (started decompressor).
void ReadRows(jpeg_decompress_struct& cinfo, PictureData& out, std::uint8_t* cmykRow) {
  while (cinfo.output_scanline < cinfo.output_height) {
    std::uint8_t* row = &out.pixels[cinfo.output_scanline * out.Stride()];
    JSAMPROW target = cmykRow ? cmykRow : row;
    jpeg_read_scanlines(&cinfo, &target, 1);
    if (!cmykRow) continue;
    // Adobe writes CMYK inverted: each value is already 255 - ink.
    for (unsigned x = 0; x < cinfo.output_width; ++x) {
      const unsigned k = cmykRow[x * 4 + 3];
      row[x * 3] = static_cast<std::uint8_t>(cmykRow[x * 4 + 2] * k / 255);
      row[x * 3 + 1] = static_cast<std::uint8_t>(cmykRow[x * 4 + 1] * k / 255);
      row[x * 3 + 2] = static_cast<std::uint8_t>(cmykRow[x * 4] * k / 255);
    }
  }
}

}  // namespace

bool DecodeJpeg(const DecodeRequest& request, PictureData& out, std::string& error) {
  jpeg_decompress_struct cinfo;
  ErrorTrap trap;
  cinfo.err = &trap.manager;
  InstallTrap(trap);
  if (setjmp(trap.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return Refuse(error, trap.message);
  }
  jpeg_create_decompress(&cinfo);
  if (request.file) {
    jpeg_stdio_src(&cinfo, request.file);
  } else {
    jpeg_mem_src(&cinfo, request.bytes, static_cast<unsigned long>(request.size));
  }
  jpeg_read_header(&cinfo, TRUE);
  if (!WithinLimits(cinfo, request.limits, error)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  const int width = static_cast<int>(cinfo.image_width), height = static_cast<int>(cinfo.image_height);
  if (request.fullWidth) *request.fullWidth = width;
  if (request.fullHeight) *request.fullHeight = height;
  const int divisor = request.fitWidth > 0 ? JpegScaleDivisor(width, height, request.fitWidth, request.fitHeight) : 1;
  const bool grey = cinfo.jpeg_color_space == JCS_GRAYSCALE;
  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_EXT_BGR;
  if (divisor > 1) {
    cinfo.scale_num = 1;
    cinfo.scale_denom = static_cast<unsigned>(divisor);
    // A thumbnail is shrunk further afterwards: the cheaper upsampling loses nothing visible.
    cinfo.do_fancy_upsampling = FALSE;
    cinfo.do_block_smoothing = FALSE;
  }
  jpeg_start_decompress(&cinfo);
  out = PictureData{};
  out.width = static_cast<int>(cinfo.output_width);
  out.height = static_cast<int>(cinfo.output_height);
  out.bitsPerPixel = grey ? 8 : 24;
  out.format = PictureFormat::kJpeg;
  out.frameCount = 1;
  out.pixels.resize(out.Stride() * out.height);
  if (grey) {
    out.palette.resize(256);
    for (int i = 0; i < 256; ++i) {
      const auto v = static_cast<std::uint8_t>(i);
      out.palette[i] = Rgba{v, v, v, 255};
    }
  }
  ReadRows(cinfo, out, cmyk ? PoolRow(reinterpret_cast<j_common_ptr>(&cinfo), out.width * 4u) : nullptr);
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

bool EncodeJpeg(const PictureData& picture, int quality, std::string& out, std::string& error) {
  jpeg_compress_struct cinfo;
  ErrorTrap trap;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  cinfo.err = &trap.manager;
  InstallTrap(trap);
  if (setjmp(trap.jump)) {
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return Refuse(error, trap.message);
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(picture.width);
  cinfo.image_height = static_cast<JDIMENSION>(picture.height);
  const bool indexed = picture.bitsPerPixel == 8;
  cinfo.input_components = indexed ? 4 : 3;
  cinfo.in_color_space = indexed ? JCS_EXT_BGRX : JCS_EXT_BGR;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality < 1 ? 1 : quality > 100 ? 100 : quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::uint8_t* colourRow = indexed ? PoolRow(reinterpret_cast<j_common_ptr>(&cinfo), picture.width * 4u) : nullptr;
  while (cinfo.next_scanline < cinfo.image_height) {
    const std::uint8_t* in = &picture.pixels[cinfo.next_scanline * picture.Stride()];
    if (indexed) {
      ReadBgraRow(picture, static_cast<int>(cinfo.next_scanline), colourRow);
      in = colourRow;
    }
    JSAMPROW row = const_cast<JSAMPROW>(in);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  out.assign(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  return true;
}

}  // namespace mb::codec
