#include "client/core/md5_digest.h"

#include <algorithm>
#include <cstring>

#include "client/core/hex_text.h"

namespace mb {

namespace {

// Per step: the sine-derived constant; per round: the four rotation amounts.
constexpr std::uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};
constexpr int kShift[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};

std::uint32_t RotateLeft(std::uint32_t x, int n) { return x << n | x >> (32 - n); }

void StoreLittleEndian(std::uint32_t value, std::uint8_t* out) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

void Md5Digest::Init() {
  state_ = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476};
  bitCountLow_ = bitCountHigh_ = 0;
  buffered_ = 0;
  finished_ = false;
  result_ = {};
}

void Md5Digest::Update(const void* bytes, std::size_t length) {
  if (finished_) return;
  const auto* in = static_cast<const std::uint8_t*>(bytes);
  const std::uint64_t bits = (std::uint64_t{bitCountHigh_} << 32 | bitCountLow_) + std::uint64_t{length} * 8;
  bitCountLow_ = static_cast<std::uint32_t>(bits);
  bitCountHigh_ = static_cast<std::uint32_t>(bits >> 32);
  while (length > 0) {
    const std::size_t take = std::min(length, buffer_.size() - buffered_);
    std::memcpy(buffer_.data() + buffered_, in, take);
    buffered_ += take;
    in += take;
    length -= take;
    if (buffered_ == buffer_.size()) {
      Transform(buffer_.data());
      buffered_ = 0;
    }
  }
}

void Md5Digest::Final() {
  if (finished_) return;
  std::uint8_t count[8];
  StoreLittleEndian(bitCountLow_, count);
  StoreLittleEndian(bitCountHigh_, count + 4);
  // 0x80, then zeros up to 56 bytes modulo 64, then the bit count taken before padding.
  static constexpr std::uint8_t kPadding[64] = {0x80};
  const std::size_t padLength = buffered_ < 56 ? 56 - buffered_ : 120 - buffered_;
  Update(kPadding, padLength);
  Update(count, sizeof count);
  for (int i = 0; i < 4; ++i) StoreLittleEndian(state_[i], result_.data() + 4 * i);
  finished_ = true;
}

std::string Md5Digest::HexDigest() {
  Final();
  return ToLowerHex(result_.data(), result_.size());
}

void Md5Digest::Transform(const std::uint8_t* block) {
  std::uint32_t words[16];
  for (int i = 0; i < 16; ++i) {
    words[i] = std::uint32_t{block[4 * i]} | std::uint32_t{block[4 * i + 1]} << 8 |
               std::uint32_t{block[4 * i + 2]} << 16 | std::uint32_t{block[4 * i + 3]} << 24;
  }
  std::uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];
  for (int step = 0; step < 64; ++step) {
    const int round = step / 16;
    std::uint32_t f;
    int index;
    switch (round) {
      case 0: f = (b & c) | (~b & d); index = step; break;
      case 1: f = (d & b) | (~d & c); index = (5 * step + 1) % 16; break;
      case 2: f = b ^ c ^ d; index = (3 * step + 5) % 16; break;
      default: f = c ^ (b | ~d); index = (7 * step) % 16; break;
    }
    const std::uint32_t rotated = RotateLeft(a + f + kSine[step] + words[index], kShift[round][step % 4]);
    a = d;
    d = c;
    c = b;
    b += rotated;
  }
  state_[0] += a;
  state_[1] += b;
  state_[2] += c;
  state_[3] += d;
}

std::string Md5Hex(std::string_view bytes) {
  Md5Digest digest;
  digest.Update(bytes.data(), bytes.size());
  return digest.HexDigest();
}

}  // namespace mb
