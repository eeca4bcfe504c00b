// ThumbnailLoader: one worker thread that makes the thumbnail cells of a page's pictures in turn
// (the image layer's scaled decode) and posts each finished cell to a window. The window takes
// the cell with TakeThumbnail in its handler; the loader never touches the window's data.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
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
  // Stops the worker and frees the cells still waiting in the window's queue.
  ~ThumbnailLoader();
  ThumbnailLoader(const ThumbnailLoader&) = delete;
  ThumbnailLoader& operator=(const ThumbnailLoader&) = delete;

  // Stops a running worker, then starts one for these pictures (cell n = paths[n]).
  void Start(std::vector<std::string> paths, skin::Size cellSize, int batch);
  // Sets the stop flag and waits for the worker; cells it posted before stay queued.
  void Stop();

  // The cell a posted message carries; the caller owns it.
  static std::unique_ptr<LoadedThumbnail> TakeThumbnail(LPARAM lParam);

 private:
  void Run(std::vector<std::string> paths, skin::Size cellSize, int batch);
  void DiscardQueued();

  HWND target_;
  UINT message_;
  std::atomic<bool> stop_{false};
  std::thread worker_;
};

}  // namespace mb
