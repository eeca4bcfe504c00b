#include "client/core/idea_cipher.h"

namespace mb {

namespace {

constexpr int kRounds = 8;

// Multiplication modulo 65537, where the word 0 stands for 65536.
std::uint16_t Mul(std::uint16_t a, std::uint16_t b) {
  if (a == 0) return static_cast<std::uint16_t>(1 - b);
  if (b == 0) return static_cast<std::uint16_t>(1 - a);
  const std::uint32_t product = std::uint32_t{a} * b;
  const std::uint32_t low = product & 0xFFFF;
  const std::uint32_t high = product >> 16;
  return static_cast<std::uint16_t>(low - high + (low < high ? 1 : 0));
}

// Multiplicative inverse modulo 65537 (x^65535, as 65537 is prime); 0 and 1 are their own.
std::uint16_t MulInverse(std::uint16_t x) {
  if (x <= 1) return x;
  std::uint64_t result = 1;
  std::uint64_t base = x;
  for (std::uint32_t exponent = 65535; exponent != 0; exponent >>= 1) {
    if (exponent & 1) result = result * base % 65537;
    base = base * base % 65537;
  }
  return static_cast<std::uint16_t>(result);
}

std::uint16_t Negate(std::uint16_t x) { return static_cast<std::uint16_t>(0x10000 - x); }

std::uint16_t ReadWord(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] << 8 | p[1]); }

void WriteWord(std::uint8_t* p, std::uint16_t w) {
  p[0] = static_cast<std::uint8_t>(w >> 8);
  p[1] = static_cast<std::uint8_t>(w);
}

}  // namespace

IdeaCipher::IdeaCipher(const IdeaKey& key) {
  // The 128-bit key as two big-endian halves; every eight subkeys it turns left by 25 bits.
  std::uint64_t high = 0, low = 0;
  for (int i = 0; i < 8; ++i) {
    high = high << 8 | key[i];
    low = low << 8 | key[i + 8];
  }
  for (int i = 0; i < 52; ++i) {
    if (i > 0 && i % 8 == 0) {
      const std::uint64_t newHigh = high << 25 | low >> 39;
      low = low << 25 | high >> 39;
      high = newHigh;
    }
    const int word = i % 8;
    const std::uint64_t half = word < 4 ? high : low;
    encryptKeys_[i] = static_cast<std::uint16_t>(half >> (48 - 16 * (word % 4)));
  }

  // Decryption runs the rounds backwards with inverted keys; the two additive keys of the inner
  // rounds trade places because every round but the last swaps its middle words.
  const Schedule& ek = encryptKeys_;
  for (int round = 0; round <= kRounds; ++round) {
    const int from = 6 * (kRounds - round);
    const bool outer = round == 0 || round == kRounds;
    std::uint16_t* dk = &decryptKeys_[6 * round];
    dk[0] = MulInverse(ek[from]);
    dk[1] = Negate(ek[from + (outer ? 1 : 2)]);
    dk[2] = Negate(ek[from + (outer ? 2 : 1)]);
    dk[3] = MulInverse(ek[from + 3]);
    if (round < kRounds) {
      dk[4] = ek[from - 2];
      dk[5] = ek[from - 1];
    }
  }
}

void IdeaCipher::Encrypt(std::uint8_t* bytes, std::size_t length) const {
  CipherBlocks(bytes, length, encryptKeys_);
}

void IdeaCipher::Decrypt(std::uint8_t* bytes, std::size_t length) const {
  CipherBlocks(bytes, length, decryptKeys_);
}

void IdeaCipher::CipherBlocks(std::uint8_t* bytes, std::size_t length, const Schedule& subkeys) {
  for (std::size_t offset = 0; offset + 8 <= length; offset += 8) {
    std::uint8_t* block = bytes + offset;
    std::uint16_t x1 = ReadWord(block), x2 = ReadWord(block + 2);
    std::uint16_t x3 = ReadWord(block + 4), x4 = ReadWord(block + 6);
    const std::uint16_t* k = subkeys.data();
    for (int round = 0; round < kRounds; ++round, k += 6) {
      x1 = Mul(x1, k[0]);
      x2 = static_cast<std::uint16_t>(x2 + k[1]);
      x3 = static_cast<std::uint16_t>(x3 + k[2]);
      x4 = Mul(x4, k[3]);
      const std::uint16_t a = Mul(static_cast<std::uint16_t>(x1 ^ x3), k[4]);
      const std::uint16_t b = Mul(static_cast<std::uint16_t>((x2 ^ x4) + a), k[5]);
      const std::uint16_t c = static_cast<std::uint16_t>(a + b);
      x1 ^= b;
      x4 ^= c;
      const std::uint16_t middle = static_cast<std::uint16_t>(x2 ^ c);
      x2 = static_cast<std::uint16_t>(x3 ^ b);
      x3 = middle;
    }
    WriteWord(block, Mul(x1, k[0]));
    WriteWord(block + 2, static_cast<std::uint16_t>(x3 + k[1]));
    WriteWord(block + 4, static_cast<std::uint16_t>(x2 + k[2]));
    WriteWord(block + 6, Mul(x4, k[3]));
  }
}

}  // namespace mb
