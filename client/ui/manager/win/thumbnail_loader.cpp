#include "client/ui/manager/win/thumbnail_loader.h"

#include "client/ui/manager/thumbnail_cell.h"
#include "client/ui/manager/thumbnail_strip.h"
#include "common/win/thread_start.h"

namespace mb {

ThumbnailLoader::~ThumbnailLoader() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
    stop_ = true;
  }
  wake_.notify_one();
  if (worker_.joinable()) worker_.join();
  DiscardQueued();
}

void ThumbnailLoader::Start(std::vector<std::string> paths, skin::Size cellSize, int batch) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    next_ = Batch{std::move(paths), cellSize, batch};
    stop_ = true;
  }
  wake_.notify_one();
  if (!worker_.joinable()) worker_ = std::thread(&ThumbnailLoader::Run, this);
}

void ThumbnailLoader::Stop() {
  std::lock_guard<std::mutex> lock(mutex_);
  next_.reset();
  stop_ = true;
}

void ThumbnailLoader::StopAndWait() {
  std::unique_lock<std::mutex> lock(mutex_);
  next_.reset();
  stop_ = true;
  idle_.wait(lock, [this] { return !busy_; });
}

std::unique_ptr<LoadedThumbnail> ThumbnailLoader::TakeThumbnail(LPARAM lParam) {
  return std::unique_ptr<LoadedThumbnail>(reinterpret_cast<LoadedThumbnail*>(lParam));
}

void ThumbnailLoader::Run() {
  ReleaseUnusedStack();
  for (;;) {
    Batch batch;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [this] { return quit_ || next_.has_value(); });
      if (quit_) return;
      batch = std::move(*next_);
      next_.reset();
      stop_ = false;
      busy_ = true;
    }
    Make(batch);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      busy_ = false;
    }
    idle_.notify_all();
  }
}

void ThumbnailLoader::Make(const Batch& batch) {
  for (int cell = 0; cell < static_cast<int>(batch.paths.size()) && !stop_; ++cell) {
    auto loaded = std::make_unique<LoadedThumbnail>();
    loaded->batch = batch.number;
    loaded->cell = cell;
    loaded->picture = manager::MakeThumbnailCell(batch.paths[cell], batch.cellSize, manager::CellRatio(batch.cellSize));
    if (stop_) return;
    if (!PostMessageA(target_, message_, static_cast<WPARAM>(batch.number), reinterpret_cast<LPARAM>(loaded.get()))) {
      return;
    }
    loaded.release();  // the window's handler owns it now
  }
}

void ThumbnailLoader::DiscardQueued() {
  MSG queued;
  while (PeekMessageA(&queued, target_, message_, message_, PM_REMOVE)) TakeThumbnail(queued.lParam);
}

}  // namespace mb
