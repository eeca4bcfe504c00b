#include "upload/win/upload_worker.h"

#include "conf/win/config.h"
#include "upload/core/block_packet.h"
#include "upload/win/upload_messages.h"

using namespace mb::upload;

CZELUploadWinThread::CZELUploadWinThread(int number, std::shared_ptr<PoolShared> shared,
                                         const NetworkSettings& settings)
    : number_(number), socket_(kBlockPort), shared_(std::move(shared)) {
  socket_.SetTimeouts(settings.connectTimeoutMs, settings.ioTimeoutMs);
}

CZELUploadWinThread::~CZELUploadWinThread() = default;

void CZELUploadWinThread::RequestStop() {
  stop_ = true;
  socket_.Abort();
  fw::PostThreadMessageUntilAccepted(ThreadId(), WM_QUIT, 0, 0);
}

void CZELUploadWinThread::StopAndReleaseAll(std::unique_ptr<CZELUploadWinThread>* workers, int count,
                                            DWORD waitMs) {
  for (int i = 0; i < count; ++i) {
    if (workers[i]) workers[i]->RequestStop();
  }
  const DWORD deadline = GetTickCount() + waitMs;
  for (int i = 0; i < count; ++i) {
    if (!workers[i]) continue;
    const LONG left = static_cast<LONG>(deadline - GetTickCount());
    if (workers[i]->WaitForEnd(left > 0 ? static_cast<DWORD>(left) : 0) ||
        workers[i]->releaseByThread_.exchange(true)) {
      workers[i].reset();  // ended, possibly just now
    } else {
      workers[i].release();  // still running: the thread frees it at its end
    }
  }
}

void CZELUploadWinThread::OnThreadMessage(const MSG& message) {
  if (stop_) return;
  if (message.message == WM_WORKER_START) OnStart();
  if (message.message == WM_WORKER_SEND_FILE) SendBlocks();
}

void CZELUploadWinThread::OnExitThread() {
  socket_.CleanSocket();
}

void CZELUploadWinThread::OnThreadEnded() {
  if (releaseByThread_.exchange(true)) delete this;  // the pool let go of it already
}

void CZELUploadWinThread::OnStart() {
  connected_ = socket_.Connect(3) == 0;
  if (stop_) return;
  if (!connected_) {
    shared_->driver.WorkerConnectFailed(number_);
  } else if (shared_->driver.WorkerConnected(number_)) {
    SendBlocks();
  }
}

void CZELUploadWinThread::SendBlocks() {
  for (;;) {
    switch (SendOwnBlock()) {
      case BlockResult::Stopped:
        return;
      case BlockResult::GaveUp:
        shared_->driver.BlockFailed(number_);
        return;
      case BlockResult::Acknowledged:
        ReportBlockSent();
        if (!shared_->driver.WorkerIdle(number_)) return;
        break;
    }
  }
}

void CZELUploadWinThread::ReportBlockSent() {
  // The frame's answer to the run's first block sets the first-block flag, which the driver reads
  // when it sets up the next picture: until the flag is set, the report is handled before the
  // driver hears of the block. Afterwards nothing waits for the frame; the report still reaches
  // it before any later report of the engine.
  if (CConfig::GetConfig()->GetFirstBlockFlag()) {
    shared_->relay.NotifyBlockSent();
  } else {
    shared_->relay.Report(WM_UPLOAD_BLOCK_SENT, 0);
  }
}

CZELUploadWinThread::BlockResult CZELUploadWinThread::SendOwnBlock() {
  // The entry stays as it is while this worker has the block.
  const UploadBlockEntry& entry = shared_->table[number_];
  // A file that changed or vanished since the pool measured it cannot be sent as planned.
  if (!shared_->reader.Read(entry.job, entry.path, entry.offset, entry.length, data_)) return BlockResult::GaveUp;
  BlockHeader header;
  header.userName = entry.userName;
  header.remoteName = entry.remoteName;
  header.dateFolder = entry.dateFolder;
  header.minuteFolder = entry.minuteFolder;
  header.offset = entry.offset;
  header.count = static_cast<std::uint32_t>(data_.size());
  header.uploadType = static_cast<std::uint32_t>(entry.uploadType);
  EncodeBlockPacket(header, data_, packet_);

  const char* bytes = reinterpret_cast<const char*>(packet_.data());
  const int size = static_cast<int>(packet_.size());
  for (int tries = 0;;) {
    if (stop_) return BlockResult::Stopped;
    char reply[kReplySize];
    // A short or missing reply fails the try like a failed send: the connection's state is
    // unknown, so the block goes again on a fresh connection.
    if (connected_ && socket_.Send(bytes, size) == size && socket_.Recv(reply, sizeof reply) == sizeof reply) {
      return BlockResult::Acknowledged;
    }
    if (stop_) return BlockResult::Stopped;
    if (++tries >= kBlockTries) return BlockResult::GaveUp;
    connected_ = socket_.Connect(3) == 0;
  }
}
