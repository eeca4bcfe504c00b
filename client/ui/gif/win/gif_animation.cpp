#include "client/ui/gif/win/gif_animation.h"

#include "client/ui/gif/gif_frames.h"
#include "client/ui/gif/win/ole_picture.h"

namespace mb {
namespace {

RECT FrameRect(const GifFrameRecord& frame) {
  return {frame.left, frame.top, frame.left + frame.width, frame.top + frame.height};
}

gif::FrameDisposal DisposalOf(const GifFrameRecord& frame) {
  gif::GifFrame parsed;
  parsed.disposal = frame.disposal;
  return gif::DisposalOf(parsed);
}

}  // namespace

GifAnimation::GifAnimation(HWND window) : window_(window), stopEvent_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

GifAnimation::~GifAnimation() {
  if (buffer_) {
    SelectObject(buffer_, oldBitmap_);
    DeleteDC(buffer_);
  }
  if (stopEvent_) CloseHandle(stopEvent_);
}

bool GifAnimation::Prepare(int width, int height) {
  if (buffer_ || width <= 0 || height <= 0) return false;
  // Resizing sends the window messages at once; its paint must not find the buffer locked.
  if (window_) SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  std::lock_guard<std::mutex> hold(bufferLock_);
  fw::WindowDC screen(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  fw::Bitmap bitmap(CreateCompatibleBitmap(screen, width, height));
  if (!dc || !bitmap) {
    if (dc) DeleteDC(dc);
    return false;
  }
  buffer_ = dc;
  bufferBitmap_ = std::move(bitmap);
  oldBitmap_ = SelectObject(buffer_, bufferBitmap_);
  size_ = {width, height};
  background_ = GetSysColor(COLOR_BTNFACE);
  const RECT all = {0, 0, width, height};
  FillRect(buffer_, &all, GetSysColorBrush(COLOR_MENU));
  prepared_ = true;
  return true;
}

void GifAnimation::FillBuffer(const RECT& area) {
  fw::Brush brush(CreateSolidBrush(background_.load()));
  FillRect(buffer_, &area, brush);
}

void GifAnimation::SetBackground(COLORREF colour) {
  std::lock_guard<std::mutex> hold(bufferLock_);
  if (!buffer_) return;
  background_ = colour;
  FillBuffer({0, 0, size_.cx, size_.cy});
}

bool GifAnimation::ShowSinglePicture() {
  bool drawn = false;
  {
    std::lock_guard<std::mutex> hold(bufferLock_);
    if (buffer_ && single_) drawn = RenderPicture(single_.Get(), buffer_, 0, 0, size_.cx, size_.cy);
  }
  Invalidate();
  return drawn;
}

void GifAnimation::PaintTo(HDC dc) {
  std::lock_guard<std::mutex> hold(bufferLock_);
  if (buffer_) BitBlt(dc, 0, 0, size_.cx, size_.cy, buffer_, 0, 0, SRCCOPY);
}

void GifAnimation::Invalidate() const {
  if (window_) InvalidateRect(window_, nullptr, FALSE);
}

void GifAnimation::RequestStop() {
  stop_ = true;
  SetEvent(stopEvent_);
}

void GifAnimation::ClearStop() {
  ResetEvent(stopEvent_);
  stop_ = false;
}

void GifAnimation::SaveUnder(const GifFrameRecord& frame) {
  fw::MemoryDC save(buffer_);
  fw::Bitmap bitmap(CreateCompatibleBitmap(buffer_, frame.width, frame.height));
  if (!save || !bitmap) return;
  {
    fw::ScopedSelect select(save, bitmap);
    BitBlt(save, 0, 0, frame.width, frame.height, buffer_, frame.left, frame.top, SRCCOPY);
  }
  saved_ = std::move(bitmap);
}

void GifAnimation::Dispose(const GifFrameRecord& frame) {
  switch (DisposalOf(frame)) {
    case gif::FrameDisposal::kRestoreBackground:
      FillBuffer(FrameRect(frame));
      break;
    case gif::FrameDisposal::kRestorePrevious:
      if (saved_) {
        fw::MemoryDC save(buffer_);
        fw::ScopedSelect select(save, saved_);
        BitBlt(buffer_, frame.left, frame.top, frame.width, frame.height, save, 0, 0, SRCCOPY);
      }
      saved_.Reset();
      break;
    case gif::FrameDisposal::kKeep:
      break;
  }
}

void GifAnimation::Play() {
  if (frames_.empty()) return;
  if (index_ >= frames_.size()) index_ = 0;
  {
    // A restart continues cleanly: the frame shown when the last run stopped is disposed of.
    std::lock_guard<std::mutex> hold(bufferLock_);
    if (buffer_) Dispose(frames_[index_]);
  }
  while (!stop_) {
    const GifFrameRecord& frame = frames_[index_];
    bool drawn = false;
    {
      std::lock_guard<std::mutex> hold(bufferLock_);
      if (!buffer_) return;
      if (DisposalOf(frame) == gif::FrameDisposal::kRestorePrevious) SaveUnder(frame);
      drawn = RenderPicture(frame.picture.Get(), buffer_, frame.left, frame.top, frame.width, frame.height);
    }
    if (drawn) Invalidate();
    if (stop_) break;
    WaitForSingleObject(stopEvent_, gif::FrameWaitMs(frame.delay));
    if (stop_) break;
    std::lock_guard<std::mutex> hold(bufferLock_);
    Dispose(frame);
    if (++index_ == frames_.size()) {
      index_ = 0;
      FillBuffer({0, 0, size_.cx, size_.cy});
    }
  }
}

}  // namespace mb
