// Draws the uploader's toolbar icons (32 x 32, 32-bit with alpha) into the "Res" folder given on
// the command line: a coloured disc with a white sign per button, a lighter disc for the hot image.
// Built and run with the host compiler while the Windows programs are built.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

const int kSize = 32;
using Sign = std::function<bool(double x, double y)>;  // x, y from -1 to 1, y downwards

struct Icon {
  const char* normal;
  const char* hot;
  uint32_t colour;  // 0xRRGGBB
  Sign sign;
};

bool Bar(double x, double y, double x0, double y0, double x1, double y1) {
  return x >= x0 && x <= x1 && y >= y0 && y <= y1;
}
bool Ring(double x, double y, double inner, double outer) {
  const double r = std::hypot(x, y);
  return r >= inner && r <= outer;
}
bool Line(double x, double y, double x0, double y0, double x1, double y1, double width) {
  const double dx = x1 - x0, dy = y1 - y0, length = dx * dx + dy * dy;
  double t = ((x - x0) * dx + (y - y0) * dy) / length;
  t = t < 0 ? 0 : t > 1 ? 1 : t;
  return std::hypot(x - (x0 + t * dx), y - (y0 + t * dy)) <= width;
}
// A three-quarter ring with an arrow head at its open end; left turns the other way.
bool TurnArrow(double x, double y, bool left) {
  if (left) x = -x;
  const bool ring = Ring(x, y, 0.3, 0.45) && !(x < 0 && y < 0);
  return ring || Line(x, y, -0.55, -0.2, -0.375, 0.05, 0.08) || Line(x, y, -0.2, -0.2, -0.375, 0.05, 0.08);
}

void WriteLittle(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

std::vector<uint8_t> DrawIcon(uint32_t colour, const Sign& sign) {
  std::vector<uint8_t> out;
  WriteLittle(out, 0, 2);  // icon directory: reserved, type 1, one image
  WriteLittle(out, 1, 2);
  WriteLittle(out, 1, 2);
  const uint32_t maskRow = 4, pixels = kSize * kSize * 4, bytes = 40 + pixels + maskRow * kSize;
  out.push_back(kSize);
  out.push_back(kSize);
  WriteLittle(out, 0, 2);
  WriteLittle(out, 1, 2);   // planes
  WriteLittle(out, 32, 2);  // bits
  WriteLittle(out, bytes, 4);
  WriteLittle(out, 22, 4);  // offset of the image
  for (uint32_t v : {40u, static_cast<uint32_t>(kSize), static_cast<uint32_t>(kSize * 2)}) WriteLittle(out, v, 4);
  WriteLittle(out, 1, 2);
  WriteLittle(out, 32, 2);
  for (int i = 0; i < 6; ++i) WriteLittle(out, i == 1 ? pixels : 0, 4);
  for (int row = kSize - 1; row >= 0; --row) {  // bottom-up
    for (int column = 0; column < kSize; ++column) {
      const double x = (column + 0.5) / kSize * 2 - 1, y = (row + 0.5) / kSize * 2 - 1;
      const bool disc = std::hypot(x, y) <= 0.95;
      const uint32_t rgb = !disc ? 0 : sign(x, y) ? 0xFFFFFF : colour;
      WriteLittle(out, (rgb & 0xFFFFFF) | (disc ? 0xFF000000u : 0), 4);  // blue, green, red, alpha
    }
  }
  out.insert(out.end(), maskRow * kSize, 0);  // the alpha channel decides; the mask keeps all
  return out;
}

uint32_t Lighter(uint32_t colour) {
  uint32_t result = 0;
  for (int shift : {0, 8, 16}) {
    const uint32_t part = (colour >> shift) & 0xFF;
    result |= (part + (255 - part) / 3) << shift;
  }
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_toolbar_icons RES_FOLDER\n");
    return 2;
  }
  const std::vector<Icon> icons = {
      {"op.ico", "d_op.ico", 0x2E7D32, [](double x, double y) {
         return Bar(x, y, -0.5, -0.1, 0.5, 0.45) || Bar(x, y, -0.5, -0.3, -0.05, -0.1);
       }},
      {"tran.ico", "d_tran.ico", 0x1565C0, [](double x, double y) {
         return Bar(x, y, -0.12, -0.2, 0.12, 0.55) || (y >= -0.55 && y <= -0.15 && std::fabs(x) <= (y + 0.55) * 1.1);
       }},
      {"add.ico", "d_add.ico", 0x00897B, [](double x, double y) {
         return Line(x, y, -0.45, 0.0, -0.12, 0.35, 0.1) || Line(x, y, -0.12, 0.35, 0.5, -0.35, 0.1);
       }},
      {"cancel.ico", "d_cancel.ico", 0xC62828, [](double x, double y) {
         return Line(x, y, -0.4, -0.4, 0.4, 0.4, 0.1) || Line(x, y, -0.4, 0.4, 0.4, -0.4, 0.1);
       }},
      {"l.ico", "d_l.ico", 0x6A1B9A, [](double x, double y) { return TurnArrow(x, y, true); }},
      {"r.ico", "d_r.ico", 0x6A1B9A, [](double x, double y) { return TurnArrow(x, y, false); }},
      {"view.ico", "view_d.ico", 0xEF6C00, [](double x, double y) {
         return (Bar(x, y, -0.5, -0.5, 0.5, 0.5) && !Bar(x, y, -0.06, -0.5, 0.06, 0.5) &&
                 !Bar(x, y, -0.5, -0.06, 0.5, 0.06));
       }},
      {"setup.ico", "d_setup.ico", 0x546E7A, [](double x, double y) {
         const double teeth = std::fabs(std::cos(4 * std::atan2(y, x))) > 0.6 ? 0.6 : 0.45;
         return Ring(x, y, 0.18, teeth);
       }},
      {"about.ico", "about_d.ico", 0x0277BD, [](double x, double y) {
         return Bar(x, y, -0.1, -0.1, 0.1, 0.55) || std::hypot(x, y + 0.38) <= 0.12;
       }},
      {"off.ico", "d_off.ico", 0xB71C1C, [](double x, double y) {
         return (Ring(x, y, 0.35, 0.5) && !(y < 0 && std::fabs(x) < 0.2)) || Bar(x, y, -0.08, -0.6, 0.08, 0.05);
       }},
  };
  const std::string folder = argv[1];
  for (const Icon& icon : icons) {
    for (bool hot : {false, true}) {
      const std::vector<uint8_t> data = DrawIcon(hot ? Lighter(icon.colour) : icon.colour, icon.sign);
      const std::string path = folder + "/" + (hot ? icon.hot : icon.normal);
      FILE* file = std::fopen(path.c_str(), "wb");
      if (!file || std::fwrite(data.data(), 1, data.size(), file) != data.size()) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        if (file) std::fclose(file);
        return 1;
      }
      std::fclose(file);
    }
  }
  return 0;
}
