#include "client/ui/float/drop_decision.h"

#include "client/core/path_text.h"

namespace mb::floatbox {

std::uint32_t AcceptedDropEffect(std::uint32_t offered) {
  return (offered & (kDropEffectCopy | kDropEffectLink)) ? offered : kDropEffectNone;
}

DropDecision DecideFileDrop(std::size_t fileCount, const std::string& firstPath) {
  DropDecision decision;
  if (fileCount == 0) return decision;
  decision.path = firstPath;
  if (firstPath.size() <= kLongestPath && IsPictureFileName(firstPath)) {
    decision.action = DropAction::kOpenPicture;
  } else {
    decision.action = DropAction::kNotAPicture;
    decision.message = NotAPictureMessage(firstPath);
  }
  return decision;
}

std::string NotAPictureMessage(const std::string& path) { return path + " 不是有效的图片文件!"; }

std::int32_t PackFloatPosition(int left, int top) {
  const std::uint32_t low = static_cast<std::uint16_t>(left);
  const std::uint32_t high = static_cast<std::uint16_t>(top);
  return static_cast<std::int32_t>(low | (high << 16));
}

}  // namespace mb::floatbox
