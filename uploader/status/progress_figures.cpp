#include "uploader/status/progress_figures.h"

namespace hoistly {

int ProgressBarWidth(int position, int lower, int upper, int clientWidth) {
  if (lower >= upper) return -1;
  if (clientWidth <= 0) return 0;
  if (position < lower) position = lower;
  if (position > upper) position = upper;
  const long long done = static_cast<long long>(position) - lower;
  const long long range = static_cast<long long>(upper) - lower;
  return static_cast<int>(done * clientWidth / range);
}

}  // namespace hoistly
