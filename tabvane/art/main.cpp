// Draws the pictures the operations panel offers: watermarks (PNG with alpha) into
// <out>/watermark, frames (pure black where the picture shows through) into <out>/frame, and
// the default frame defaultwatermark.gif into <out>.
//   tabvane_art <out>
#include <algorithm>
#include <cstdio>
#include <string>

#include "image/picture.h"

namespace {

using mb::Picture;
using mb::Rgba;

// A rounded badge: a coloured body fading at its edge, with three light stripes.
Picture Badge(int width, int height, Rgba body) {
  Picture p;
  p.Create(width, height, Rgba{0, 0, 0, 0});
  const int radius = height / 4;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int dx = x < radius ? radius - x : (x >= width - radius ? x - (width - radius - 1) : 0);
      const int dy = y < radius ? radius - y : (y >= height - radius ? y - (height - radius - 1) : 0);
      if (dx * dx + dy * dy > radius * radius) continue;
      Rgba c = body;
      if ((x / 6) % 4 == 0 && y > height / 4 && y < height * 3 / 4) c = Rgba{255, 255, 255, 230};
      p.SetPixelColor(x, y, c, true);
    }
  return p;
}

// A frame of the given border width: colour bands around a pure black centre.
Picture Frame(int width, int height, int border, Rgba outer, Rgba inner) {
  Picture p;
  p.Create(width, height, Rgba{0, 0, 0, 255});
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int edge = std::min(std::min(x, y), std::min(width - 1 - x, height - 1 - y));
      if (edge < border) p.SetPixelColor(x, y, edge < border / 2 ? outer : inner);
    }
  return p;
}

bool Write(Picture& p, const std::string& path, mb::PictureFormat format) {
  if (p.Save(path, format)) return true;
  std::fprintf(stderr, "tabvane_art: %s: %s\n", path.c_str(), p.LastError().c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tabvane_art <folder>\n");
    return 2;
  }
  const std::string out = argv[1];
  Picture marks[] = {Badge(100, 50, Rgba{255, 120, 0, 200}), Badge(80, 80, Rgba{0, 110, 230, 200})};
  Picture frames[] = {Frame(400, 300, 24, Rgba{160, 90, 20, 255}, Rgba{230, 190, 120, 255}),
                      Frame(400, 300, 16, Rgba{40, 120, 40, 255}, Rgba{200, 240, 200, 255})};
  // The clear canvas the editor renders a text watermark on.
  Picture textCanvas;
  textCanvas.Create(240, 40, Rgba{255, 255, 255, 0});
  Picture standard = Frame(400, 300, 20, Rgba{255, 169, 2, 255}, Rgba{255, 243, 187, 255});
  bool ok = Write(marks[0], out + "/watermark/watermark1.png", mb::PictureFormat::kPng) &&
            Write(marks[1], out + "/watermark/watermark2.png", mb::PictureFormat::kPng) &&
            Write(frames[0], out + "/frame/frame1.png", mb::PictureFormat::kPng) &&
            Write(frames[1], out + "/frame/frame2.gif", mb::PictureFormat::kGif) &&
            Write(standard, out + "/defaultwatermark.gif", mb::PictureFormat::kGif) &&
            Write(textCanvas, out + "/test.png", mb::PictureFormat::kPng);
  return ok ? 0 : 1;
}
