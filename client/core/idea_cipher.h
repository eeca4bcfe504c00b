// The IDEA block cipher (64-bit blocks, 128-bit key) in ECB mode over a buffer. Saved passwords
// are enciphered with it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace mb {

using IdeaKey = std::array<std::uint8_t, 16>;

class IdeaCipher {
 public:
  // Builds the encryption and decryption key schedules for this key.
  explicit IdeaCipher(const IdeaKey& key);

  // Each whole 8-byte block is changed in place on its own; a shorter tail is left as it is.
  void Encrypt(std::uint8_t* bytes, std::size_t length) const;
  void Decrypt(std::uint8_t* bytes, std::size_t length) const;

 private:
  using Schedule = std::array<std::uint16_t, 52>;
  static void CipherBlocks(std::uint8_t* bytes, std::size_t length, const Schedule& subkeys);

  Schedule encryptKeys_{};
  Schedule decryptKeys_{};
};

}  // namespace mb
