// BatchUploader: the picture pane's batch upload, from the start to the engine's last report. It
// checks the ticked rows against the upload rule (asking the member about refused ones), stops the
// batch before it, starts a new engine pool with one job per allowed row, and turns the engine's
// reports into the status text ("files done of total"), the progress bar, the speed and the
// elapsed time, counted by BatchProgress. Runs on the view's thread; the view forwards the
// messages and owns it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "framework/window.h"
#include "upload/core/batch_progress.h"
#include "uploader/image_view/upload_batch.h"

class CListImageCtrl;
class CZELUploadThreadsPool;

namespace hoistly {

class BatchUploader {
 public:
  using AskMember = std::function<int(const std::string& text, UINT type)>;
  using MakePool = std::function<CZELUploadThreadsPool*()>;

  // view: the window whose timer 1 is the upload clock.
  BatchUploader(const fw::Window& view, AskMember ask, MakePool makePool);
  ~BatchUploader();

  void Start(CListImageCtrl* list);
  // The engine's reports, forwarded by the frame.
  void OnNextPicture();
  void OnBlockSent();
  void OnQueueEmpty(bool silent);
  void OnClockTick();
  // The engine reported every picture sent: every block counts as acknowledged.
  void Complete() { progress_.Complete(); }
  // After the batch: every counter back to 0, not uploading.
  void Reset();
  // The running pool stopped (the view is going).
  void StopPool() { pool_.StopRunning(UploadPoolSlot::kStopWaitMs); }

  static constexpr UINT_PTR kClockTimer = 1;
  const mb::upload::BatchProgress& Progress() const { return progress_; }

 private:
  bool ConfirmSelection(const UploadSelection& selection);
  void PushJobs(CZELUploadThreadsPool& pool, CListImageCtrl& list, const std::vector<int>& rows);
  void StopClock();

  const fw::Window& view_;
  AskMember ask_;
  MakePool makePool_;
  UploadPoolSlot pool_;
  mb::upload::BatchProgress progress_;
  UINT_PTR clock_ = 0;
};

}  // namespace hoistly
