#include "client/core/password_cipher.h"

#include <cstdint>

#include "client/core/hex_text.h"

namespace mb {

namespace {
constexpr std::size_t kBlockSize = 8;

std::uint8_t* Bytes(std::string& s) { return reinterpret_cast<std::uint8_t*>(s.data()); }
}  // namespace

IdeaKey PasswordStorageKey() {
  IdeaKey key{};
  std::uint8_t value = 0x6D;
  for (std::uint8_t& byte : key) {
    byte = value;
    value = static_cast<std::uint8_t>(value * 5 + 0x3B);
  }
  return key;
}

std::string EncryptPasswordHex(std::string_view password, const IdeaKey& key) {
  const std::size_t tail = password.size() % kBlockSize;
  std::string buffer(password.size() - tail + kBlockSize, '\0');
  buffer.replace(0, password.size(), password);
  buffer.back() = static_cast<char>(tail);
  IdeaCipher(key).Encrypt(Bytes(buffer), buffer.size());
  return ToLowerHex(Bytes(buffer), buffer.size());
}

std::string DecryptPasswordHex(std::string_view hex, const IdeaKey& key) {
  std::optional<std::string> buffer = BytesFromHex(hex);
  if (!buffer || buffer->empty() || buffer->size() % kBlockSize != 0) return {};
  IdeaCipher(key).Decrypt(Bytes(*buffer), buffer->size());
  const auto tail = static_cast<std::uint8_t>(buffer->back());
  if (tail >= kBlockSize) return {};
  buffer->resize(buffer->size() - kBlockSize + tail);
  return *buffer;
}

}  // namespace mb
