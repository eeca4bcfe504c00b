#include "uploader/image_view/batch_uploader.h"

#include <cstdio>

#include "conf/win/config.h"
#include "framework/message_thread.h"
#include "framework/module.h"
#include "thumblist/win/list_image_ctrl.h"
#include "thumblist/win/list_messages.h"
#include "upload/win/upload_pool.h"
#include "uploader/view_mediator.h"

namespace hoistly {

namespace {

constexpr char kTickSomething[] = "请勾选要上传的图片!";
constexpr char kAllRefused[] =
    "您选定的所有图片都不符合上传规则（文件大小大于2M或者分辨率小于1024*768），\r\n请编辑图片后再上传！";
constexpr char kSomeRefused[] = "下列图像文件不符合上传规则(文件大小大于2M或者分辨率小于1024*768)：\r\n";
constexpr char kGoOnQuestion[] = "是否继续上传其它图片？";

CViewMediator& Mediator() { return CViewMediator::Get(); }

}  // namespace

BatchUploader::BatchUploader(const fw::Window& view, AskMember ask, MakePool makePool)
    : view_(view), ask_(std::move(ask)), makePool_(std::move(makePool)) {}

BatchUploader::~BatchUploader() { StopClock(); }

bool BatchUploader::ConfirmSelection(const UploadSelection& selection) {
  if (!selection.anyTicked) {
    ask_(kTickSomething, MB_ICONINFORMATION);
    return false;
  }
  if (selection.rows.empty()) {
    ask_(kAllRefused, MB_ICONINFORMATION);
    return false;
  }
  if (selection.refused.empty()) return true;
  std::string question = kSomeRefused;
  for (const std::string& path : selection.refused) question += path + "\r\n";
  return ask_(question + kGoOnQuestion, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void BatchUploader::Start(CListImageCtrl* list) {
  const UploadSelection selection = list ? SelectUploadRows(*list) : UploadSelection{};
  if (list && selection.anyTicked) list->Send(WM_STORE_IMAGE_INFO, 0, 0);
  if (!ConfirmSelection(selection)) return;
  Mediator().SetUploading(1);

  // The batch before this one: silenced at once, its thread given a bounded time to end.
  StopClock();
  pool_.StopRunning(UploadPoolSlot::kStopWaitMs);
  CConfig* config = CConfig::GetConfig();
  config->SetFirstBlockFlag(0);
  progress_.Begin(static_cast<std::uint32_t>(selection.rows.size()));
  Mediator().SetProgressPos(0);

  Mediator().SetStatusText("正在收集待上传的文件信息...");
  Sleep(200);
  CZELUploadThreadsPool* pool = makePool_();
  pool_.Adopt(pool);
  HWND main = fw::Module::MainWindow();
  config->SetEngineMsgWnd(main);
  pool->SetMsgWnd(main);
  PushJobs(*pool, *list, selection.rows);
  Mediator().SetProgressRange(static_cast<unsigned short>(progress_.ProgressRange()));

  Mediator().SetStatusText("正在与服务器建立连接...");
  Sleep(200);
  fw::PostThreadMessageUntilAccepted(pool->ThreadId(), WM_START_UPLOAD, 0, 0);
  clock_ = SetTimer(view_, kClockTimer, 1000, nullptr);
}

void BatchUploader::PushJobs(CZELUploadThreadsPool& pool, CListImageCtrl& list, const std::vector<int>& rows) {
  for (int row : rows) {
    const mb::thumblist::RowTexts* texts = list.GetRowTexts(row);
    if (!texts) continue;
    std::unique_ptr<CZELFileQueue> job = MakeUploadJob(*texts);
    // A file whose size cannot be read still goes: the engine names it in its notice.
    if (std::optional<std::uint64_t> size = FileSizeOf(job->path)) progress_.AddPicture(*size);
    pool.Push(job.release());
  }
}

void BatchUploader::OnNextPicture() {
  const std::uint32_t done = progress_.PictureDone();
  char text[256];
  std::snprintf(text, sizeof text, "共 %u 张图片上传(共%s)，已传送完成 %u 张！", progress_.FilesToSend(),
                progress_.TotalSizeText().c_str(), done);
  Mediator().SetStatusText(text);
}

void BatchUploader::OnBlockSent() {
  CConfig* config = CConfig::GetConfig();
  if (config->GetFirstBlockFlag() == 0) {
    config->SetFirstBlockFlag(1);
    if (HWND engineWindow = config->GetEngineMsgWnd()) {
      SendMessageA(engineWindow, WM_UPLOAD_STATUS, UPLOAD_STATUS_NEXT_PICTURE, 0);
    }
  }
  if (progress_.BlockSent()) Mediator().SetProgressPos(static_cast<int>(progress_.ProgressPosition()));
}

void BatchUploader::OnQueueEmpty(bool silent) {
  StopClock();
  if (!silent) Mediator().SetStatusText("正在将图片附加信息写入数据库...");
}

void BatchUploader::OnClockTick() {
  const std::uint64_t speed = progress_.Tick(CConfig::GetConfig()->GetFirstBlockFlag() != 0);
  const unsigned shown = speed > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<unsigned>(speed);
  Mediator().ShowTransferState(shown, progress_.ElapsedText().c_str());
}

void BatchUploader::StopClock() {
  if (clock_ && view_.IsWindow()) KillTimer(view_, kClockTimer);
  clock_ = 0;
}

void BatchUploader::Reset() {
  CConfig::GetConfig()->SetFirstBlockFlag(0);
  StopClock();
  progress_.Reset();
  Mediator().SetUploading(0);
}

}  // namespace hoistly
