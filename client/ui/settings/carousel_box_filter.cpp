#include "client/ui/settings/carousel_box_filter.h"

namespace mb::settings {

namespace {

bool IsNumberCharacter(unsigned code) { return (code >= '0' && code <= '9') || code == '.'; }

}  // namespace

bool IsCarouselBoxCharacter(unsigned code) {
  return IsNumberCharacter(code) || code == 1 || code == 2 || code == 8 || code == 9 || code == 20;
}

bool IsCarouselBoxPaste(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!IsNumberCharacter(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

}  // namespace mb::settings
