// Any stored text deciphers without reading out of bounds, and never to more bytes than it holds;
// any password survives enciphering and deciphering.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "client/core/password_cipher.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const mb::IdeaKey key = mb::PasswordStorageKey();
  if (mb::DecryptPasswordHex(text, key).size() > text.size() / 2) std::abort();
  if (mb::DecryptPasswordHex(mb::EncryptPasswordHex(text, key), key) != text) std::abort();
  return 0;
}
