// The MD5 message digest (RFC 1321); the login sends the digest of the password, not the password.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace mb {

class Md5Digest {
 public:
  Md5Digest() { Init(); }

  void Init();
  // Bytes after Final are ignored until the next Init.
  void Update(const void* bytes, std::size_t length);
  // Pads and produces the result; a second call does nothing.
  void Final();
  // Final, then the 16 result bytes as 32 lower-case hex digits.
  std::string HexDigest();

 private:
  void Transform(const std::uint8_t* block);

  std::array<std::uint32_t, 4> state_{};
  std::uint32_t bitCountLow_ = 0;
  std::uint32_t bitCountHigh_ = 0;
  std::array<std::uint8_t, 64> buffer_{};
  std::size_t buffered_ = 0;
  bool finished_ = false;
  std::array<std::uint8_t, 16> result_{};
};

// The digest of a text's bytes as 32 lower-case hex digits.
std::string Md5Hex(std::string_view bytes);

}  // namespace mb
