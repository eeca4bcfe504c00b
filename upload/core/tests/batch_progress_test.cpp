// BatchProgress over whole batches: block totals as the engine cuts them, the progress bar's
// 16-bit range, bytes past 4 GB, and the texts of the status bar.
#include <gtest/gtest.h>

#include "upload/core/batch_progress.h"

namespace {

using mb::upload::BatchProgress;

constexpr std::uint64_t kMB = 1048576;

// A picture that the engine cuts into exactly n blocks (n >= 1).
std::uint64_t SizeOfBlocks(std::uint64_t n) { return 6144 + (n - 1) * 6143; }

TEST(BatchProgress, SmallBatchCountsBlocksFilesAndBytesToTheEnd) {
  BatchProgress progress;
  progress.Begin(4);
  for (std::uint64_t size : {std::uint64_t{1}, std::uint64_t{6144}, std::uint64_t{6145}, std::uint64_t{12288}}) {
    progress.AddPicture(size);
  }
  // 0 + 1 + 2 + 3 blocks: the engine's step is 6,143 bytes after the first block; the bytes are
  // counted in whole 6,144-byte blocks (1 + 1 + 2 + 2).
  EXPECT_EQ(progress.TotalBlocks(), 6u);
  EXPECT_EQ(progress.TotalBytes(), 36864u);
  EXPECT_EQ(progress.TotalSizeText(), "36.0 KB");
  EXPECT_EQ(progress.ProgressRange(), 6u);
  EXPECT_EQ(progress.Divisor(), 0u);
  EXPECT_EQ(progress.PercentText(), "0%");

  EXPECT_TRUE(progress.BlockSent());
  EXPECT_TRUE(progress.BlockSent());
  EXPECT_EQ(progress.ProgressPosition(), 2u);
  EXPECT_EQ(progress.PercentText(), "33%");
  EXPECT_EQ(progress.BytesSent(), 36864u / 3);
  EXPECT_EQ(progress.Tick(true), 36864u / 3);  // speed of the first second
  EXPECT_EQ(progress.Tick(true), 0u);
  EXPECT_EQ(progress.Tick(false), 0u);
  EXPECT_EQ(progress.ElapsedSeconds(), 2u);

  // Files done: the count shown before each is counted, never past the files to send.
  EXPECT_EQ(progress.PictureDone(), 0u);
  EXPECT_EQ(progress.PictureDone(), 1u);
  for (int i = 0; i < 5; ++i) progress.PictureDone();
  EXPECT_EQ(progress.FilesDone(), 4u);

  for (int i = 0; i < 4; ++i) progress.BlockSent();
  EXPECT_FALSE(progress.BlockSent());  // one report too many counts nowhere
  EXPECT_EQ(progress.BlocksSent(), 6u);
  EXPECT_EQ(progress.ProgressPosition(), 6u);
  EXPECT_EQ(progress.BytesSent(), progress.TotalBytes());
  EXPECT_EQ(progress.PercentText(), "100%");

  progress.Reset();
  EXPECT_EQ(progress.TotalBlocks(), 0u);
  EXPECT_EQ(progress.FilesToSend(), 0u);
  EXPECT_EQ(progress.PercentText(), "100%");  // nothing to count
  EXPECT_EQ(progress.ProgressRange(), 0u);
  EXPECT_EQ(progress.BytesSent(), 0u);
}

TEST(BatchProgress, LargeBatchScalesTheRangeAndPassesFourGigabytes) {
  BatchProgress progress;
  progress.Begin(2);
  progress.AddPicture(SizeOfBlocks(200000));
  progress.AddPicture(SizeOfBlocks(200000));
  ASSERT_EQ(progress.TotalBlocks(), 400000u);
  EXPECT_EQ(progress.Divisor(), 7u);
  EXPECT_EQ(progress.ProgressRange(), 57142u);
  // Every seventh block moves the bar; it stops at the top of its range.
  int steps = 0;
  for (int i = 0; i < 70; ++i) steps += progress.BlockSent();
  EXPECT_EQ(steps, 10);
  EXPECT_EQ(progress.ProgressPosition(), 10u);
  progress.Complete();
  EXPECT_EQ(progress.ProgressPosition(), 57142u);
  EXPECT_EQ(progress.BytesSent(), progress.TotalBytes());

  // Exactly 65,535 blocks still fit without a divisor; one more does not.
  progress.Begin(1);
  progress.AddPicture(SizeOfBlocks(65535));
  EXPECT_EQ(progress.Divisor(), 0u);
  EXPECT_EQ(progress.ProgressRange(), 65535u);
  progress.AddPicture(6144);
  EXPECT_EQ(progress.Divisor(), 2u);
  EXPECT_EQ(progress.ProgressRange(), 32768u);

  // Counters past 4 GB neither wrap nor overflow in the byte share.
  progress.Begin(3);
  for (int i = 0; i < 3; ++i) progress.AddPicture(2048 * kMB);
  EXPECT_EQ(progress.TotalBytes(), 6144 * kMB + 3 * 4096);  // 2 GB is no whole number of blocks
  EXPECT_EQ(progress.TotalSizeText(), "6144.0 MB");
  EXPECT_LE(progress.ProgressRange(), BatchProgress::kMaxProgressRange);
  const std::uint64_t half = progress.TotalBlocks() / 2;
  for (std::uint64_t i = 0; i < half; ++i) progress.BlockSent();
  EXPECT_GT(progress.BytesSent(), 3071 * kMB);
  EXPECT_LE(progress.BytesSent(), progress.TotalBytes() / 2);
  EXPECT_EQ(progress.Tick(true), progress.BytesSent());
  EXPECT_EQ(progress.PercentText(), "49%");  // truncated
}

TEST(BatchProgress, TextsOfTheStatusBar) {
  EXPECT_EQ(BatchProgress::SizeText(0), "0 B");
  EXPECT_EQ(BatchProgress::SizeText(1023), "1023 B");
  EXPECT_EQ(BatchProgress::SizeText(1024), "1.0 KB");
  EXPECT_EQ(BatchProgress::SizeText(1024 * 1023 + 512), "1023.5 KB");
  EXPECT_EQ(BatchProgress::SizeText(kMB), "1.0 MB");
  EXPECT_EQ(BatchProgress::SizeText(40 * kMB + kMB / 2), "40.5 MB");

  EXPECT_EQ(BatchProgress::SpeedText(0), "");
  EXPECT_EQ(BatchProgress::SpeedText(1023), "1023B /s");
  EXPECT_EQ(BatchProgress::SpeedText(1536), "1.5K /s");

  BatchProgress progress;
  EXPECT_EQ(progress.ElapsedText(), "00:00:00");
  for (int i = 0; i < 3661; ++i) progress.Tick(true);
  EXPECT_EQ(progress.ElapsedText(), "01:01:01");
  for (int i = 0; i < 99 * 3600; ++i) progress.Tick(true);
  EXPECT_EQ(progress.ElapsedText(), "100:01:01");
}

}  // namespace
