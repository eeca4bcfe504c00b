// Draws the status bar's two tiles as 24-bit bitmaps into the folder given on the command line:
// status_back.bmp, the warm strip the whole bar is tiled with, and status_pane.bmp, the paler
// strip laid under each pane's text. Both are vertical gradients, so they tile seamlessly across.
// Built and run with the host compiler while the Windows programs are built.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Colour {
  int r, g, b;
};

void WriteLittle(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// top to bottom from one colour to the other, with a one-pixel lighter line at the very top.
std::vector<uint8_t> Gradient(int width, int height, Colour top, Colour bottom, Colour highlight) {
  const int rowBytes = (width * 3 + 3) & ~3;
  std::vector<uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  WriteLittle(out, 54 + rowBytes * height, 4);
  WriteLittle(out, 0, 4);
  WriteLittle(out, 54, 4);
  WriteLittle(out, 40, 4);
  WriteLittle(out, width, 4);
  WriteLittle(out, height, 4);  // bottom-up rows
  WriteLittle(out, 1, 2);
  WriteLittle(out, 24, 2);
  for (int i = 0; i < 6; ++i) WriteLittle(out, 0, 4);
  for (int y = height - 1; y >= 0; --y) {
    Colour c = highlight;
    if (y > 0) {
      const int t = height > 2 ? (y - 1) * 256 / (height - 2) : 0;
      c = {top.r + (bottom.r - top.r) * t / 256, top.g + (bottom.g - top.g) * t / 256,
           top.b + (bottom.b - top.b) * t / 256};
    }
    for (int x = 0; x < width; ++x) {
      out.push_back(static_cast<uint8_t>(c.b));
      out.push_back(static_cast<uint8_t>(c.g));
      out.push_back(static_cast<uint8_t>(c.r));
    }
    for (int pad = width * 3; pad < rowBytes; ++pad) out.push_back(0);
  }
  return out;
}

bool Write(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool whole = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && whole;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_status_bitmaps FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  const bool written =
      Write(folder + "/status_back.bmp", Gradient(8, 32, {255, 226, 150}, {246, 190, 92}, {255, 246, 214})) &&
      Write(folder + "/status_pane.bmp", Gradient(8, 24, {255, 252, 238}, {255, 236, 186}, {255, 255, 250}));
  if (!written) {
    std::fprintf(stderr, "make_status_bitmaps: cannot write into %s\n", folder.c_str());
    return 1;
  }
  return 0;
}
