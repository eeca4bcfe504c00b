// What the float window does with what is dragged over it and dropped on it: which drag effects
// it takes, and whether the first dropped file opens the upload page or is refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace mb::floatbox {

// The drag effects as the system numbers them.
constexpr std::uint32_t kDropEffectNone = 0;
constexpr std::uint32_t kDropEffectCopy = 1;
constexpr std::uint32_t kDropEffectMove = 2;
constexpr std::uint32_t kDropEffectLink = 4;

// The longest path the client's file calls take (MAX_PATH less its terminating zero).
constexpr std::size_t kLongestPath = 259;

// The offered effects when they include copy or link, otherwise none.
std::uint32_t AcceptedDropEffect(std::uint32_t offered);

enum class DropAction {
  kIgnore,       // no file in the list
  kOpenPicture,  // the upload page opens with the path
  kNotAPicture,  // the member is told the file is not a picture
};

struct DropDecision {
  DropAction action = DropAction::kIgnore;
  std::string path;     // the first file, whole
  std::string message;  // the text for kNotAPicture
};

// The decision on a dropped list of fileCount files whose first is firstPath (read whole). A
// path longer than the client can open is refused like a file that is not a picture.
DropDecision DecideFileDrop(std::size_t fileCount, const std::string& firstPath);

// "%s 不是有效的图片文件!" with the path.
std::string NotAPictureMessage(const std::string& path);

// The float window's place as the configuration stores it: MAKELONG(left, top).
std::int32_t PackFloatPosition(int left, int top);

}  // namespace mb::floatbox
