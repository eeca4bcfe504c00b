#include "client/core/hover_notice.h"

namespace mb {

std::string FormatHoverNotice(std::string_view linkText, const HoverRegion& region) {
  if (linkText.empty()) return {};
  std::string notice;
  for (int value : {region.left, region.top, region.right, region.bottom}) {
    notice += std::to_string(value);
    notice += ',';
  }
  notice += linkText;
  return notice;
}

}  // namespace mb
