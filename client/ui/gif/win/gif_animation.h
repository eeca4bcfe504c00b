// What one loaded picture of an AnimatedGifControl is made of: the decoded frames, the
// off-screen buffer they are composed in and the stop signal of the drawing thread. The control
// and its drawing thread share it, so that a thread which does not stop in time never finds
// its frames or its buffer freed under it: whichever lets go last frees them.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "common/win/com_ptr.h"
#include "framework/gdi.h"

namespace mb {

struct GifFrameRecord {
  ComPtr<IPicture> picture;
  int width = 0;
  int height = 0;
  int left = 0;
  int top = 0;
  std::uint32_t delay = 0;  // hundredths of a second; 0xFFFFFFFF without a control extension
  int disposal = 0;
};

class GifAnimation {
 public:
  explicit GifAnimation(HWND window);
  ~GifAnimation();
  GifAnimation(const GifAnimation&) = delete;
  GifAnimation& operator=(const GifAnimation&) = delete;

  // Set up on the UI thread while no drawing thread runs.
  void AddFrame(GifFrameRecord frame) { frames_.push_back(std::move(frame)); }
  void SetSinglePicture(ComPtr<IPicture> picture) { single_ = std::move(picture); }
  std::size_t FrameCount() const { return frames_.size(); }
  // Makes the buffer of the logical screen: background the button face, filled with the menu
  // colour. False (and unprepared) when the buffer cannot be made.
  bool Prepare(int width, int height);
  bool IsPrepared() const { return prepared_; }
  // Stores the colour and fills the whole buffer with it (nothing before Prepare).
  void SetBackground(COLORREF colour);
  // Renders the single picture into the buffer in the logical size.
  bool ShowSinglePicture();

  // Copies the buffer to (0, 0) of dc (UI thread).
  void PaintTo(HDC dc);

  // The drawing thread's side.
  HANDLE StopEvent() const { return stopEvent_; }
  void RequestStop();
  // Clears the stop request after the thread has ended.
  void ClearStop();
  std::atomic<bool> running{false};
  // Plays the frames from the current one until stopped (drawing thread).
  void Play();

 private:
  void Dispose(const GifFrameRecord& frame);
  void SaveUnder(const GifFrameRecord& frame);
  void FillBuffer(const RECT& area);
  void Invalidate() const;

  const HWND window_;
  const HANDLE stopEvent_;  // manual reset, made before any thread can wait on it
  std::atomic<bool> stop_{false};
  std::vector<GifFrameRecord> frames_;
  ComPtr<IPicture> single_;
  std::size_t index_ = 0;  // the frame shown (or about to be)

  // The buffer and the save of frames that restore what lay under them. The drawing thread
  // composes while the UI thread paints: one DC is never used by both at once.
  std::mutex bufferLock_;
  bool prepared_ = false;
  SIZE size_ = {};
  std::atomic<COLORREF> background_{RGB(255, 255, 255)};
  HDC buffer_ = nullptr;
  fw::Bitmap bufferBitmap_;
  HGDIOBJ oldBitmap_ = nullptr;
  fw::Bitmap saved_;  // area under the current disposal-3 frame
};

}  // namespace mb
