#include "upload/win/upload_pool.h"

#include <ctime>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <stdexcept>
#include <vector>

#include "common/gbk_text.h"
#include "conf/win/config.h"
#include "upload/core/pool_driver.h"
#include "upload/core/remote_name.h"
#include "framework/message_thread.h"
#include "upload/win/report_relay.h"
#include "upload/win/upload_file_state.h"
#include "upload/win/upload_messages.h"
#include "upload/win/upload_worker.h"

using namespace mb::upload;

namespace {

constexpr DWORD kWorkerStopWaitMs = 3000;
constexpr char kNoticeTitle[] = "提示";

std::string Field(const char* field, std::size_t size) { return mb::ReadField(field, size); }
std::string PathOf(const CZELFileQueue& job) { return Field(job.path, sizeof job.path); }

// Worker threads made ahead on the pool's thread while the first workers connect. Starting a
// worker happens under the driver's lock, on the thread of the worker that just connected; with a
// thread made ahead it takes only the start message, where making one takes a millisecond or
// more (under Wine) that every other worker would wait for.
class SpareWorkers {
 public:
  using Make = std::function<std::unique_ptr<CZELUploadWinThread>(int worker)>;

  // On the pool's thread: makes the workers from first on that were not taken yet.
  void Prepare(int first, const Make& make) {
    for (int worker = first; worker < kMaxWorkers; ++worker) {
      if (Taken(worker)) continue;
      std::unique_ptr<CZELUploadWinThread> thread = make(worker);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!taken_[worker]) threads_[worker] = std::move(thread);
      }
      if (thread) CZELUploadWinThread::StopAndReleaseAll(&thread, 1, kWorkerStopWaitMs);  // made in vain
    }
  }
  // From any thread: the worker made ahead, or nothing; it is not made any more.
  std::unique_ptr<CZELUploadWinThread> Take(int worker) {
    std::lock_guard<std::mutex> lock(mutex_);
    taken_[worker] = true;
    return std::move(threads_[worker]);
  }
  // On the pool's thread: stops the workers never taken; none is made any more.
  void StopAll() {
    std::unique_ptr<CZELUploadWinThread> left[kMaxWorkers];
    for (int worker = 0; worker < kMaxWorkers; ++worker) left[worker] = Take(worker);
    CZELUploadWinThread::StopAndReleaseAll(left, kMaxWorkers, kWorkerStopWaitMs);
  }

 private:
  bool Taken(int worker) {
    std::lock_guard<std::mutex> lock(mutex_);
    return taken_[worker];
  }

  std::mutex mutex_;
  std::unique_ptr<CZELUploadWinThread> threads_[kMaxWorkers];
  bool taken_[kMaxWorkers] = {};
};

}  // namespace

// The pool's thread and what it owns. The job queue is locked for the uploader's thread; the run's
// state (jobs, pictures, workers) is touched under the driver's lock, or by the pool's thread
// while the driver has it carry out queued actions.
class CZELUploadThreadsPool::Engine : public fw::MessageThread, private PoolActionHost {
 public:
  explicit Engine(CZELUploadThreadsPool& owner)
      : owner_(owner), shared_(std::make_shared<PoolShared>(static_cast<PoolActionHost&>(*this))) {}

  void Push(CZELFileQueue* job) {
    std::lock_guard<std::mutex> lock(queueMutex_);
    queue_.emplace_back(job);
  }
  CZELFileQueue* Pop() {
    std::lock_guard<std::mutex> lock(queueMutex_);
    if (queue_.empty()) throw std::invalid_argument("the upload queue is empty");
    CZELFileQueue* job = queue_.front().release();
    queue_.pop_front();
    return job;
  }
  bool IsEmpty() const {
    std::lock_guard<std::mutex> lock(queueMutex_);
    return queue_.empty();
  }
  void SetMsgWnd(HWND window) { msgWnd_ = window; }
  void SetNetworkTimeouts(DWORD connectMs, DWORD ioMs) {
    settings_.connectTimeoutMs = connectMs;
    settings_.ioTimeoutMs = ioMs;
  }
  void Stop() {
    stopping_ = true;
    shared_->relay.Close();
    fileState_->Abort();
    fw::PostThreadMessageUntilAccepted(ThreadId(), WM_QUIT, 0, 0);  // the last touch of this object
  }

 protected:
  void OnThreadMessage(const MSG& message) override {
    if (stopping_) return;
    switch (message.message) {
      case WM_START_UPLOAD:
        OnStartTransfer();
        break;
      case WM_POOL_ACTIONS:
        shared_->driver.RunDeferred();
        break;
      case WM_WORKER_CONNECT_FAILED:
        shared_->driver.WorkerConnectFailed(static_cast<int>(message.wParam));
        break;
      case WM_WORKER_BLOCK_FAILED:
        shared_->driver.BlockFailed(static_cast<int>(message.wParam));
        break;
      default:
        break;
    }
  }

  void OnExitThread() override {
    stopping_ = true;
    shared_->relay.Close();
    fileState_->Abort();
    shared_->driver.Stop();
    WaitAllChildrenThread();
    shared_->driver.DetachHost();
  }

  void OnThreadEnded() override { delete &owner_; }

 private:
  void OnStartTransfer() {
    if (started_) return;  // one run per pool
    started_ = true;
    while (!IsEmpty()) jobs_.emplace_back(Pop());
    CConfig* config = CConfig::GetConfig();
    userName_ = config->GetDefaultUserName();
    shared_->relay.SetTarget(config->GetEngineMsgWnd());
    fileState_->Configure(settings_);
    shared_->driver.Start(jobs_.size());
    spares_.Prepare(1, [this](int worker) { return MakeWorker(worker); });
  }

  bool WaitAllChildrenThread() {
    CZELUploadWinThread::StopAndReleaseAll(workers_, kMaxWorkers, kWorkerStopWaitMs);
    spares_.StopAll();
    shared_->reader.Stop();  // the run is over
    return true;
  }

  // PoolActionHost: the first four under the driver's lock.
  std::optional<std::uint64_t> ProbePicture(std::size_t job) override {
    const std::string path = PathOf(*jobs_[job]);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      return std::nullopt;
    }
    const FileStamp stamp = stamps_[job] = FileStamp::Of(data.nFileSizeHigh, data.nFileSizeLow, data.ftLastWriteTime);
    // The file must open for reading; a read ahead of this very version shows it did. (Opening it
    // here costs the Wine server two calls while every worker waits for the driver's lock.)
    if (!shared_->reader.ReadAheadFrom(job, stamp)) {
      HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (file == INVALID_HANDLE_VALUE) return std::nullopt;
      CloseHandle(file);
    }
    return stamp.size;
  }

  bool BeginPicture(std::size_t job) override {
    const std::string path = PathOf(*jobs_[job]);
    pictures_[job] = fileState_->RemoteNameBuilder(path, userName_);
    shared_->reader.BeginPicture(job, path, stamps_[job], job + 1 < jobs_.size() ? PathOf(*jobs_[job + 1]) : "");
    return CConfig::GetConfig()->GetFirstBlockFlag() != 0;
  }

  void FillBlock(int worker, std::size_t job, const BlockSpan& block) override {
    const CZELFileQueue& record = *jobs_[job];
    const PictureIdentity& picture = pictures_[job];
    UploadBlockEntry& entry = shared_->table[worker];
    entry.job = job;
    entry.path = picture.path;
    entry.offset = block.offset;
    entry.length = block.length;
    entry.dateFolder = picture.dateFolder;
    entry.minuteFolder = picture.minuteFolder;
    entry.remoteName = picture.remoteName;
    entry.userName = userName_;
    entry.pictureType = record.pictureType;
    entry.uploadType = record.uploadType;
    entry.privateFlag = record.privateFlag;
  }

  // The picture's record (WriteDB for the last one), sent by the thread whose report completed
  // the picture. The record connection is shared with that send, which a worker that outlived
  // the pool may still be in.
  RecordDelivery PrepareRecord(std::size_t job) override {
    const CZELFileQueue& record = *jobs_[job];
    const PictureIdentity& picture = pictures_[job];
    const CImageInfo info(userName_.c_str(), StoreHead(picture.dateFolder, picture.minuteFolder).c_str(),
                          picture.remoteName.c_str(), static_cast<std::uint32_t>(record.pictureType),
                          static_cast<std::uint32_t>(std::time(nullptr)), record.privateFlag, record.uploadType,
                          record.album, Field(record.remark, sizeof record.remark).c_str(),
                          Field(record.tag, sizeof record.tag).c_str(), Field(record.title, sizeof record.title).c_str(),
                          Field(record.pix, sizeof record.pix).c_str(), record.pk);
    return [records = fileState_, info] { return records->SendImageRecord(info); };
  }

  void Execute(const PoolAction& action) override {
    switch (action.kind) {
      case PoolAction::Kind::StartWorker:
        NewThread(action.worker);
        break;
      case PoolAction::Kind::SendBlock:
        if (!workers_[action.worker] || !workers_[action.worker]->PostToThread(WM_WORKER_SEND_FILE)) {
          PostToThread(WM_WORKER_BLOCK_FAILED, static_cast<WPARAM>(action.worker));
        }
        break;
      case PoolAction::Kind::Report:
        Report(action.report);
        break;
      case PoolAction::Kind::StopWorker:
        // It ends while the others go on; the run's end waits for it with them.
        if (workers_[action.worker]) workers_[action.worker]->RequestStop();
        break;
      case PoolAction::Kind::StopAllWorkers:
        WaitAllChildrenThread();
        break;
      case PoolAction::Kind::Finish:
        ShowOutcome(action.outcome);
        break;
    }
  }

  void WakePoolThread() override { PostToThread(WM_POOL_ACTIONS); }

  // A running worker thread that waits for its start, or nothing.
  std::unique_ptr<CZELUploadWinThread> MakeWorker(int worker) {
    auto thread = std::make_unique<CZELUploadWinThread>(worker, shared_, settings_);
    if (!thread->StartThread()) CZELUploadWinThread::StopAndReleaseAll(&thread, 1, kWorkerStopWaitMs);
    return thread;
  }

  int NewThread(int worker) {
    std::unique_ptr<CZELUploadWinThread> thread = spares_.Take(worker);
    if (!thread) thread = MakeWorker(worker);
    if (!thread || !thread->PostToThread(WM_WORKER_START)) {
      CZELUploadWinThread::StopAndReleaseAll(&thread, 1, kWorkerStopWaitMs);
      PostToThread(WM_WORKER_CONNECT_FAILED, static_cast<WPARAM>(worker));
      return 0;
    }
    workers_[worker] = std::move(thread);
    return 1;
  }

  void Report(EngineReport report) {
    switch (report) {
      case EngineReport::FirstConnection:
        shared_->relay.Report(WM_UPLOAD_STATUS, UPLOAD_STATUS_CONNECTED);
        break;
      case EngineReport::NextPicture:
        shared_->relay.NotifyNextPicture();  // counted: the driver's lock is held here
        break;
      case EngineReport::AllSent:
        shared_->relay.Report(WM_UPLOAD_STATUS, UPLOAD_STATUS_ALL_SENT);
        break;
      case EngineReport::QueueEmpty:
        shared_->relay.Report(WM_UPLOAD_QUEUE_EMPTY, 0);
        break;
      case EngineReport::ConnectFailed:
        shared_->relay.Report(WM_UPLOAD_CONNECT_FAILED, 0);
        break;
    }
  }

  std::string PathList(const std::vector<std::size_t>& jobs) const {
    std::string text;
    for (std::size_t job : jobs) text += PathOf(*jobs_[job]) + "\r\n";
    return text;
  }

  void ShowOutcome(const BatchOutcome& outcome) {
    if (stopping_) return;
    std::string text;
    UINT type = MB_OK;
    switch (outcome.kind) {
      case BatchOutcome::Kind::Completed:
        text = "文件传送完成了";
        break;
      case BatchOutcome::Kind::ConnectFailed:
        text = "连接服务器失败，请检查网络是否畅通！";
        type |= MB_ICONINFORMATION;
        break;
      case BatchOutcome::Kind::PictureFailed:
        text = "图片传送失败，本次上传已停止，请检查网络是否畅通！\r\n\r\n传送失败的图片：\r\n" + PathList(outcome.failed);
        if (!outcome.unsent.empty()) text += "\r\n没有上传的图片：\r\n" + PathList(outcome.unsent);
        type |= MB_ICONERROR;
        break;
    }
    if (!outcome.skipped.empty()) {
      text += "\r\n\r\n下列文件无法读取、为空或只有一个字节，没有上传：\r\n" + PathList(outcome.skipped);
    }
    owner_.ShowNotice(text, kNoticeTitle, type);
  }

  CZELUploadThreadsPool& owner_;
  mutable std::mutex queueMutex_;
  std::deque<std::unique_ptr<CZELFileQueue>> queue_;
  HWND msgWnd_ = nullptr;  // kept; the reports go to CConfig's engine message window
  NetworkSettings settings_;
  std::atomic<bool> stopping_{false};
  bool started_ = false;
  std::shared_ptr<UploadFileState> fileState_ = std::make_shared<UploadFileState>();
  std::shared_ptr<PoolShared> shared_;
  std::unique_ptr<CZELUploadWinThread> workers_[kMaxWorkers];
  SpareWorkers spares_;
  std::vector<std::unique_ptr<CZELFileQueue>> jobs_;
  std::map<std::size_t, PictureIdentity> pictures_;
  std::map<std::size_t, FileStamp> stamps_;  // each picture's file as it was measured
  std::string userName_;
};

CZELUploadThreadsPool::CZELUploadThreadsPool() : engine_(std::make_unique<Engine>(*this)) {
  engine_->StartThread();
}

CZELUploadThreadsPool::~CZELUploadThreadsPool() = default;

void CZELUploadThreadsPool::Push(CZELFileQueue* job) { engine_->Push(job); }
CZELFileQueue* CZELUploadThreadsPool::Pop() { return engine_->Pop(); }
bool CZELUploadThreadsPool::IsEmpty() const { return engine_->IsEmpty(); }
void CZELUploadThreadsPool::SetMsgWnd(HWND window) { engine_->SetMsgWnd(window); }
DWORD CZELUploadThreadsPool::ThreadId() const { return engine_->ThreadId(); }
void CZELUploadThreadsPool::SetNetworkTimeouts(DWORD connectMs, DWORD ioMs) {
  engine_->SetNetworkTimeouts(connectMs, ioMs);
}
void CZELUploadThreadsPool::Stop() { engine_->Stop(); }

void CZELUploadThreadsPool::ShowNotice(const std::string& text, const std::string& title, UINT type) {
  MessageBoxA(nullptr, text.c_str(), title.c_str(), type);
}
