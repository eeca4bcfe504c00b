#include <string>

#include "image/codecs.h"

namespace mb::codec {

std::string CheckLimits(int width, int height, const DecodeLimits& limits) {
  if (width <= 0 || height <= 0)
    return "the picture declares no size (" + std::to_string(width) + " x " + std::to_string(height) + ")";
  if (width > limits.maxWidth || height > limits.maxHeight ||
      static_cast<std::int64_t>(width) * height > limits.maxPixels)
    return "the picture is too large: " + std::to_string(width) + " x " + std::to_string(height) +
           " pixels (at most " + std::to_string(limits.maxWidth) + " x " + std::to_string(limits.maxHeight) +
           " and " + std::to_string(limits.maxPixels) + " pixels)";
  return {};
}

}  // namespace mb::codec
