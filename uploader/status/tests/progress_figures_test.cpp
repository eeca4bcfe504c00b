#include <gtest/gtest.h>

#include "upload/core/batch_progress.h"
#include "uploader/status/progress_figures.h"

using hoistly::ProgressBarWidth;
using mb::upload::BatchProgress;

// The bar's width: an empty or reversed range draws nothing (and divides by nothing); positions
// are held inside the range; wide ranges do not overflow; the text reads "100%" with nothing
// counted or a report too many, and is truncated, never rounded up to 100, before the end.
TEST(StatusProgress, BarWidthAndPercentageAtTheirEdges) {
  EXPECT_EQ(ProgressBarWidth(0, 0, 0, 200), -1);
  EXPECT_EQ(ProgressBarWidth(5, 0, 0, 200), -1);
  EXPECT_EQ(ProgressBarWidth(5, 10, 3, 200), -1);
  EXPECT_EQ(ProgressBarWidth(0, 0, 100, 200), 0);
  EXPECT_EQ(ProgressBarWidth(37, 0, 100, 200), 74);
  EXPECT_EQ(ProgressBarWidth(100, 0, 100, 200), 200);
  EXPECT_EQ(ProgressBarWidth(140, 0, 100, 200), 200);
  EXPECT_EQ(ProgressBarWidth(-3, 0, 100, 200), 0);
  EXPECT_EQ(ProgressBarWidth(15, 10, 20, 200), 100);
  EXPECT_EQ(ProgressBarWidth(65534, 0, 65535, 1 << 20), 1048559);  // past 32 bits on the way
  EXPECT_EQ(ProgressBarWidth(1, 0, 2, 0), 0);

  EXPECT_EQ(BatchProgress::PercentText(0, 0), "100%");
  EXPECT_EQ(BatchProgress::PercentText(7, 0), "100%");
  EXPECT_EQ(BatchProgress::PercentText(120, 100), "100%");
  EXPECT_EQ(BatchProgress::PercentText(100, 100), "100%");
  EXPECT_EQ(BatchProgress::PercentText(0, 100), "0%");
  EXPECT_EQ(BatchProgress::PercentText(37, 100), "37%");
  EXPECT_EQ(BatchProgress::PercentText(999, 1000), "99%");
  EXPECT_EQ(BatchProgress::PercentText(5000000000ull, 10000000000ull), "50%");
}
