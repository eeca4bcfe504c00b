#include "thumblist/core/upload_rule.h"

#include "common/sdom_doc.h"

namespace mb::thumblist {

PictureDimensions ParseDimensions(std::string_view text) {
  const std::size_t star = text.find('*');  // digits and '*' are single bytes: no GBK concern here
  if (star == std::string_view::npos) return {};
  return {ReadLeadingInt(text.substr(0, star)), ReadLeadingInt(text.substr(star + 1))};
}

bool IsUploadAllowed(std::string_view dimensions, std::optional<std::uint64_t> fileSize) {
  const PictureDimensions size = ParseDimensions(dimensions);
  return size.width >= kMinUploadWidth && size.height >= kMinUploadHeight && fileSize &&
         *fileSize <= kMaxUploadBytes;
}

UploadCheck CheckUploadCandidates(const std::vector<UploadCandidate>& ticked) {
  UploadCheck check;
  for (const UploadCandidate& row : ticked) {
    if (IsUploadAllowed(row.dimensions, row.fileSize)) {
      ++check.accepted;
    } else {
      check.allAccepted = false;
      check.refused.push_back(row.path);
    }
  }
  return check;
}

}  // namespace mb::thumblist
