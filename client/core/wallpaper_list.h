// WallpaperList: the carousel's ordered picture paths and its current index, shared by the
// user-interface thread (which edits and steps it) and the player thread (which reads it). Every
// access takes the list's lock; callers get copies, never references into the list.
#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace mb {

struct WallpaperEntry {
  int index = 0;
  std::string path;
};

// index moved into 0..count-1 by a single wrap: count or more gives 0, below 0 gives count - 1.
// count must be greater than 0.
int WrapWallpaperIndex(int index, int count);

class WallpaperList {
 public:
  std::vector<std::string> Paths() const;
  void SetPaths(std::vector<std::string> paths);
  void Add(const std::string& path);
  int Count() const;
  bool Empty() const { return Count() == 0; }

  int CurrentIndex() const;
  void SetCurrentIndex(int index);

  // Moves the index by step (wrapping once) and returns the entry it then names; nothing when
  // the list is empty (the index is left as it is).
  std::optional<WallpaperEntry> Step(int step);
  // The entry at the index after wrapping it into range once (the wrapped index is kept); nothing
  // when the list is empty.
  std::optional<WallpaperEntry> NormalizedCurrent();
  // The entry at the index as it stands; nothing when the list is empty or the index is out of
  // range.
  std::optional<WallpaperEntry> Current() const;

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> paths_;
  int index_ = -1;
};

}  // namespace mb
