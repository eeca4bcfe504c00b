// The arithmetic of the status bar's text progress control, apart from its window.
#pragma once

namespace hoistly {

// The filled part of a bar clientWidth pixels wide at position in lower..upper: (position - lower)
// / (upper - lower) of the width, the position held inside the range. -1 when the range is empty
// or reversed: such a bar draws nothing.
int ProgressBarWidth(int position, int lower, int upper, int clientWidth);

}  // namespace hoistly
