// Drawing into one image of the skin picture: fills, vertical gradients and anti-aliased
// shapes (4 x 4 samples per pixel), clipped to the image. Coordinates are the image's own.
#pragma once

#include <functional>
#include <vector>

#include "skin/format/bmp24.h"

namespace mb::skinart {

using skinfile::Rgb;

struct Box {
  double x = 0;
  double y = 0;
  double w = 0;
  double h = 0;
};

struct Point {
  double x = 0;
  double y = 0;
};

Rgb Mix(Rgb a, Rgb b, double t);  // t = 0 gives a, 1 gives b
Rgb Lighten(Rgb c, double t);     // towards white
Rgb Darken(Rgb c, double t);      // towards black

class Raster {
 public:
  Raster(skinfile::Bitmap24& picture, int x, int y, int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  Box Bounds() const { return {0, 0, static_cast<double>(width_), static_cast<double>(height_)}; }

  Rgb At(int x, int y) const;
  void Set(int x, int y, Rgb c);
  void Blend(int x, int y, Rgb c, double alpha);

  void Fill(const Box& b, Rgb c);
  void VerticalGradient(const Box& b, Rgb top, Rgb bottom);

  // Anti-aliased fill of a shape, coloured by height within the shape's box.
  void FillShape(const Box& bounds, const std::function<bool(double, double)>& inside, Rgb top, Rgb bottom);
  void FillRoundRect(const Box& b, double radius, Rgb top, Rgb bottom);
  void FillRoundRect(const Box& b, double radius, Rgb c) { FillRoundRect(b, radius, c, c); }
  void StrokeRoundRect(const Box& b, double radius, double width, Rgb c);
  void FillPolygon(const std::vector<Point>& points, Rgb c);
  void FillCircle(double cx, double cy, double r, Rgb c);
  void DrawLine(Point a, Point b, double width, Rgb c);

  // Every pixel whose centre lies outside the rounded rectangle becomes the key colour: the
  // window's shape and the see-through part of the image.
  void KeyOutsideRoundRect(const Box& b, double radius, Rgb key);
  void KeyInside(const Box& b, Rgb key);

 private:
  skinfile::Bitmap24& picture_;
  int x_;
  int y_;
  int width_;
  int height_;
};

bool InsideRoundRect(const Box& b, double radius, double px, double py);

}  // namespace mb::skinart
