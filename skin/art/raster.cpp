#include "skin/art/raster.h"

#include <algorithm>
#include <cmath>

namespace mb::skinart {
namespace {

constexpr int kSamples = 4;

std::uint8_t Channel(double v) { return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

}  // namespace

Rgb Mix(Rgb a, Rgb b, double t) {
  return {Channel(a.r + (b.r - a.r) * t), Channel(a.g + (b.g - a.g) * t), Channel(a.b + (b.b - a.b) * t)};
}
Rgb Lighten(Rgb c, double t) { return Mix(c, Rgb{255, 255, 255}, t); }
Rgb Darken(Rgb c, double t) { return Mix(c, Rgb{0, 0, 0}, t); }

bool InsideRoundRect(const Box& b, double radius, double px, double py) {
  if (px < b.x || py < b.y || px > b.x + b.w || py > b.y + b.h) return false;
  const double r = std::min({radius, b.w / 2, b.h / 2});
  const double cx = std::clamp(px, b.x + r, b.x + b.w - r);
  const double cy = std::clamp(py, b.y + r, b.y + b.h - r);
  const double dx = px - cx;
  const double dy = py - cy;
  return dx * dx + dy * dy <= r * r;
}

Raster::Raster(skinfile::Bitmap24& picture, int x, int y, int width, int height)
    : picture_(picture), x_(x), y_(y), width_(width), height_(height) {}

Rgb Raster::At(int x, int y) const { return picture_.At(x_ + x, y_ + y); }

void Raster::Set(int x, int y, Rgb c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  picture_.Set(x_ + x, y_ + y, c);
}

void Raster::Blend(int x, int y, Rgb c, double alpha) {
  if (alpha <= 0 || x < 0 || y < 0 || x >= width_ || y >= height_) return;
  Set(x, y, alpha >= 1 ? c : Mix(At(x, y), c, alpha));
}

void Raster::Fill(const Box& b, Rgb c) { VerticalGradient(b, c, c); }

void Raster::VerticalGradient(const Box& b, Rgb top, Rgb bottom) {
  const int x0 = static_cast<int>(std::lround(b.x));
  const int y0 = static_cast<int>(std::lround(b.y));
  const int x1 = static_cast<int>(std::lround(b.x + b.w));
  const int y1 = static_cast<int>(std::lround(b.y + b.h));
  for (int y = y0; y < y1; ++y) {
    const double t = y1 - y0 > 1 ? static_cast<double>(y - y0) / (y1 - y0 - 1) : 0;
    const Rgb c = Mix(top, bottom, t);
    for (int x = x0; x < x1; ++x) Set(x, y, c);
  }
}

void Raster::FillShape(const Box& bounds, const std::function<bool(double, double)>& inside, Rgb top, Rgb bottom) {
  const int x0 = std::max(0, static_cast<int>(std::floor(bounds.x)));
  const int y0 = std::max(0, static_cast<int>(std::floor(bounds.y)));
  const int x1 = std::min(width_, static_cast<int>(std::ceil(bounds.x + bounds.w)));
  const int y1 = std::min(height_, static_cast<int>(std::ceil(bounds.y + bounds.h)));
  for (int y = y0; y < y1; ++y) {
    const double t = bounds.h > 1 ? std::clamp((y + 0.5 - bounds.y) / bounds.h, 0.0, 1.0) : 0;
    const Rgb c = Mix(top, bottom, t);
    for (int x = x0; x < x1; ++x) {
      // Pixels whose four corners agree are taken as wholly in or out (the shapes are wide
      // enough for that); only edge pixels are sampled.
      const int corners = inside(x, y) + inside(x + 1, y) + inside(x, y + 1) + inside(x + 1, y + 1);
      if (corners == 0) continue;
      if (corners == 4) {
        Set(x, y, c);
        continue;
      }
      int hits = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          if (inside(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples)) ++hits;
        }
      }
      Blend(x, y, c, static_cast<double>(hits) / (kSamples * kSamples));
    }
  }
}

void Raster::FillRoundRect(const Box& b, double radius, Rgb top, Rgb bottom) {
  FillShape(b, [&](double px, double py) { return InsideRoundRect(b, radius, px, py); }, top, bottom);
}

void Raster::StrokeRoundRect(const Box& b, double radius, double width, Rgb c) {
  const Box inner{b.x + width, b.y + width, b.w - 2 * width, b.h - 2 * width};
  const double innerRadius = std::max(0.0, radius - width);
  FillShape(b,
            [&](double px, double py) {
              return InsideRoundRect(b, radius, px, py) && !InsideRoundRect(inner, innerRadius, px, py);
            },
            c, c);
}

void Raster::FillPolygon(const std::vector<Point>& points, Rgb c) {
  if (points.size() < 3) return;
  double minX = points[0].x, maxX = points[0].x, minY = points[0].y, maxY = points[0].y;
  for (const Point& p : points) {
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
  }
  FillShape({minX, minY, maxX - minX, maxY - minY},
            [&](double px, double py) {
              bool in = false;
              for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
                const Point& a = points[i];
                const Point& b = points[j];
                if ((a.y > py) != (b.y > py) && px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x) in = !in;
              }
              return in;
            },
            c, c);
}

void Raster::FillCircle(double cx, double cy, double r, Rgb c) {
  FillShape({cx - r, cy - r, 2 * r, 2 * r},
            [&](double px, double py) { return (px - cx) * (px - cx) + (py - cy) * (py - cy) <= r * r; }, c, c);
}

void Raster::DrawLine(Point a, Point b, double width, Rgb c) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double len = std::sqrt(dx * dx + dy * dy);
  if (len == 0) return;
  const double nx = -dy / len * width / 2;
  const double ny = dx / len * width / 2;
  FillPolygon({{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}}, c);
}

void Raster::KeyOutsideRoundRect(const Box& b, double radius, Rgb key) {
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      if (!InsideRoundRect(b, radius, x + 0.5, y + 0.5)) Set(x, y, key);
    }
  }
}

void Raster::KeyInside(const Box& b, Rgb key) { Fill(b, key); }

}  // namespace mb::skinart
