#include "image/picture.h"

#include <algorithm>
#include <utility>

#include "common/atomic_file.h"
#include "image/codecs.h"

namespace mb {

namespace {

int Blend(int source, int destination, int alpha) {
  return (source * alpha + destination * (255 - alpha) + 127) / 255;
}

}  // namespace

PictureFormat DetectPictureFormat(const void* bytes, std::size_t size) {
  const auto* b = static_cast<const std::uint8_t*>(bytes);
  if (size >= 3 && b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF) return PictureFormat::kJpeg;
  if (size >= 8 && b[0] == 0x89 && b[1] == 'P' && b[2] == 'N' && b[3] == 'G' && b[4] == 0x0D &&
      b[5] == 0x0A && b[6] == 0x1A && b[7] == 0x0A)
    return PictureFormat::kPng;
  if (size >= 6 && b[0] == 'G' && b[1] == 'I' && b[2] == 'F' && b[3] == '8' &&
      (b[4] == '7' || b[4] == '9') && b[5] == 'a')
    return PictureFormat::kGif;
  if (size >= 2 && b[0] == 'B' && b[1] == 'M') return PictureFormat::kBmp;
  return PictureFormat::kUnknown;
}

bool Picture::Fail(std::string message) {
  lastError_ = std::move(message);
  return false;
}

void Picture::Clear() {
  data_ = PictureData{};
  selection_ = PixelRect{};
}

void Picture::Adopt(PictureData data) {
  data_ = std::move(data);
  selection_ = PixelRect{};
  lastError_.clear();
}

bool Picture::Load(const std::string& path, int frame) {
  Clear();
  codec::FilePtr file(std::fopen(path.c_str(), "rb"));
  if (file && codec::IsJpegFile(file.get())) {
    codec::DecodeRequest request;
    request.file = file.get();
    return DecodeAs(PictureFormat::kJpeg, request);
  }
  file.reset();
  const auto bytes = ReadWholeFile(path);
  if (!bytes) return Fail("cannot read the file " + path);
  return Decode(bytes->data(), bytes->size(), frame);
}

bool Picture::Decode(const void* bytes, std::size_t size, int frame) {
  Clear();
  codec::DecodeRequest request;
  request.bytes = static_cast<const std::uint8_t*>(bytes);
  request.size = size;
  request.frame = frame;
  return DecodeAs(DetectPictureFormat(bytes, size), request);
}

bool Picture::DecodeAs(PictureFormat format, codec::DecodeRequest request) {
  request.limits = limits_;
  PictureData decoded;
  std::string error;
  bool ok = false;
  switch (format) {
    case PictureFormat::kBmp: ok = codec::DecodeBmp(request, decoded, error); break;
    case PictureFormat::kJpeg: ok = codec::DecodeJpeg(request, decoded, error); break;
    case PictureFormat::kPng: ok = codec::DecodePng(request, decoded, error); break;
    case PictureFormat::kGif: ok = codec::DecodeGif(request, decoded, error); break;
    case PictureFormat::kUnknown: return Fail("not a picture in a known format (BMP, GIF, JPEG, PNG)");
  }
  if (!ok) return Fail(error);
  Adopt(std::move(decoded));
  return true;
}

bool Picture::Encode(PictureFormat format, std::string& out) {
  out.clear();
  if (!IsValid()) return Fail("no picture to save");
  std::string error;
  bool ok = false;
  switch (format) {
    case PictureFormat::kBmp: ok = codec::EncodeBmp(data_, out, error); break;
    case PictureFormat::kJpeg: ok = codec::EncodeJpeg(data_, jpegQuality_, out, error); break;
    case PictureFormat::kPng: ok = codec::EncodePng(data_, out, error); break;
    case PictureFormat::kGif: ok = codec::EncodeGif(data_, out, error); break;
    case PictureFormat::kUnknown: return Fail("no format to save in");
  }
  if (!ok) {
    out.clear();
    return Fail(error);
  }
  return true;
}

bool Picture::Save(const std::string& path, PictureFormat format) {
  std::string bytes;
  if (!Encode(format, bytes)) return false;
  if (!WriteFileReplacing(path, bytes)) return Fail("cannot write the file " + path);
  return true;
}

bool Picture::Create(int width, int height, Rgba fill) {
  Clear();
  if (width <= 0 || height <= 0) return Fail("a picture needs a positive width and height");
  const std::string refusal = codec::CheckLimits(width, height, limits_);
  if (!refusal.empty()) return Fail(refusal);
  PictureData data;
  data.width = width;
  data.height = height;
  data.bitsPerPixel = 24;
  data.frameCount = 1;
  data.pixels.resize(data.Stride() * static_cast<std::size_t>(height));
  for (std::size_t i = 0; i < data.pixels.size(); i += 3) {
    data.pixels[i] = fill.b;
    data.pixels[i + 1] = fill.g;
    data.pixels[i + 2] = fill.r;
  }
  if (fill.a != 255) data.alpha.assign(static_cast<std::size_t>(width) * height, fill.a);
  Adopt(std::move(data));
  return true;
}

void Picture::PromoteToTrueColour() {
  if (data_.bitsPerPixel == 24) return;
  const std::size_t count = static_cast<std::size_t>(data_.width) * data_.height;
  std::vector<std::uint8_t> pixels(count * 3);
  const bool transparentIndex = data_.transIndex >= 0;
  if (transparentIndex && data_.alpha.empty()) data_.alpha.assign(count, 255);
  for (std::size_t i = 0; i < count; ++i) {
    const int index = data_.pixels[i];
    const Rgba c = index < PaletteSize() ? data_.palette[index] : Rgba{};
    pixels[i * 3] = c.b;
    pixels[i * 3 + 1] = c.g;
    pixels[i * 3 + 2] = c.r;
    if (transparentIndex && index == data_.transIndex) data_.alpha[i] = 0;
  }
  data_.pixels = std::move(pixels);
  data_.bitsPerPixel = 24;
  data_.palette.clear();
  data_.transIndex = -1;
}

void Picture::SelectionSet(const PixelRect& rect) {
  selection_.left = std::clamp(std::min(rect.left, rect.right), 0, data_.width);
  selection_.right = std::clamp(std::max(rect.left, rect.right), 0, data_.width);
  selection_.top = std::clamp(std::min(rect.top, rect.bottom), 0, data_.height);
  selection_.bottom = std::clamp(std::max(rect.top, rect.bottom), 0, data_.height);
  if (selection_.IsEmpty()) selection_ = PixelRect{};
}

void Picture::AlphaCreate() {
  if (data_.alpha.empty() && IsValid())
    data_.alpha.assign(static_cast<std::size_t>(data_.width) * data_.height, 255);
}

void Picture::AlphaFill(std::uint8_t value) {
  if (!IsValid()) return;
  data_.alpha.assign(static_cast<std::size_t>(data_.width) * data_.height, value);
}

Rgba Picture::GetPixelColor(int x, int y) const {
  if (x < 0 || y < 0 || x >= data_.width || y >= data_.height) return Rgba{0, 0, 0, 0};
  const std::size_t i = static_cast<std::size_t>(y) * data_.width + x;
  Rgba c;
  if (data_.bitsPerPixel == 8) {
    const int index = data_.pixels[i];
    if (index < PaletteSize()) c = data_.palette[index];
  } else {
    c.b = data_.pixels[i * 3];
    c.g = data_.pixels[i * 3 + 1];
    c.r = data_.pixels[i * 3 + 2];
  }
  c.a = data_.alpha.empty() ? 255 : data_.alpha[i];
  return c;
}

int Picture::GetPixelIndex(int x, int y) const {
  if (data_.bitsPerPixel != 8 || x < 0 || y < 0 || x >= data_.width || y >= data_.height) return 0;
  return data_.pixels[static_cast<std::size_t>(y) * data_.width + x];
}

std::uint8_t Picture::GetPixelAlpha(int x, int y) const {
  if (x < 0 || y < 0 || x >= data_.width || y >= data_.height) return 0;
  return data_.alpha.empty() ? 255 : data_.alpha[static_cast<std::size_t>(y) * data_.width + x];
}

void Picture::SetPixelColor(int x, int y, Rgba colour, bool setAlpha) {
  if (x < 0 || y < 0 || x >= data_.width || y >= data_.height) return;
  const std::size_t i = static_cast<std::size_t>(y) * data_.width + x;
  if (data_.bitsPerPixel == 8) {
    int best = 0;
    long bestDistance = -1;
    for (int k = 0; k < PaletteSize(); ++k) {
      const Rgba& p = data_.palette[k];
      const long dr = p.r - colour.r, dg = p.g - colour.g, db = p.b - colour.b;
      const long distance = dr * dr + dg * dg + db * db;
      if (bestDistance < 0 || distance < bestDistance) {
        best = k;
        bestDistance = distance;
      }
    }
    data_.pixels[i] = static_cast<std::uint8_t>(best);
  } else {
    data_.pixels[i * 3] = colour.b;
    data_.pixels[i * 3 + 1] = colour.g;
    data_.pixels[i * 3 + 2] = colour.r;
  }
  if (setAlpha) {
    if (data_.alpha.empty() && colour.a != 255) AlphaCreate();
    if (!data_.alpha.empty()) data_.alpha[i] = colour.a;
  }
}

Rgba Picture::PaletteColor(int index) const {
  if (index < 0 || index >= PaletteSize()) return Rgba{0, 0, 0, 0};
  return data_.palette[index];
}

void Picture::SetTransIndex(int index) {
  data_.transIndex = (index >= 0 && index < PaletteSize()) ? index : -1;
}

std::vector<std::uint8_t> Picture::ToBgra(bool premultiplied) const {
  std::vector<std::uint8_t> out(static_cast<std::size_t>(data_.width) * data_.height * 4);
  const bool keyed = data_.bitsPerPixel == 24 && data_.transColor.a == 255;
  for (int y = 0; y < data_.height; ++y) {
    std::uint8_t* row = &out[static_cast<std::size_t>(y) * data_.width * 4];
    codec::ReadBgraRow(data_, y, row);
    for (std::uint8_t* o = row; o < row + data_.width * 4; o += 4) {
      if (keyed && o[0] == data_.transColor.b && o[1] == data_.transColor.g && o[2] == data_.transColor.r)
        o[3] = 0;
      if (!premultiplied) continue;
      for (int k = 0; k < 3; ++k) o[k] = static_cast<std::uint8_t>(Blend(o[k], 0, o[3]));
    }
  }
  return out;
}

void Picture::BlendMask(const std::uint8_t* mask, int maskWidth, int maskHeight, int x, int y,
                        Rgba colour) {
  if (!IsValid() || !mask) return;
  PromoteToTrueColour();
  for (int my = std::max(0, -y); my < maskHeight && y + my < data_.height; ++my) {
    for (int mx = std::max(0, -x); mx < maskWidth && x + mx < data_.width; ++mx) {
      const int coverage = mask[static_cast<std::size_t>(my) * maskWidth + mx] * colour.a / 255;
      if (coverage == 0) continue;
      const std::size_t i = static_cast<std::size_t>(y + my) * data_.width + (x + mx);
      std::uint8_t* p = &data_.pixels[i * 3];
      p[0] = static_cast<std::uint8_t>(Blend(colour.b, p[0], coverage));
      p[1] = static_cast<std::uint8_t>(Blend(colour.g, p[1], coverage));
      p[2] = static_cast<std::uint8_t>(Blend(colour.r, p[2], coverage));
      if (!data_.alpha.empty())
        data_.alpha[i] = static_cast<std::uint8_t>(std::max<int>(data_.alpha[i], coverage));
    }
  }
}

void Picture::Mix(const Picture& source, int x, int y, MixMode mode) {
  if (!IsValid() || !source.IsValid()) return;
  PromoteToTrueColour();
  const std::vector<std::uint8_t> ink = source.ToBgra(false);
  for (int sy = std::max(0, -y); sy < source.Height() && y + sy < data_.height; ++sy) {
    for (int sx = std::max(0, -x); sx < source.Width() && x + sx < data_.width; ++sx) {
      const std::uint8_t* s = &ink[(static_cast<std::size_t>(sy) * source.Width() + sx) * 4];
      int alpha = s[3];
      if (mode == MixMode::kSkipBlack) alpha = (s[0] | s[1] | s[2]) ? 255 : 0;
      if (alpha == 0) continue;
      const std::size_t i = static_cast<std::size_t>(y + sy) * data_.width + (x + sx);
      std::uint8_t* d = &data_.pixels[i * 3];
      for (int k = 0; k < 3; ++k) d[k] = static_cast<std::uint8_t>(Blend(s[k], d[k], alpha));
      if (!data_.alpha.empty())
        data_.alpha[i] = static_cast<std::uint8_t>(alpha + data_.alpha[i] * (255 - alpha) / 255);
    }
  }
}

}  // namespace mb
