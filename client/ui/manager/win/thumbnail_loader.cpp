#include "client/ui/manager/win/thumbnail_loader.h"

#include "client/ui/manager/thumbnail_cell.h"

namespace mb {

ThumbnailLoader::~ThumbnailLoader() {
  Stop();
  DiscardQueued();
}

void ThumbnailLoader::Start(std::vector<std::string> paths, skin::Size cellSize, int batch) {
  Stop();
  stop_ = false;
  worker_ = std::thread(&ThumbnailLoader::Run, this, std::move(paths), cellSize, batch);
}

void ThumbnailLoader::Stop() {
  stop_ = true;
  if (worker_.joinable()) worker_.join();
}

std::unique_ptr<LoadedThumbnail> ThumbnailLoader::TakeThumbnail(LPARAM lParam) {
  return std::unique_ptr<LoadedThumbnail>(reinterpret_cast<LoadedThumbnail*>(lParam));
}

void ThumbnailLoader::Run(std::vector<std::string> paths, skin::Size cellSize, int batch) {
  for (int cell = 0; cell < static_cast<int>(paths.size()) && !stop_; ++cell) {
    auto loaded = std::make_unique<LoadedThumbnail>();
    loaded->batch = batch;
    loaded->cell = cell;
    loaded->picture = manager::MakeThumbnailCell(paths[cell], cellSize);
    if (stop_) return;
    if (!PostMessageA(target_, message_, static_cast<WPARAM>(batch), reinterpret_cast<LPARAM>(loaded.get()))) return;
    loaded.release();  // the window's handler owns it now
  }
}

void ThumbnailLoader::DiscardQueued() {
  MSG queued;
  while (PeekMessageA(&queued, target_, message_, message_, PM_REMOVE)) TakeThumbnail(queued.lParam);
}

}  // namespace mb
