// Sample pictures made in code, served as wallpapers, adverts and the page-view image. The same
// name and size always give the same bytes, so a test can compare a download with a fresh copy.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace standin {

enum class ImageFormat { kBmp, kPng, kJpeg };

// "bmp", "png", "jpg" or "jpeg" (any case), or nothing.
std::optional<ImageFormat> ImageFormatFromExtension(std::string_view extension);
const char* ImageContentType(ImageFormat format);

// Encodes a width x height picture (1..4096 each) whose colours follow from the name. Returns an
// empty text when the size is out of range or the encoder failed.
std::string MakeSampleImage(ImageFormat format, int width, int height, std::string_view name);

}  // namespace standin
