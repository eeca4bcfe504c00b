#include "upload/core/batch_progress.h"

#include <cstdio>

#include "upload/core/block_plan.h"

namespace mb::upload {

namespace {

std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string Format(const char* format, unsigned long long value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string TwoDigits(std::uint64_t value) {
  return Format(value < 10 ? "0%llu" : "%llu", static_cast<unsigned long long>(value));
}

}  // namespace

void BatchProgress::Begin(std::uint32_t filesToSend) {
  Reset();
  filesToSend_ = filesToSend;
}

void BatchProgress::AddPicture(std::uint64_t size) {
  totalBytes_ += (size + kByteBlock - 1) / kByteBlock * kByteBlock;
  totalBlocks_ += EngineBlockCount(size);
}

void BatchProgress::Reset() { *this = BatchProgress(); }

std::uint32_t BatchProgress::Divisor() const {
  if (totalBlocks_ <= kMaxProgressRange) return 0;
  return static_cast<std::uint32_t>((totalBlocks_ + kMaxProgressRange - 1) / kMaxProgressRange);
}

std::uint32_t BatchProgress::ProgressRange() const {
  const std::uint32_t divisor = Divisor();
  return static_cast<std::uint32_t>(divisor == 0 ? totalBlocks_ : totalBlocks_ / divisor);
}

std::uint32_t BatchProgress::ProgressPosition() const {
  const std::uint32_t divisor = Divisor();
  const std::uint64_t steps = divisor == 0 ? blocksSent_ : blocksSent_ / divisor;
  const std::uint32_t range = ProgressRange();
  return steps < range ? static_cast<std::uint32_t>(steps) : range;
}

bool BatchProgress::BlockSent() {
  if (blocksSent_ >= totalBlocks_) return false;
  const std::uint32_t before = ProgressPosition();
  ++blocksSent_;
  return ProgressPosition() != before;
}

std::uint64_t BatchProgress::BytesSent() const {
  if (totalBlocks_ == 0) return 0;
  // totalBytes * sent / blocks without overflow: sent <= blocks, and blocks fit in 32 bits for
  // any batch of 2 GB pictures that fits on a disk.
  const std::uint64_t whole = totalBytes_ / totalBlocks_;
  const std::uint64_t rest = totalBytes_ % totalBlocks_;
  return whole * blocksSent_ + rest * blocksSent_ / totalBlocks_;
}

std::string BatchProgress::PercentText(std::uint64_t sent, std::uint64_t total) {
  if (sent >= total) return "100%";
  return Format("%llu%%", static_cast<unsigned long long>(sent * 100 / total));
}

std::uint32_t BatchProgress::PictureDone() {
  const std::uint32_t before = filesDone_;
  if (filesDone_ < filesToSend_) ++filesDone_;
  return before;
}

void BatchProgress::Complete() { blocksSent_ = totalBlocks_; }

std::uint64_t BatchProgress::Tick(bool counting) {
  if (counting) ++elapsedSeconds_;
  const std::uint64_t now = BytesSent();
  const std::uint64_t speed = now > bytesAtLastTick_ ? now - bytesAtLastTick_ : 0;
  bytesAtLastTick_ = now;
  return speed;
}

std::string BatchProgress::ElapsedText() const {
  return TwoDigits(elapsedSeconds_ / 3600) + ":" + TwoDigits(elapsedSeconds_ / 60 % 60) + ":" +
         TwoDigits(elapsedSeconds_ % 60);
}

std::string BatchProgress::SizeText(std::uint64_t bytes) {
  if (bytes <= 1023) return Format("%llu B", static_cast<unsigned long long>(bytes));
  const double kilobytes = static_cast<double>(bytes) / 1024.0;
  if (kilobytes < 1024.0) return Format("%0.1f KB", kilobytes);
  return Format("%0.1f MB", static_cast<double>(bytes) / 1048576.0);
}

std::string BatchProgress::SpeedText(std::uint64_t bytesPerSecond) {
  if (bytesPerSecond == 0) return "";
  if (bytesPerSecond < 1024) return Format("%lluB /s", static_cast<unsigned long long>(bytesPerSecond));
  return Format("%0.1fK /s", static_cast<double>(bytesPerSecond) / 1024.0);
}

}  // namespace mb::upload
