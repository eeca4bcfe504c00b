// CZELUploadWinThread: one worker of the upload pool, with its own connection to the block
// server. Told to start, it connects and asks the pool's driver for work; it then sends block
// after block for as long as the driver hands it a next one on acknowledging the last.
#pragma once

#include <windows.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "upload/core/block_packet.h"
#include "upload/core/pool_driver.h"
#include "upload/win/critical_section.h"
#include "framework/message_thread.h"
#include "upload/win/picture_reader.h"
#include "upload/win/report_relay.h"
#include "upload/win/zel_socket.h"

namespace mb::upload {

// What the pool tells a worker about its next block. Entry n belongs to worker n; the driver
// fills it only while the worker waits for work.
struct UploadBlockEntry {
  std::size_t job = 0;  // the batch's job the block belongs to
  std::string path;
  std::uint32_t offset = 0;
  std::uint32_t length = 0;  // bytes of the file this block carries
  std::string dateFolder;
  std::string minuteFolder;
  std::string remoteName;
  std::string userName;  // as the member typed it, dots kept
  int pictureType = 1;
  int uploadType = 0;
  int privateFlag = 0;
};
using BlockTable = std::array<UploadBlockEntry, kMaxWorkers>;

struct NetworkSettings {
  DWORD connectTimeoutMs = CZELSocket::kDefaultConnectTimeoutMs;
  DWORD ioTimeoutMs = CZELSocket::kDefaultIoTimeoutMs;
};

// What a pool shares with its workers. Held by both, so that a worker that outlives its pool
// (one that did not end within the stop wait) never touches freed memory.
struct PoolShared {
  explicit PoolShared(PoolActionHost& host) : driver(host, std::make_unique<CriticalSectionMutex>()) {}
  ReportRelay relay;  // made on the frame's thread, with the pool
  PictureReader reader;
  BlockTable table;
  PoolDriver driver;
};

}  // namespace mb::upload

class CZELUploadWinThread : public fw::MessageThread {
 public:
  static constexpr int kBlockTries = 10;

  CZELUploadWinThread(int number, std::shared_ptr<mb::upload::PoolShared> shared,
                      const mb::upload::NetworkSettings& settings);
  ~CZELUploadWinThread() override;

  int Number() const { return number_; }
  // Asks the thread to end: its socket's waits end at once, then WM_QUIT.
  void RequestStop();
  // Stops workers and frees them; a worker whose thread does not end within the wait is freed by
  // its thread when it ends.
  static void StopAndReleaseAll(std::unique_ptr<CZELUploadWinThread>* workers, int count, DWORD waitMs);

 protected:
  void OnThreadMessage(const MSG& message) override;
  void OnExitThread() override;
  void OnThreadEnded() override;

 private:
  enum class BlockResult { Acknowledged, GaveUp, Stopped };

  void OnStart();
  // Sends the own entry's block, and the next ones the driver hands over.
  void SendBlocks();
  BlockResult SendOwnBlock();
  void ReportBlockSent();

  const int number_;
  CZELSocket socket_;
  std::shared_ptr<mb::upload::PoolShared> shared_;
  bool connected_ = false;
  std::atomic<bool> stop_{false};
  std::atomic<bool> releaseByThread_{false};  // set by whichever of thread end and release comes first
  std::string data_;  // the bytes of the block being sent
  mb::upload::BlockPacketBytes packet_;
};
