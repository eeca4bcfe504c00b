#include "client/ui/preview/slide_show.h"

namespace mb::preview {

bool SlideShow::Step() {
  if (paths_.size() < 2) return false;
  index_ = (index_ + 1) % paths_.size();
  return true;
}

}  // namespace mb::preview
