// Bytes written as hexadecimal digit pairs, as digests and stored passwords are kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mb {

// Two lower-case digits per byte.
std::string ToLowerHex(const std::uint8_t* bytes, std::size_t length);

// The bytes of a text of digit pairs (either case); nothing when the text holds anything else or
// an odd number of digits.
std::optional<std::string> BytesFromHex(std::string_view hex);

}  // namespace mb
