#include "skin/format/skin_catalog.h"

#include <cstdio>

#include "common/gbk_text.h"

namespace mb::skinfile {
namespace {

constexpr int kMaxCoordinate = 32767;

std::string Key(std::string_view name) { return GbkToLowerAscii(name); }

// A decimal number of at most five digits, within 0..kMaxCoordinate.
std::optional<int> ParseNumber(std::string_view text) {
  text = TrimBlanks(text);
  if (text.empty() || text.size() > 5) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value > kMaxCoordinate) return std::nullopt;
  return value;
}

std::optional<Rgb> ParseColour(std::string_view text) {
  text = TrimBlanks(text);
  if (text.size() != 6) return std::nullopt;
  unsigned value = 0;
  for (char c : text) {
    unsigned digit;
    if (c >= '0' && c <= '9') {
      digit = static_cast<unsigned>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<unsigned>(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<unsigned>(c - 'A' + 10);
    } else {
      return std::nullopt;
    }
    value = value * 16 + digit;
  }
  return Rgb{static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
             static_cast<std::uint8_t>(value)};
}

std::optional<SkinImage> ParseImage(std::string_view name, std::string_view value) {
  name = TrimBlanks(name);
  if (!IsValidImageName(name)) return std::nullopt;
  const std::vector<std::string> parts = GbkSplit(value, ",");
  if (parts.size() != 4 && parts.size() != 5) return std::nullopt;
  int numbers[4];
  for (int i = 0; i < 4; ++i) {
    const std::optional<int> n = ParseNumber(parts[static_cast<std::size_t>(i)]);
    if (!n) return std::nullopt;
    numbers[i] = *n;
  }
  if (numbers[2] == 0 || numbers[3] == 0) return std::nullopt;
  SkinImage image;
  image.name = std::string(name);
  image.rect = {numbers[0], numbers[1], numbers[2], numbers[3]};
  if (parts.size() == 5) {
    if (!GbkEqualsNoCase(TrimBlanks(parts[4]), "keyed")) return std::nullopt;
    image.keyed = true;
  }
  return image;
}

}  // namespace

bool IsValidImageName(std::string_view name) {
  if (name.empty() || name.size() > 64) return false;
  for (char c : name) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    if (!ok) return false;
  }
  return true;
}

bool SkinCatalog::Add(const SkinImage& image) {
  const ImageRect& r = image.rect;
  if (!IsValidImageName(image.name) || r.x < 0 || r.y < 0 || r.width <= 0 || r.height <= 0) return false;
  const auto inserted = index_.emplace(Key(image.name), images_.size());
  if (!inserted.second) return false;
  images_.push_back(image);
  return true;
}

const SkinImage* SkinCatalog::Find(std::string_view name) const {
  auto it = index_.find(Key(name));
  return it == index_.end() ? nullptr : &images_[it->second];
}

int SkinCatalog::DropImagesOutside(int width, int height) {
  std::vector<SkinImage> kept;
  for (const SkinImage& image : images_) {
    const ImageRect& r = image.rect;
    if (r.x + r.width <= width && r.y + r.height <= height) kept.push_back(image);
  }
  const int dropped = static_cast<int>(images_.size() - kept.size());
  images_.clear();
  index_.clear();
  for (const SkinImage& image : kept) Add(image);
  return dropped;
}

ParsedCatalog ParseSkinCatalog(std::string_view text) {
  ParsedCatalog parsed;
  enum class Section { kNone, kSkin, kImages } section = Section::kNone;
  for (const std::string& rawLine : GbkSplit(text, "\n")) {
    std::string_view line = rawLine;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = TrimBlanks(line);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      if (GbkEqualsNoCase(line, "[skin]")) {
        section = Section::kSkin;
      } else if (GbkEqualsNoCase(line, "[images]")) {
        section = Section::kImages;
      } else {
        section = Section::kNone;
        ++parsed.rejectedLines;
      }
      continue;
    }
    const std::size_t eq = GbkFind(line, '=');
    bool used = false;
    if (eq != std::string_view::npos) {
      const std::string_view key = TrimBlanks(line.substr(0, eq));
      const std::string_view value = line.substr(eq + 1);
      if (section == Section::kSkin && GbkEqualsNoCase(key, "transparent")) {
        if (const std::optional<Rgb> colour = ParseColour(value)) {
          parsed.catalog.SetTransparent(*colour);
          used = true;
        }
      } else if (section == Section::kImages) {
        if (const std::optional<SkinImage> image = ParseImage(key, value)) used = parsed.catalog.Add(*image);
      }
    }
    if (!used) ++parsed.rejectedLines;
  }
  return parsed;
}

std::string FormatSkinCatalog(const SkinCatalog& catalog) {
  std::string out = "; skin images: name=x,y,width,height[,keyed]\r\n[skin]\r\n";
  char line[160];
  const Rgb t = catalog.Transparent();
  std::snprintf(line, sizeof line, "transparent=%02X%02X%02X\r\n[images]\r\n", t.r, t.g, t.b);
  out += line;
  for (const SkinImage& image : catalog.Images()) {
    std::snprintf(line, sizeof line, "%s=%d,%d,%d,%d%s\r\n", image.name.c_str(), image.rect.x, image.rect.y,
                  image.rect.width, image.rect.height, image.keyed ? ",keyed" : "");
    out += line;
  }
  return out;
}

}  // namespace mb::skinfile
