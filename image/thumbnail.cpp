// The thumbnail path: a JPEG is decoded at the coarsest DCT scale that still covers the box, then
// every picture is shrunk smoothly to its fitted size.
#include <algorithm>
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

bool DecodeThumbnail(const void* bytes, std::size_t size, int boxWidth, int boxHeight, Picture& out,
                     int* fullWidth, int* fullHeight) {
  int width = 0, height = 0;
  if (DetectPictureFormat(bytes, size) == PictureFormat::kJpeg) {
    out.Clear();
    codec::DecodeRequest request;
    request.bytes = static_cast<const std::uint8_t*>(bytes);
    request.size = size;
    request.limits = out.Limits();
    std::string error;
    if (!codec::ReadJpegSize(request.bytes, size, width, height, error)) return out.Fail(error);
    request.jpegScaleDivisor = JpegScaleDivisor(width, height, boxWidth, boxHeight);
    PictureData decoded;
    if (!codec::DecodeJpeg(request, decoded, error)) return out.Fail(error);
    out.Adopt(std::move(decoded));
  } else {
    if (!out.Decode(bytes, size)) return false;
    width = out.Width();
    height = out.Height();
  }
  if (fullWidth) *fullWidth = width;
  if (fullHeight) *fullHeight = height;
  const auto [targetWidth, targetHeight] = ShrunkSize(width, height, boxWidth, boxHeight);
  if (out.Width() > targetWidth || out.Height() > targetHeight)
    return out.Resample(std::min(targetWidth, out.Width()), std::min(targetHeight, out.Height()),
                        ResampleFilter::kSmooth);
  return true;
}

bool LoadThumbnail(const std::string& path, int boxWidth, int boxHeight, Picture& out, int* fullWidth,
                   int* fullHeight) {
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
