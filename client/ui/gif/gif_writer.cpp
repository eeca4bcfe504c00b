#include "client/ui/gif/gif_writer.h"

#include <algorithm>

namespace mb::gif {
namespace {

void PutWord(std::string& out, int value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

// Bits needed for a table of n entries (at least 1), i.e. its size field + 1.
int TableBits(std::size_t n) {
  int bits = 1;
  while ((std::size_t{1} << bits) < n && bits < 8) ++bits;
  return bits;
}

void PutTable(std::string& out, const std::vector<std::uint32_t>& table, int bits) {
  const std::size_t entries = std::size_t{1} << bits;
  for (std::size_t i = 0; i < entries; ++i) {
    const std::uint32_t rgb = i < table.size() ? table[i] : 0;
    out.push_back(static_cast<char>((rgb >> 16) & 0xFF));
    out.push_back(static_cast<char>((rgb >> 8) & 0xFF));
    out.push_back(static_cast<char>(rgb & 0xFF));
  }
}

class BitPacker {
 public:
  void Put(unsigned code, int bits) {
    acc_ |= static_cast<std::uint32_t>(code) << count_;
    count_ += bits;
    while (count_ >= 8) {
      out_.push_back(static_cast<char>(acc_ & 0xFF));
      acc_ >>= 8;
      count_ -= 8;
    }
  }
  std::string Finish() {
    if (count_ > 0) out_.push_back(static_cast<char>(acc_ & 0xFF));
    return out_;
  }

 private:
  std::string out_;
  std::uint32_t acc_ = 0;
  int count_ = 0;
};

}  // namespace

std::string SubBlocks(const std::string& bytes) {
  std::string out;
  for (std::size_t pos = 0; pos < bytes.size(); pos += 255) {
    const std::size_t n = std::min<std::size_t>(255, bytes.size() - pos);
    out.push_back(static_cast<char>(n));
    out.append(bytes, pos, n);
  }
  out.push_back('\0');
  return out;
}

std::string EncodeImageData(const std::vector<std::uint8_t>& pixels, int bitsPerPixel) {
  const int minCodeSize = std::max(2, bitsPerPixel);
  const unsigned clear = 1u << minCodeSize;
  const int codeSize = minCodeSize + 1;
  // The decoder adds a table entry for every code after the first; a clear code before the
  // table reaches 2^codeSize keeps the code size fixed.
  const unsigned literalsPerClear = clear - 2;
  BitPacker bits;
  unsigned sinceClear = literalsPerClear;
  for (std::uint8_t p : pixels) {
    if (sinceClear == literalsPerClear) {
      bits.Put(clear, codeSize);
      sinceClear = 0;
    }
    bits.Put(p & (clear - 1), codeSize);
    ++sinceClear;
  }
  bits.Put(clear + 1, codeSize);
  std::string out(1, static_cast<char>(minCodeSize));
  out += SubBlocks(bits.Finish());
  return out;
}

GifWriter::GifWriter(int width, int height, std::vector<std::uint32_t> globalTable, int backgroundIndex) {
  out_ = "GIF89a";
  PutWord(out_, width);
  PutWord(out_, height);
  if (globalTable.empty()) {
    out_.push_back('\0');
  } else {
    const int bits = TableBits(globalTable.size());
    out_.push_back(static_cast<char>(0x80 | 0x70 | (bits - 1)));
  }
  out_.push_back(static_cast<char>(backgroundIndex));
  out_.push_back('\0');
  if (!globalTable.empty()) PutTable(out_, globalTable, TableBits(globalTable.size()));
}

GifWriter& GifWriter::LoopForever() {
  out_ += std::string("!\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
  return *this;
}

GifWriter& GifWriter::Comment(const std::string& text) {
  out_ += "!\xFE";
  out_ += SubBlocks(text);
  return *this;
}

GifWriter& GifWriter::Raw(const std::string& bytes) {
  out_ += bytes;
  return *this;
}

GifWriter& GifWriter::Frame(const GifWriterFrame& f) {
  Span span{out_.size(), 0};
  if (f.delay) {
    out_ += "!\xF9\x04";
    const int packed = ((f.disposal & 7) << 2) | (f.transparentIndex ? 1 : 0);
    out_.push_back(static_cast<char>(packed));
    PutWord(out_, *f.delay);
    out_.push_back(static_cast<char>(f.transparentIndex.value_or(0)));
    out_.push_back('\0');
  }
  out_.push_back(',');
  PutWord(out_, f.left);
  PutWord(out_, f.top);
  PutWord(out_, f.width);
  PutWord(out_, f.height);
  int bits = 8;
  if (f.localTable.empty()) {
    out_.push_back('\0');
  } else {
    bits = TableBits(f.localTable.size());
    out_.push_back(static_cast<char>(0x80 | (bits - 1)));
    PutTable(out_, f.localTable, bits);
  }
  if (f.localTable.empty()) {
    // Code size from the global table's size field.
    const unsigned packed = static_cast<unsigned char>(out_[10]);
    bits = (packed & 0x80) ? static_cast<int>(packed & 7) + 1 : 8;
  }
  out_ += EncodeImageData(f.pixels, bits);
  span.end = out_.size();
  spans_.push_back(span);
  return *this;
}

}  // namespace mb::gif
