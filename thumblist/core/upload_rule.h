// The rule a ticked picture must pass before a batch upload: at least 1024 by 768 pixels and at
// most 2,097,152 bytes, judged from the row's "W*H" text and the file's size on disk.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mb::thumblist {

inline constexpr int kMinUploadWidth = 1024;
inline constexpr int kMinUploadHeight = 768;
inline constexpr std::uint64_t kMaxUploadBytes = 0x200000;

struct PictureDimensions {
  int width = 0;
  int height = 0;
};

// Width is the number before the first '*', height the number after it; a text without '*'
// gives 0 by 0.
PictureDimensions ParseDimensions(std::string_view text);

// fileSize is empty when the file's status could not be read.
bool IsUploadAllowed(std::string_view dimensions, std::optional<std::uint64_t> fileSize);

struct UploadCandidate {
  std::string path;
  std::string dimensions;
  std::optional<std::uint64_t> fileSize;
};

struct UploadCheck {
  bool allAccepted = true;
  int accepted = 0;
  std::vector<std::string> refused;  // paths, in row order
};

// The ticked rows, in row order.
UploadCheck CheckUploadCandidates(const std::vector<UploadCandidate>& ticked);

}  // namespace mb::thumblist
