// Draws the uploader's toolbar icons (32-bit with alpha) into the "Res" folder given on the command
// line: a coloured disc with a white sign per button. The main toolbar's are 32 x 32 with a lighter
// disc for the hot image; the picture editor's are 16 x 16 with a grey disc for the disabled image.
// Built and run with the host compiler while the Windows programs are built.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using Sign = std::function<bool(double x, double y)>;  // x, y from -1 to 1, y downwards

struct Icon {
  const char* normal;
  const char* second;  // the hot (main toolbar) or disabled (editor) image; null: none
  uint32_t colour;     // 0xRRGGBB
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

std::vector<uint8_t> DrawIcon(int kSize, uint32_t colour, const Sign& sign) {
  std::vector<uint8_t> out;
  WriteLittle(out, 0, 2);  // icon directory: reserved, type 1, one image
  WriteLittle(out, 1, 2);
  WriteLittle(out, 1, 2);
  const uint32_t maskRow = (kSize + 31) / 32 * 4, pixels = kSize * kSize * 4, bytes = 40 + pixels + maskRow * kSize;
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

uint32_t Grey(uint32_t colour) {
  const uint32_t level = (((colour >> 16) & 0xFF) * 3 + ((colour >> 8) & 0xFF) * 6 + (colour & 0xFF)) / 10;
  const uint32_t light = level + (255 - level) / 2;
  return light << 16 | light << 8 | light;
}

uint32_t Lighter(uint32_t colour) {
  uint32_t result = 0;
  for (int shift : {0, 8, 16}) {
    const uint32_t part = (colour >> shift) & 0xFF;
    result |= (part + (255 - part) / 3) << shift;
  }
  return result;
}

bool WriteIcon(const std::string& path, const std::vector<uint8_t>& data) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file || std::fwrite(data.data(), 1, data.size(), file) != data.size()) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    if (file) std::fclose(file);
    return false;
  }
  return std::fclose(file) == 0;
}

// A magnifier: a ring and its handle, with a plus or a minus in the glass.
bool Magnifier(double x, double y, int sign) {
  const double cx = x + 0.12, cy = y + 0.12;
  bool glass = Ring(cx, cy, 0.28, 0.42) || Line(x, y, 0.2, 0.2, 0.55, 0.55, 0.1);
  if (sign != 0) glass = glass || Bar(cx, cy, -0.18, -0.05, 0.18, 0.05);
  if (sign > 0) glass = glass || Bar(cx, cy, -0.05, -0.18, 0.05, 0.18);
  return glass;
}

// A triangle pointing left (or right), centred.
bool Pointer(double x, double y, bool right) {
  if (right) x = -x;
  return x >= -0.45 && x <= 0.35 && std::fabs(y) <= (x + 0.45) * 0.7;
}

const std::vector<Icon>& MainToolbarIcons() {
  static const std::vector<Icon> icons = {
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
  return icons;
}

const std::vector<Icon>& EditorToolbarIcons() {
  static const std::vector<Icon> icons = {
      {"save.ico", "save_d.ico", 0x1565C0, [](double x, double y) {
         return Bar(x, y, -0.45, -0.45, 0.45, 0.45) && !Bar(x, y, -0.25, -0.45, 0.25, -0.1) &&
                !Bar(x, y, -0.25, 0.15, 0.25, 0.3);
       }},
      {"saveas.ico", "saveas_d.ico", 0x0D47A1, [](double x, double y) {
         return (Bar(x, y, -0.5, -0.4, 0.3, 0.5) && !Bar(x, y, -0.3, -0.4, 0.1, -0.1)) ||
                Line(x, y, 0.1, 0.3, 0.55, -0.2, 0.09);
       }},
      {"undo.ico", "undo_d.ico", 0x6A1B9A, [](double x, double y) { return TurnArrow(x, y, true); }},
      {"redo.ico", "redo_d.ico", 0x6A1B9A, [](double x, double y) { return TurnArrow(x, y, false); }},
      {"imagesize.ico", "imagesize_d.ico", 0x00897B, [](double x, double y) {
         return Line(x, y, -0.45, 0.45, 0.45, -0.45, 0.09) || Bar(x, y, 0.1, -0.5, 0.5, -0.38) ||
                Bar(x, y, 0.38, -0.5, 0.5, -0.1) || Bar(x, y, -0.5, 0.38, -0.1, 0.5) || Bar(x, y, -0.5, 0.1, -0.38, 0.5);
       }},
      {"flip.ico", nullptr, 0x2E7D32, [](double x, double y) {  // two triangles back to back
         return x < -0.05 ? Pointer(x + 0.3, y, false) : x > 0.05 && Pointer(x - 0.3, y, true);
       }},
      {"select.ico", "select_d.ico", 0x546E7A, [](double x, double y) {
         const bool edge = Bar(x, y, -0.45, -0.45, 0.45, 0.45) && !Bar(x, y, -0.33, -0.33, 0.33, 0.33);
         return edge && (static_cast<int>(std::floor((x + y + 2) * 4)) % 2 == 0);
       }},
      {"crop.ico", "crop_d.ico", 0xEF6C00, [](double x, double y) {
         return Bar(x, y, -0.3, -0.55, -0.18, 0.3) || Bar(x, y, -0.3, 0.18, 0.55, 0.3) ||
                Bar(x, y, 0.18, -0.3, 0.3, 0.3) || Bar(x, y, -0.55, -0.3, 0.3, -0.18);
       }},
      {"smallr.ico", "smallr_d.ico", 0x283593, [](double x, double y) { return TurnArrow(x, y, false); }},
      {"smalll.ico", "smalll_d.ico", 0x283593, [](double x, double y) { return TurnArrow(x, y, true); }},
      {"zoomin.ico", "zoomin_d.ico", 0x00695C, [](double x, double y) { return Magnifier(x, y, 1); }},
      {"zoomout.ico", "zoomout_d.ico", 0x00695C, [](double x, double y) { return Magnifier(x, y, -1); }},
      {"oldsize.ico", "oldsize_d.ico", 0x00695C, [](double x, double y) {
         return Bar(x, y, -0.35, -0.4, -0.2, 0.4) || Bar(x, y, 0.2, -0.4, 0.35, 0.4) ||
                Bar(x, y, -0.07, -0.2, 0.07, -0.06) || Bar(x, y, -0.07, 0.1, 0.07, 0.24);
       }},
      {"fullscreen.ico", "fullscreen_d.ico", 0x37474F, [](double x, double y) {
         const double ax = std::fabs(x), ay = std::fabs(y);  // four corner brackets
         return ax <= 0.5 && ay <= 0.5 && ax >= 0.2 && ay >= 0.2 && (ax >= 0.38 || ay >= 0.38);
       }},
      {"pre.ico", "pre_d.ico", 0x1565C0, [](double x, double y) { return Pointer(x, y, false); }},
      {"next.ico", "next_d.ico", 0x1565C0, [](double x, double y) { return Pointer(x, y, true); }},
      {"smalloff.ico", "smalloff_d.ico", 0xB71C1C, [](double x, double y) {
         return Line(x, y, -0.35, -0.35, 0.35, 0.35, 0.1) || Line(x, y, -0.35, 0.35, 0.35, -0.35, 0.1);
       }},
      {"move.ico", "move_d.ico", 0x5D4037, [](double x, double y) {
         return Line(x, y, -0.3, -0.5, -0.3, 0.3, 0.09) || Line(x, y, -0.3, -0.5, 0.3, 0.05, 0.09) ||
                Line(x, y, -0.3, 0.3, -0.05, 0.08, 0.09) || Line(x, y, -0.1, 0.1, 0.3, 0.05, 0.09);
       }},
  };
  return icons;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_toolbar_icons RES_FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1] + std::string("/");
  for (const Icon& icon : MainToolbarIcons()) {
    if (!WriteIcon(folder + icon.normal, DrawIcon(32, icon.colour, icon.sign)) ||
        !WriteIcon(folder + icon.second, DrawIcon(32, Lighter(icon.colour), icon.sign))) {
      return 1;
    }
  }
  for (const Icon& icon : EditorToolbarIcons()) {
    if (!WriteIcon(folder + icon.normal, DrawIcon(16, icon.colour, icon.sign))) return 1;
    if (icon.second && !WriteIcon(folder + icon.second, DrawIcon(16, Grey(icon.colour), icon.sign))) return 1;
  }
  return 0;
}
