// Saved passwords: enciphered with IDEA after padding and kept as lower-case hexadecimal text.
#pragma once

#include <string>
#include <string_view>

#include "client/core/idea_cipher.h"

namespace mb {

// The key saved passwords are enciphered with. It is computed on each call so that it never lies
// in the program file as one piece.
IdeaKey PasswordStorageKey();

// The password padded to the next multiple of 8 bytes (a whole block when it already is one),
// whose last byte tells how many bytes of the last block are text, enciphered and written as hex.
std::string EncryptPasswordHex(std::string_view password, const IdeaKey& key);

// The password back from its stored form. A text that is not whole blocks of hex digit pairs, or
// whose padding byte cannot have been written by EncryptPasswordHex, gives the empty text.
std::string DecryptPasswordHex(std::string_view hex, const IdeaKey& key);

}  // namespace mb
