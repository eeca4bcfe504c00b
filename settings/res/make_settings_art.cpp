// Draws the settings dialog's art into the folder given on the command line:
//   settings_general.ico  the general node's icon, 24 x 24, 32-bit with alpha (three sliders)
//   settings_header.bmp   the header band, 800 x 60, 24-bit: a warm gradient with soft rings
// Built and run with the host compiler while Set.dll is built; its resource script takes both.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Rgb {
  double r, g, b;
};

Rgb Mix(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}
uint8_t Channel(double value) { return static_cast<uint8_t>(value < 0 ? 0 : value > 255 ? 255 : std::lround(value)); }

// The bitmap info header of a bottom-up image; height doubled for an icon's colour-and-mask pair.
void PutInfoHeader(std::vector<uint8_t>& out, int width, int height, int bits, uint32_t pixelBytes) {
  for (uint32_t v : {40u, static_cast<uint32_t>(width), static_cast<uint32_t>(height)}) Put(out, v, 4);
  Put(out, 1, 2);
  Put(out, static_cast<uint32_t>(bits), 2);
  for (uint32_t v : {0u, pixelBytes, 2835u, 2835u, 0u, 0u}) Put(out, v, 4);
}

// Three horizontal slider tracks with their knobs on a rounded blue tile.
std::vector<uint8_t> GeneralIcon() {
  const int size = 24;
  const uint32_t pixelBytes = size * size * 4, maskBytes = 4 * size;
  std::vector<uint8_t> out;
  Put(out, 0, 2);
  Put(out, 1, 2);
  Put(out, 1, 2);
  out.push_back(size);
  out.push_back(size);
  Put(out, 0, 2);
  Put(out, 1, 2);
  Put(out, 32, 2);
  Put(out, 40 + pixelBytes + maskBytes, 4);
  Put(out, 22, 4);
  PutInfoHeader(out, size, size * 2, 32, pixelBytes);
  const double knobs[3] = {7.5, 15.5, 10.5};
  for (int row = size - 1; row >= 0; --row) {
    for (int column = 0; column < size; ++column) {
      const double x = column + 0.5, y = row + 0.5;
      const double dx = std::fmax(std::fabs(x - 12) - 8, 0), dy = std::fmax(std::fabs(y - 12) - 8, 0);
      const bool tile = std::hypot(dx, dy) <= 3.5;
      Rgb colour = Mix({0x42, 0x8B, 0xD6}, {0x1E, 0x5A, 0xA8}, y / size);
      for (int line = 0; line < 3; ++line) {
        const double lineY = 6.5 + 5.5 * line;
        if (std::fabs(y - lineY) <= 0.8 && x >= 5 && x <= 19) colour = {0xE8, 0xF0, 0xFA};
        if (std::hypot(x - knobs[line], y - lineY) <= 2.2) colour = {0xFF, 0xC8, 0x3C};
      }
      Put(out, tile ? (0xFFu << 24) | (Channel(colour.r) << 16) | (Channel(colour.g) << 8) | Channel(colour.b) : 0, 4);
    }
  }
  out.insert(out.end(), maskBytes, 0);  // the alpha channel decides
  return out;
}

// From the dialog's pale yellow face at the bottom to a warm orange at the top, with faint rings
// at the left where the description starts.
std::vector<uint8_t> HeaderBand() {
  const int width = 800, height = 60, stride = (width * 3 + 3) & ~3;
  std::vector<uint8_t> out;
  Put(out, 0x4D42, 2);
  Put(out, static_cast<uint32_t>(14 + 40 + stride * height), 4);
  Put(out, 0, 4);
  Put(out, 14 + 40, 4);
  PutInfoHeader(out, width, height, 24, static_cast<uint32_t>(stride * height));
  const Rgb face = {0xFF, 0xF3, 0xBB}, warm = {0xFF, 0xC8, 0x6E}, ring = {0xFF, 0xFF, 0xF4};
  for (int row = height - 1; row >= 0; --row) {
    std::vector<uint8_t> line;
    for (int column = 0; column < width; ++column) {
      const double x = column + 0.5, y = row + 0.5;
      Rgb colour = Mix(warm, face, std::pow(y / height, 0.8));
      const double r = std::hypot(x - 34, y - 30);
      const double glow = std::fmax(0, 1 - std::fabs(std::fmod(r, 9) - 4.5) / 1.2) * std::fmax(0, 1 - r / 40);
      colour = Mix(colour, ring, glow * 0.6);
      if (row == height - 1) colour = {0xE2, 0x79, 0x1F};  // a thin line under the band
      line.push_back(Channel(colour.b));
      line.push_back(Channel(colour.g));
      line.push_back(Channel(colour.r));
    }
    line.resize(stride, 0);
    out.insert(out.end(), line.begin(), line.end());
  }
  return out;
}

bool Write(const std::string& path, const std::vector<uint8_t>& data) {
  FILE* file = std::fopen(path.c_str(), "wb");
  const bool written = file && std::fwrite(data.data(), 1, data.size(), file) == data.size();
  if (file && std::fclose(file) != 0) return false;
  if (!written) std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_settings_art FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  return Write(folder + "/settings_general.ico", GeneralIcon()) && Write(folder + "/settings_header.bmp", HeaderBand())
             ? 0
             : 1;
}
