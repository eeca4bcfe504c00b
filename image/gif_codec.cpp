// GIF through giflib. One frame is decoded (the first unless asked otherwise) onto the logical
// screen as an 8-bit picture with the frame's colour table and transparent index; the other
// frames are only counted, their compressed data skipped. True-colour pictures are reduced to 256
// colours when written; alpha below 128 becomes the transparent index.
#include <algorithm>
#include <cstring>
#include <vector>

#include <gif_lib.h>

#include "image/codecs.h"

namespace mb::codec {

namespace {

int ReadBytes(GifFileType* gif, GifByteType* target, int length) {
  return static_cast<int>(static_cast<ByteReader*>(gif->UserData)->Take(target, static_cast<std::size_t>(length)));
}

int WriteBytes(GifFileType* gif, const GifByteType* data, int length) {
  static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
  return length;
}

// Closes the decoder or encoder however the function ends.
struct GifCloser {
  GifFileType* gif;
  bool reading;
  ~GifCloser() {
    int ignored = 0;
    if (gif) reading ? DGifCloseFile(gif, &ignored) : EGifCloseFile(gif, &ignored);
  }
};

bool Refuse(std::string& error, const std::string& why) {
  error = "GIF: " + why;
  return false;
}
bool Refuse(std::string& error, int code) { return Refuse(error, GifErrorString(code) ? GifErrorString(code) : "error"); }

// Skips the compressed pixel data of a frame that is not decoded.
bool SkipFrameData(GifFileType* gif) {
  int codeSize = 0;
  GifByteType* block = nullptr;
  if (DGifGetCode(gif, &codeSize, &block) != GIF_OK) return false;
  while (block) {
    if (DGifGetCodeNext(gif, &block) != GIF_OK) return false;
  }
  return true;
}

bool SkipExtensionData(GifFileType* gif, GifByteType* block) {
  while (block) {
    if (DGifGetExtensionNext(gif, &block) != GIF_OK) return false;
  }
  return true;
}

// Reads the current frame (its descriptor just read) onto the screen-sized picture.
bool ReadFrame(GifFileType* gif, const DecodeLimits& limits, int transIndex, PictureData& out, std::string& error) {
  const GifImageDesc& frame = gif->Image;
  std::string refusal = CheckLimits(frame.Width, frame.Height, limits);
  if (!refusal.empty()) return Refuse(error, refusal);
  if (frame.Left < 0 || frame.Top < 0) return Refuse(error, "a frame lies outside the picture");
  const int width = std::max(gif->SWidth, frame.Left + frame.Width);
  const int height = std::max(gif->SHeight, frame.Top + frame.Height);
  refusal = CheckLimits(width, height, limits);
  if (!refusal.empty()) return Refuse(error, refusal);
  const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
  if (!map || map->ColorCount <= 0) return Refuse(error, "a frame without a colour table");
  out.width = width;
  out.height = height;
  out.bitsPerPixel = 8;
  for (int i = 0; i < map->ColorCount; ++i)
    out.palette.push_back(Rgba{map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue, 255});
  const int entries = static_cast<int>(out.palette.size());
  out.transIndex = transIndex < entries ? transIndex : -1;
  const int background = out.transIndex >= 0 ? out.transIndex : std::min(gif->SBackGroundColor, entries - 1);
  out.pixels.assign(out.Stride() * height, static_cast<std::uint8_t>(background));
  std::vector<GifPixelType> line(frame.Width);
  static const int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
  const int passes = frame.Interlace ? 4 : 1;
  for (int pass = 0; pass < passes; ++pass) {
    for (int y = frame.Interlace ? kStart[pass] : 0; y < frame.Height; y += frame.Interlace ? kStep[pass] : 1) {
      if (DGifGetLine(gif, line.data(), frame.Width) != GIF_OK) return Refuse(error, gif->Error);
      std::uint8_t* row = &out.pixels[static_cast<std::size_t>(frame.Top + y) * width + frame.Left];
      for (int x = 0; x < frame.Width; ++x)
        row[x] = static_cast<std::uint8_t>(std::min<int>(line[x], entries - 1));
    }
  }
  return true;
}

}  // namespace

bool DecodeGif(const DecodeRequest& request, PictureData& out, std::string& error) {
  ByteReader reader{request.bytes, request.size};
  int code = 0;
  GifCloser decoder{DGifOpen(&reader, ReadBytes, &code), true};
  GifFileType* gif = decoder.gif;
  if (!gif) return Refuse(error, code);
  if (gif->SWidth > request.limits.maxWidth || gif->SHeight > request.limits.maxHeight)
    return Refuse(error, CheckLimits(gif->SWidth, gif->SHeight, request.limits));
  out = PictureData{};
  out.format = PictureFormat::kGif;
  int frames = 0, transIndex = -1;
  bool decoded = false;
  for (;;) {
    GifRecordType type;
    if (DGifGetRecordType(gif, &type) != GIF_OK) {
      if (decoded) break;  // a broken tail after the wanted frame still leaves that frame
      return Refuse(error, gif->Error);
    }
    if (type == TERMINATE_RECORD_TYPE) break;
    if (type == EXTENSION_RECORD_TYPE) {
      int function = 0;
      GifByteType* block = nullptr;
      if (DGifGetExtension(gif, &function, &block) != GIF_OK) return Refuse(error, gif->Error);
      GraphicsControlBlock control;
      if (function == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4 &&
          DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
        transIndex = control.TransparentColor;
      if (!SkipExtensionData(gif, block)) return Refuse(error, gif->Error);
      continue;
    }
    if (type != IMAGE_DESC_RECORD_TYPE) continue;
    if (DGifGetImageDesc(gif) != GIF_OK) return Refuse(error, gif->Error);
    if (frames++ == request.frame) {
      if (!ReadFrame(gif, request.limits, transIndex, out, error)) return false;
      decoded = true;
    } else if (!SkipFrameData(gif)) {
      if (decoded) break;
      return Refuse(error, gif->Error);
    }
    transIndex = -1;  // a control block belongs to the next frame only
  }
  if (!decoded) return Refuse(error, "the file has no frame " + std::to_string(request.frame + 1));
  out.frameCount = frames;
  return true;
}

bool EncodeGif(const PictureData& picture, std::string& out, std::string& error) {
  const int width = picture.width, height = picture.height;
  const std::size_t count = static_cast<std::size_t>(width) * height;
  std::vector<GifByteType> indices(count);
  std::vector<GifColorType> colours;
  int transIndex = -1;
  if (picture.bitsPerPixel == 8 && picture.alpha.empty() && !picture.palette.empty()) {
    std::copy(picture.pixels.begin(), picture.pixels.end(), indices.begin());
    for (const Rgba& c : picture.palette) colours.push_back(GifColorType{c.r, c.g, c.b});
    transIndex = picture.transIndex;
  } else {
    // Reduce to 255 colours; index 255 is kept for the transparent pixels.
    std::vector<GifByteType> red(count), green(count), blue(count);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 4);
    bool anyTransparent = false;
    for (int y = 0; y < height; ++y) {
      ReadBgraRow(picture, y, row.data());
      for (int x = 0; x < width; ++x) {
        const std::size_t i = static_cast<std::size_t>(y) * width + x;
        blue[i] = row[x * 4];
        green[i] = row[x * 4 + 1];
        red[i] = row[x * 4 + 2];
        anyTransparent = anyTransparent || row[x * 4 + 3] < 128;
      }
    }
    int mapSize = anyTransparent ? 255 : 256;
    colours.resize(256);
    if (GifQuantizeBuffer(static_cast<unsigned>(width), static_cast<unsigned>(height), &mapSize, red.data(),
                          green.data(), blue.data(), indices.data(), colours.data()) != GIF_OK)
      return Refuse(error, "the colours could not be reduced to 256");
    colours.resize(std::max(mapSize, anyTransparent ? 256 : 2));
    if (anyTransparent) {
      transIndex = 255;
      for (int y = 0; y < height; ++y) {
        ReadBgraRow(picture, y, row.data());
        for (int x = 0; x < width; ++x)
          if (row[x * 4 + 3] < 128) indices[static_cast<std::size_t>(y) * width + x] = 255;
      }
    }
  }
  int tableSize = 2;
  while (tableSize < static_cast<int>(colours.size())) tableSize *= 2;
  colours.resize(tableSize, GifColorType{0, 0, 0});
  ColorMapObject* map = GifMakeMapObject(tableSize, colours.data());
  if (!map) return Refuse(error, "out of memory");
  out.clear();
  int code = 0;
  GifCloser encoder{EGifOpen(&out, WriteBytes, &code), false};
  GifFileType* gif = encoder.gif;
  bool ok = gif != nullptr;
  if (ok && transIndex >= 0) EGifSetGifVersion(gif, true);
  ok = ok && EGifPutScreenDesc(gif, width, height, 8, 0, map) == GIF_OK;
  if (ok && transIndex >= 0) {
    GraphicsControlBlock control = {};
    control.DisposalMode = DISPOSAL_UNSPECIFIED;
    control.TransparentColor = transIndex;
    GifByteType extension[4];
    const std::size_t length = EGifGCBToExtension(&control, extension);
    ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) == GIF_OK;
  }
  ok = ok && EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
  for (int y = 0; ok && y < height; ++y)
    ok = EGifPutLine(gif, &indices[static_cast<std::size_t>(y) * width], width) == GIF_OK;
  if (!ok) code = gif ? gif->Error : code;
  GifFreeMapObject(map);
  if (!ok) return Refuse(error, code);
  if (EGifCloseFile(gif, &code) != GIF_OK) {
    encoder.gif = nullptr;  // EGifCloseFile frees it whatever it returns
    return Refuse(error, code);
  }
  encoder.gif = nullptr;
  return true;
}

}  // namespace mb::codec
