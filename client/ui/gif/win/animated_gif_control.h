// AnimatedGifControl: a small child window that plays an animated GIF (the waiting animation of
// the web pages) or shows a still picture. The GIF is split into its frames here; the system's
// picture loader decodes each frame; a drawing thread composes them into an off-screen buffer
// with their delays and disposal methods, and WM_PAINT copies the buffer to the window.
//
// At most one drawing thread runs. Stop and Unload are called on the UI thread; the frames and
// the buffer are freed only once the thread that uses them has ended. COM is initialised on the
// thread that loads.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "client/ui/gif/gif_frames.h"
#include "client/ui/gif/win/gif_animation.h"
#include "framework/window.h"

namespace mb {

class AnimatedGifControl : public fw::Window {
 public:
  static constexpr DWORD kStopWaitMs = 5000;

  AnimatedGifControl();
  ~AnimatedGifControl() override;

  // Reads the whole file into movable memory and loads it; false when the file cannot be read
  // completely or holds no picture.
  bool LoadFromFile(const std::string& path);
  // Loads the picture held in memory (length bytes); the caller keeps the memory. The control
  // resizes itself to the picture.
  bool Load(HGLOBAL memory, DWORD length);
  // Plays a GIF of several frames on the drawing thread; shows any other picture at once.
  void Start();
  // Stops the drawing thread, waiting at most waitMs. True when no drawing thread is left; when
  // the wait runs out the thread keeps its frames and buffer until it ends, and the control is
  // left empty.
  bool Stop(DWORD waitMs = kStopWaitMs);
  // Stops and lets go of every picture.
  void Unload();
  void SetBackgroundColor(COLORREF colour);

  bool IsPrepared() const { return animation_->IsPrepared(); }
  bool IsPlaying() const { return thread_ != nullptr && animation_->running; }
  // Frames of an animated GIF; 0 for a still picture.
  std::size_t FrameCount() const { return animation_->FrameCount(); }

 protected:
  fw::WindowClassSpec ClassSpec() const override;

 private:
  LRESULT OnPaint(const fw::Message& m);
  LRESULT OnDestroy(const fw::Message& m);
  bool LoadSinglePicture(HGLOBAL memory);
  bool LoadFrames(std::string_view data, const gif::GifFile& file);
  static DWORD WINAPI DrawingThread(void* param);

  std::shared_ptr<GifAnimation> animation_;
  HANDLE thread_ = nullptr;
  // An animation whose thread did not stop in time; no new thread starts while it still runs.
  std::weak_ptr<GifAnimation> abandoned_;
};

}  // namespace mb
