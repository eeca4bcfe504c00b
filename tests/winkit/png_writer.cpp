#include "tests/winkit/png_writer.h"

#include <zlib.h>

#include <cstdint>
#include <string_view>

#include "common/atomic_file.h"

namespace winkit {
namespace {

// Screenshots are far below this; it keeps the sizes well inside zlib's 32-bit lengths.
constexpr std::size_t kMaxRawBytes = 256u << 20;

void AppendBigEndian32(std::string& out, std::uint32_t value) {
  out.push_back(static_cast<char>(value >> 24));
  out.push_back(static_cast<char>(value >> 16));
  out.push_back(static_cast<char>(value >> 8));
  out.push_back(static_cast<char>(value));
}

// length, type, data, then the CRC over type and data.
void AppendChunk(std::string& out, const char (&type)[5], std::string_view data) {
  AppendBigEndian32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeAt = out.size();
  out.append(type, 4);
  out.append(data);
  const auto* checked = reinterpret_cast<const Bytef*>(out.data() + typeAt);
  AppendBigEndian32(out, static_cast<std::uint32_t>(crc32(crc32(0, nullptr, 0), checked,
                                                          static_cast<uInt>(4 + data.size()))));
}

std::string HeaderData(const RgbImage& image) {
  std::string header;
  AppendBigEndian32(header, static_cast<std::uint32_t>(image.Width()));
  AppendBigEndian32(header, static_cast<std::uint32_t>(image.Height()));
  header.push_back(8);  // bits per sample
  header.push_back(2);  // colour type: RGB
  header.push_back(0);  // deflate
  header.push_back(0);  // adaptive filtering (every row uses filter 0, none)
  header.push_back(0);  // no interlace
  return header;
}

// Each row is preceded by its filter type byte.
std::string Scanlines(const RgbImage& image) {
  const std::size_t rowBytes = static_cast<std::size_t>(image.Width()) * 3;
  std::string raw;
  raw.reserve((rowBytes + 1) * static_cast<std::size_t>(image.Height()));
  const auto* pixels = reinterpret_cast<const char*>(image.Bytes().data());
  for (int y = 0; y < image.Height(); ++y) {
    raw.push_back(0);
    raw.append(pixels + rowBytes * static_cast<std::size_t>(y), rowBytes);
  }
  return raw;
}

bool Deflate(const std::string& raw, std::string& compressed) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  compressed.assign(size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(compressed.data()), &size,
                reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()),
                Z_DEFAULT_COMPRESSION) != Z_OK) {
    return false;
  }
  compressed.resize(size);
  return true;
}

}  // namespace

std::string EncodePng(const RgbImage& image) {
  if (image.Empty()) return {};
  const std::size_t rowBytes = static_cast<std::size_t>(image.Width()) * 3 + 1;
  if (rowBytes > kMaxRawBytes / static_cast<std::size_t>(image.Height())) return {};
  std::string compressed;
  if (!Deflate(Scanlines(image), compressed)) return {};

  std::string png("\x89PNG\r\n\x1a\n", 8);
  AppendChunk(png, "IHDR", HeaderData(image));
  AppendChunk(png, "IDAT", compressed);
  AppendChunk(png, "IEND", {});
  return png;
}

bool WritePngFile(const RgbImage& image, const std::string& path) {
  const std::string png = EncodePng(image);
  return !png.empty() && mb::WriteFileReplacing(path, png);
}

}  // namespace winkit
