// What the uploader shows of one list row's picture: its file name and folder (from the row's path)
// and the list's size and dimension texts.
#pragma once

#include <string>

#include "thumblist/core/image_info_record.h"

namespace hoistly {

struct ImageFacts {
  std::string name;
  std::string folder;
  std::string size;
  std::string dimensions;
};

// False (facts untouched) when the row's file is no longer there.
bool ReadImageFacts(const stImageInfo& info, ImageFacts& facts);

}  // namespace hoistly
