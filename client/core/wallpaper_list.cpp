#include "client/core/wallpaper_list.h"

namespace mb {

int WrapWallpaperIndex(int index, int count) {
  if (index >= count) return 0;
  if (index < 0) return count - 1;
  return index;
}

std::vector<std::string> WallpaperList::Paths() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return paths_;
}

void WallpaperList::SetPaths(std::vector<std::string> paths) {
  std::lock_guard<std::mutex> lock(mutex_);
  paths_ = std::move(paths);
}

void WallpaperList::Add(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  paths_.push_back(path);
}

int WallpaperList::Count() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return static_cast<int>(paths_.size());
}

int WallpaperList::CurrentIndex() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return index_;
}

void WallpaperList::SetCurrentIndex(int index) {
  std::lock_guard<std::mutex> lock(mutex_);
  index_ = index;
}

std::optional<WallpaperEntry> WallpaperList::Step(int step) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (paths_.empty()) return std::nullopt;
  // Widened, so that a stored index near the int limits cannot overflow.
  const long long moved = static_cast<long long>(index_) + step;
  const int count = static_cast<int>(paths_.size());
  index_ = moved >= count ? 0 : moved < 0 ? count - 1 : static_cast<int>(moved);
  return WallpaperEntry{index_, paths_[static_cast<std::size_t>(index_)]};
}

std::optional<WallpaperEntry> WallpaperList::NormalizedCurrent() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (paths_.empty()) return std::nullopt;
  index_ = WrapWallpaperIndex(index_, static_cast<int>(paths_.size()));
  return WallpaperEntry{index_, paths_[static_cast<std::size_t>(index_)]};
}

std::optional<WallpaperEntry> WallpaperList::Current() const {
  std::lock_guard<std::mutex> lock(mutex_);
  if (index_ < 0 || static_cast<std::size_t>(index_) >= paths_.size()) return std::nullopt;
  return WallpaperEntry{index_, paths_[static_cast<std::size_t>(index_)]};
}

}  // namespace mb
