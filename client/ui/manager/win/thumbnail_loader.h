// ThumbnailLoader: one worker thread that makes the thumbnail cells of a page's pictures in turn
// (the image layer's scaled decode) and posts each finished cell to a window. The window takes
// the cell with TakeThumbnail in its handler; the loader never touches the window's data. A new
// batch or a stop never waits for the worker: the picture it is decoding is dropped when done.
#pragma once

#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "client/ui/skin/skin_geometry.h"
#include "image/picture.h"

namespace mb {

// What the posted message carries in its lParam; wParam is the cell's batch number.
struct LoadedThumbnail {
  int batch = 0;
  int cell = 0;
  Picture picture;  // white where the picture could not be read
};

class ThumbnailLoader {
 public:
  ThumbnailLoader(HWND target, UINT message) : target_(target), message_(message) {}
  // Ends the worker (waiting for the picture it decodes) and frees the cells still waiting in
  // the window's queue; call it while the window exists.
  ~ThumbnailLoader();
  ThumbnailLoader(const ThumbnailLoader&) = delete;
  ThumbnailLoader& operator=(const ThumbnailLoader&) = delete;

  // The worker drops what it was making and makes these pictures (cell n = paths[n]).
  void Start(std::vector<std::string> paths, skin::Size cellSize, int batch);
  // Sets the stop flag: the worker drops its batch after the picture in hand.
  void Stop();
  // Stops and waits until the worker has let go of the picture in hand (before a file goes).
  void StopAndWait();

  // The cell a posted message carries; the caller owns it.
  static std::unique_ptr<LoadedThumbnail> TakeThumbnail(LPARAM lParam);

 private:
  struct Batch {
    std::vector<std::string> paths;
    skin::Size cellSize;
    int number = 0;
  };

  void Run();
  void Make(const Batch& batch);
  void DiscardQueued();

  HWND target_;
  UINT message_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<Batch> next_;  // guarded by mutex_
  bool quit_ = false;          // guarded by mutex_
  bool busy_ = false;          // guarded by mutex_: a batch is being made
  std::condition_variable idle_;
  std::atomic<bool> stop_{false};
  std::thread worker_;
};

}  // namespace mb
