// Geometry of a picture: right-angle rotation, flip, mirror, crop and resampling. Every transform
// moves the alpha plane with the pixels.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "image/codecs.h"
#include "image/picture.h"

namespace mb {

namespace {

// One plane of width x height pixels of `bytes` bytes each, rows top-down.
struct Plane {
  std::vector<std::uint8_t>* data;
  int bytes;
};

template <typename Map>
void Remap(std::vector<std::uint8_t>& plane, int bytes, int width, int newWidth, int newHeight,
           Map sourceOf) {
  if (plane.empty()) return;
  std::vector<std::uint8_t> out(static_cast<std::size_t>(newWidth) * newHeight * bytes);
  for (int y = 0; y < newHeight; ++y) {
    for (int x = 0; x < newWidth; ++x) {
      const auto [sx, sy] = sourceOf(x, y);
      std::memcpy(&out[(static_cast<std::size_t>(y) * newWidth + x) * bytes],
                  &plane[(static_cast<std::size_t>(sy) * width + sx) * bytes], bytes);
    }
  }
  plane = std::move(out);
}

// Area average of each output pixel's source block (shrinking) for `bytes` interleaved channels.
std::vector<std::uint8_t> ShrinkAverage(const std::vector<std::uint8_t>& in, int bytes, int width,
                                        int height, int newWidth, int newHeight) {
  std::vector<std::uint8_t> out(static_cast<std::size_t>(newWidth) * newHeight * bytes);
  std::vector<std::uint32_t> sums(static_cast<std::size_t>(newWidth) * bytes);
  std::vector<int> columnStart(newWidth + 1);
  for (int x = 0; x <= newWidth; ++x)
    columnStart[x] = static_cast<int>(static_cast<std::int64_t>(x) * width / newWidth);
  for (int y = 0; y < newHeight; ++y) {
    const int y0 = static_cast<int>(static_cast<std::int64_t>(y) * height / newHeight);
    const int y1 = std::max(y0 + 1, static_cast<int>(static_cast<std::int64_t>(y + 1) * height / newHeight));
    std::fill(sums.begin(), sums.end(), 0);
    for (int sy = y0; sy < y1; ++sy) {
      const std::uint8_t* row = &in[static_cast<std::size_t>(sy) * width * bytes];
      for (int x = 0; x < newWidth; ++x) {
        const int x1 = std::max(columnStart[x] + 1, columnStart[x + 1]);
        std::uint32_t* sum = &sums[static_cast<std::size_t>(x) * bytes];
        for (int sx = columnStart[x]; sx < x1; ++sx)
          for (int k = 0; k < bytes; ++k) sum[k] += row[sx * bytes + k];
      }
    }
    for (int x = 0; x < newWidth; ++x) {
      const int x1 = std::max(columnStart[x] + 1, columnStart[x + 1]);
      const std::uint32_t area = static_cast<std::uint32_t>((x1 - columnStart[x]) * (y1 - y0));
      for (int k = 0; k < bytes; ++k)
        out[(static_cast<std::size_t>(y) * newWidth + x) * bytes + k] =
            static_cast<std::uint8_t>((sums[static_cast<std::size_t>(x) * bytes + k] + area / 2) / area);
    }
  }
  return out;
}

std::vector<std::uint8_t> Bilinear(const std::vector<std::uint8_t>& in, int bytes, int width,
                                   int height, int newWidth, int newHeight) {
  std::vector<std::uint8_t> out(static_cast<std::size_t>(newWidth) * newHeight * bytes);
  const double scaleX = static_cast<double>(width) / newWidth;
  const double scaleY = static_cast<double>(height) / newHeight;
  for (int y = 0; y < newHeight; ++y) {
    const double fy = std::clamp((y + 0.5) * scaleY - 0.5, 0.0, height - 1.0);
    const int y0 = static_cast<int>(fy);
    const int y1 = std::min(y0 + 1, height - 1);
    const double wy = fy - y0;
    for (int x = 0; x < newWidth; ++x) {
      const double fx = std::clamp((x + 0.5) * scaleX - 0.5, 0.0, width - 1.0);
      const int x0 = static_cast<int>(fx);
      const int x1 = std::min(x0 + 1, width - 1);
      const double wx = fx - x0;
      for (int k = 0; k < bytes; ++k) {
        auto at = [&](int sx, int sy) { return in[(static_cast<std::size_t>(sy) * width + sx) * bytes + k]; };
        const double top = at(x0, y0) * (1 - wx) + at(x1, y0) * wx;
        const double bottom = at(x0, y1) * (1 - wx) + at(x1, y1) * wx;
        out[(static_cast<std::size_t>(y) * newWidth + x) * bytes + k] =
            static_cast<std::uint8_t>(top * (1 - wy) + bottom * wy + 0.5);
      }
    }
  }
  return out;
}

}  // namespace

bool Picture::Rotate(double degrees) {
  if (!IsValid()) return Fail("no picture to rotate");
  const double quarters = degrees / 90.0;
  if (!std::isfinite(quarters) || std::fabs(quarters - std::round(quarters)) > 1e-9)
    return Fail("only rotation by a multiple of 90 degrees is supported");
  const int turns = (static_cast<int>(std::fmod(std::round(quarters), 4.0)) + 4) % 4;
  const int w = data_.width, h = data_.height;
  const int bytes = data_.bitsPerPixel / 8;
  selection_ = PixelRect{};
  switch (turns) {
    case 0: return true;
    case 2:
      Flip();
      Mirror();
      return true;
    case 1:  // clockwise: the left column becomes the top row
      for (Plane p : {Plane{&data_.pixels, bytes}, Plane{&data_.alpha, 1}})
        Remap(*p.data, p.bytes, w, h, w, [h](int x, int y) { return std::pair{y, h - 1 - x}; });
      break;
    default:  // counter-clockwise: the right column becomes the top row
      for (Plane p : {Plane{&data_.pixels, bytes}, Plane{&data_.alpha, 1}})
        Remap(*p.data, p.bytes, w, h, w, [w](int x, int y) { return std::pair{w - 1 - y, x}; });
      break;
  }
  std::swap(data_.width, data_.height);
  return true;
}

void Picture::Flip() {
  const int h = data_.height;
  for (Plane p : {Plane{&data_.pixels, data_.bitsPerPixel / 8}, Plane{&data_.alpha, 1}}) {
    if (p.data->empty()) continue;
    const std::size_t stride = static_cast<std::size_t>(data_.width) * p.bytes;
    for (int y = 0; y < h / 2; ++y)
      std::swap_ranges(p.data->begin() + y * stride, p.data->begin() + (y + 1) * stride,
                       p.data->begin() + (h - 1 - y) * stride);
  }
  selection_ = PixelRect{};
}

void Picture::Mirror() {
  const int w = data_.width;
  for (Plane p : {Plane{&data_.pixels, data_.bitsPerPixel / 8}, Plane{&data_.alpha, 1}}) {
    if (p.data->empty()) continue;
    for (int y = 0; y < data_.height; ++y) {
      std::uint8_t* row = &(*p.data)[static_cast<std::size_t>(y) * w * p.bytes];
      for (int x = 0; x < w / 2; ++x)
        std::swap_ranges(row + x * p.bytes, row + (x + 1) * p.bytes, row + (w - 1 - x) * p.bytes);
    }
  }
  selection_ = PixelRect{};
}

bool Picture::Crop(const PixelRect& rect) {
  if (!IsValid()) return Fail("no picture to crop");
  PixelRect r;
  r.left = std::clamp(rect.left, 0, data_.width);
  r.right = std::clamp(rect.right, 0, data_.width);
  r.top = std::clamp(rect.top, 0, data_.height);
  r.bottom = std::clamp(rect.bottom, 0, data_.height);
  if (r.IsEmpty()) return Fail("the crop rectangle lies outside the picture");
  const int w = data_.width;
  for (Plane p : {Plane{&data_.pixels, data_.bitsPerPixel / 8}, Plane{&data_.alpha, 1}}) {
    if (p.data->empty()) continue;
    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(r.Width()) * r.Height() * p.bytes);
    for (int y = r.top; y < r.bottom; ++y) {
      const auto begin = p.data->begin() + (static_cast<std::size_t>(y) * w + r.left) * p.bytes;
      out.insert(out.end(), begin, begin + static_cast<std::size_t>(r.Width()) * p.bytes);
    }
    *p.data = std::move(out);
  }
  data_.width = r.Width();
  data_.height = r.Height();
  selection_ = PixelRect{};
  return true;
}

bool Picture::Resample(int width, int height, ResampleFilter filter) {
  if (!IsValid()) return Fail("no picture to resample");
  if (width <= 0 || height <= 0) return Fail("a picture needs a positive width and height");
  const std::string refusal = codec::CheckLimits(width, height, limits_);
  if (!refusal.empty()) return Fail(refusal);
  if (width == data_.width && height == data_.height) return true;
  const int w = data_.width, h = data_.height;
  if (filter == ResampleFilter::kNearest) {
    for (Plane p : {Plane{&data_.pixels, data_.bitsPerPixel / 8}, Plane{&data_.alpha, 1}})
      Remap(*p.data, p.bytes, w, width, height, [&](int x, int y) {
        return std::pair{static_cast<int>(static_cast<std::int64_t>(x) * w / width),
                         static_cast<int>(static_cast<std::int64_t>(y) * h / height)};
      });
  } else {
    PromoteToTrueColour();
    const bool shrink = width <= w && height <= h;
    for (Plane p : {Plane{&data_.pixels, 3}, Plane{&data_.alpha, 1}}) {
      if (p.data->empty()) continue;
      *p.data = shrink ? ShrinkAverage(*p.data, p.bytes, w, h, width, height)
                       : Bilinear(*p.data, p.bytes, w, h, width, height);
    }
  }
  data_.width = width;
  data_.height = height;
  selection_ = PixelRect{};
  return true;
}

}  // namespace mb
