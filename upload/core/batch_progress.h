// BatchProgress: the uploader's account of one batch upload, fed by the engine's reports. It knows
// what the batch holds (files, bytes, and blocks counted the way the engine cuts pictures), counts
// the acknowledged blocks and the finished files, and turns them into what the status bar shows:
// the progress bar's position in a range that fits its 16 bits, the percentage, the total size,
// the speed of the last second and the elapsed time. Byte and block counts are 64-bit, so a batch
// may pass 4 GB. One object per view, used on the user-interface thread only.
#pragma once

#include <cstdint>
#include <string>

#include "upload/core/upload_api.h"

namespace mb::upload {

class MB_UPLOAD_API BatchProgress {
 public:
  // The progress bar's range is an unsigned 16-bit value.
  static constexpr std::uint32_t kMaxProgressRange = 65535;

  // A new batch of filesToSend pictures: every counter back to 0.
  void Begin(std::uint32_t filesToSend);
  // The byte total counts each picture in whole blocks of this many bytes.
  static constexpr std::uint64_t kByteBlock = 6144;

  // A picture of the batch whose size could be read (one that could not adds nothing): its size
  // rounded up to whole 6,144-byte blocks joins the byte total; its blocks are counted the way
  // the engine cuts it.
  void AddPicture(std::uint64_t size);
  // Every counter back to 0, as before the first batch.
  void Reset();

  // What the batch holds.
  std::uint32_t FilesToSend() const { return filesToSend_; }
  std::uint64_t TotalBytes() const { return totalBytes_; }
  std::uint64_t TotalBlocks() const { return totalBlocks_; }
  // "%u B" up to 1,023 bytes, "%0.1f KB" below 1,024 KB, else "%0.1f MB".
  std::string TotalSizeText() const { return SizeText(totalBytes_); }

  // The progress bar: its range is 0..ProgressRange(). Up to 65,535 blocks a block is a step;
  // above, every Divisor() blocks are one step (the divisor is the block total / 65,535 rounded up).
  std::uint32_t ProgressRange() const;
  std::uint32_t Divisor() const;
  std::uint32_t ProgressPosition() const;

  // An acknowledged block; true when the progress bar moves one step with it. Blocks beyond the
  // total (a report too many) count nowhere.
  bool BlockSent();
  std::uint64_t BlocksSent() const { return blocksSent_; }
  // Bytes of the batch sent: its total in proportion to the blocks acknowledged, so that it never
  // passes the total and reaches it with the last block.
  std::uint64_t BytesSent() const;
  // "100%" when every block is sent (and with nothing to count), else the truncated percentage.
  std::string PercentText() const { return PercentText(blocksSent_, totalBlocks_); }
  // The same for any pair of counters: "100%" when sent reaches the total or there is nothing to
  // count, else the truncated percentage (never above 99).
  static std::string PercentText(std::uint64_t sent, std::uint64_t total);

  // The engine set up the next picture: returns the number of files done before it (what the
  // status text shows), then counts one more, never more than the files to send.
  std::uint32_t PictureDone();
  std::uint32_t FilesDone() const { return filesDone_; }
  // The engine reports every picture sent: every block counts as acknowledged.
  void Complete();

  // One second of the upload timer. While counting (the first block was seen) the elapsed time
  // grows by a second. Returns the bytes sent since the last tick.
  std::uint64_t Tick(bool counting);
  std::uint64_t ElapsedSeconds() const { return elapsedSeconds_; }
  // "hh:mm:ss", each part with a leading 0 below 10 (hours may pass 99).
  std::string ElapsedText() const;

  static std::string SizeText(std::uint64_t bytes);
  // "%0.1fK /s" from 1,024 bytes a second, "%uB /s" below, "" for no bytes.
  static std::string SpeedText(std::uint64_t bytesPerSecond);

 private:
  std::uint32_t filesToSend_ = 0;
  std::uint32_t filesDone_ = 0;
  std::uint64_t totalBytes_ = 0;
  std::uint64_t totalBlocks_ = 0;
  std::uint64_t blocksSent_ = 0;
  std::uint64_t bytesAtLastTick_ = 0;
  std::uint64_t elapsedSeconds_ = 0;
};

}  // namespace mb::upload
