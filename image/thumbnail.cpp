// The thumbnail path: a JPEG is decoded at the coarsest DCT scale that still covers the box, then
// every picture is shrunk smoothly to its fitted size.
#include <algorithm>
#include <cstdio>
#include <utility>

#include "common/atomic_file.h"
#include "image/codecs.h"
#include "image/picture.h"

namespace mb {

PixelRect FitInside(int width, int height, int boxWidth, int boxHeight) {
  PixelRect r{0, 0, boxWidth, boxHeight};
  if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0) return r;
  // height / width > boxHeight / boxWidth, in integers.
  if (static_cast<std::int64_t>(height) * boxWidth > static_cast<std::int64_t>(boxHeight) * width) {
    const int w = std::max<int>(1, static_cast<int>(static_cast<std::int64_t>(width) * boxHeight / height));
    r.left = (boxWidth - w) / 2;
    r.right = r.left + w;
  } else {
    const int h = std::max<int>(1, static_cast<int>(static_cast<std::int64_t>(height) * boxWidth / width));
    r.top = (boxHeight - h) / 2;
    r.bottom = r.top + h;
  }
  return r;
}

namespace {

// The size a width x height picture is shown at in the box: fitted, but never enlarged.
std::pair<int, int> ShrunkSize(int width, int height, int boxWidth, int boxHeight) {
  const PixelRect fit = FitInside(width, height, boxWidth, boxHeight);
  if (fit.Width() >= width || fit.Height() >= height) return {width, height};
  return {fit.Width(), fit.Height()};
}

}  // namespace

int JpegScaleDivisor(int width, int height, int boxWidth, int boxHeight) {
  const auto [targetWidth, targetHeight] = ShrunkSize(width, height, boxWidth, boxHeight);
  for (int divisor : {8, 4, 2}) {
    // The decoder rounds a scaled side up.
    if ((width + divisor - 1) / divisor >= targetWidth && (height + divisor - 1) / divisor >= targetHeight)
      return divisor;
  }
  return 1;
}

namespace {

// Shrinks a decoded picture (full size width x height) to its size in the box.
bool ShrinkToBox(Picture& picture, int width, int height, int boxWidth, int boxHeight) {
  const auto [targetWidth, targetHeight] = ShrunkSize(width, height, boxWidth, boxHeight);
  if (picture.Width() <= targetWidth && picture.Height() <= targetHeight) return true;
  return picture.Resample(std::min(targetWidth, picture.Width()), std::min(targetHeight, picture.Height()),
                          ResampleFilter::kSmooth);
}

}  // namespace

bool Picture::DecodeJpegToFit(const void* bytes, std::size_t size, std::FILE* file, int boxWidth, int boxHeight,
                              int* fullWidth, int* fullHeight) {
  Clear();
  codec::DecodeRequest request;
  request.bytes = static_cast<const std::uint8_t*>(bytes);
  request.size = size;
  request.file = file;
  request.fitWidth = boxWidth;
  request.fitHeight = boxHeight;
  int width = 0, height = 0;
  request.fullWidth = &width;
  request.fullHeight = &height;
  if (!DecodeAs(PictureFormat::kJpeg, request)) return false;
  if (fullWidth) *fullWidth = width;
  if (fullHeight) *fullHeight = height;
  return ShrinkToBox(*this, width, height, boxWidth, boxHeight);
}

bool DecodeThumbnail(const void* bytes, std::size_t size, int boxWidth, int boxHeight, Picture& out,
                     int* fullWidth, int* fullHeight) {
  if (DetectPictureFormat(bytes, size) == PictureFormat::kJpeg)
    return out.DecodeJpegToFit(bytes, size, nullptr, boxWidth, boxHeight, fullWidth, fullHeight);
  if (!out.Decode(bytes, size)) return false;
  if (fullWidth) *fullWidth = out.Width();
  if (fullHeight) *fullHeight = out.Height();
  return ShrinkToBox(out, out.Width(), out.Height(), boxWidth, boxHeight);
}

bool LoadThumbnail(const std::string& path, int boxWidth, int boxHeight, Picture& out, int* fullWidth,
                   int* fullHeight) {
  codec::FilePtr file(std::fopen(path.c_str(), "rb"));
  if (file && codec::IsJpegFile(file.get()))
    return out.DecodeJpegToFit(nullptr, 0, file.get(), boxWidth, boxHeight, fullWidth, fullHeight);
  file.reset();
  const auto bytes = ReadWholeFile(path);
  if (!bytes) {
    out.Clear();
    return out.Fail("cannot read the file " + path);
  }
  return DecodeThumbnail(bytes->data(), bytes->size(), boxWidth, boxHeight, out, fullWidth, fullHeight);
}

Picture MakeFramedThumbnail(const Picture& picture, int boxWidth, int boxHeight, Rgba frameColour,
                            Rgba background) {
  Picture framed;
  if (!framed.Create(std::max(boxWidth, 1), std::max(boxHeight, 1), background)) return framed;
  for (int x = 0; x < framed.Width(); ++x) {
    framed.SetPixelColor(x, 0, frameColour);
    framed.SetPixelColor(x, framed.Height() - 1, frameColour);
  }
  for (int y = 0; y < framed.Height(); ++y) {
    framed.SetPixelColor(0, y, frameColour);
    framed.SetPixelColor(framed.Width() - 1, y, frameColour);
  }
  if (!picture.IsValid() || boxWidth < 3 || boxHeight < 3) return framed;
  const PixelRect fit = FitInside(picture.Width(), picture.Height(), boxWidth - 2, boxHeight - 2);
  Picture fitted = picture;
  if (!fitted.Resample(fit.Width(), fit.Height(), ResampleFilter::kSmooth)) return framed;
  framed.Mix(fitted, 1 + fit.left, 1 + fit.top, MixMode::kSourceAlpha);
  return framed;
}

}  // namespace mb
