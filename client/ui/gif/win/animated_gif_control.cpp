#include "client/ui/gif/win/animated_gif_control.h"

#include <cstring>

#include "client/ui/gif/win/ole_picture.h"
#include "common/win/thread_start.h"
#include "framework/gdi.h"

namespace mb {
namespace {

// A global memory block locked for reading and unlocked at the end.
class LockedMemory {
 public:
  explicit LockedMemory(HGLOBAL memory) : memory_(memory), data_(memory ? GlobalLock(memory) : nullptr) {}
  ~LockedMemory() {
    if (data_) GlobalUnlock(memory_);
  }
  LockedMemory(const LockedMemory&) = delete;
  LockedMemory& operator=(const LockedMemory&) = delete;
  const char* Data() const { return static_cast<const char*>(data_); }

 private:
  HGLOBAL memory_;
  void* data_;
};

// New movable memory holding bytes; null when it cannot be had.
HGLOBAL CopyToGlobal(const std::string& bytes) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!memory) return nullptr;
  void* data = GlobalLock(memory);
  if (!data) {
    GlobalFree(memory);
    return nullptr;
  }
  std::memcpy(data, bytes.data(), bytes.size());
  GlobalUnlock(memory);
  return memory;
}

}  // namespace

AnimatedGifControl::AnimatedGifControl() : animation_(std::make_shared<GifAnimation>(nullptr)) {
  Handle(WM_PAINT, &AnimatedGifControl::OnPaint);
  Handle(WM_DESTROY, &AnimatedGifControl::OnDestroy);
}

AnimatedGifControl::~AnimatedGifControl() { Unload(); }

fw::WindowClassSpec AnimatedGifControl::ClassSpec() const {
  fw::WindowClassSpec spec;
  spec.name = "mb.AnimatedGifControl";
  spec.style = 0;
  spec.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  return spec;
}

bool AnimatedGifControl::LoadFromFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const DWORD size = GetFileSize(file, nullptr);
  bool loaded = false;
  if (size != INVALID_FILE_SIZE && size > 0) {
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size)) {
      DWORD read = 0;
      bool complete = false;
      if (void* data = GlobalLock(memory)) {
        complete = ReadFile(file, data, size, &read, nullptr) && read == size;
        GlobalUnlock(memory);
      }
      if (complete) loaded = Load(memory, size);
      GlobalFree(memory);
    }
  }
  CloseHandle(file);
  return loaded;
}

bool AnimatedGifControl::Load(HGLOBAL memory, DWORD length) {
  Unload();
  LockedMemory locked(memory);
  if (!locked.Data() || length == 0 || GlobalSize(memory) < length) return false;
  const std::string_view data(locked.Data(), length);
  const gif::GifFile file = gif::ParseGif(data);
  if (!file.isGif) return LoadSinglePicture(memory);
  if (file.frames.empty()) return false;
  if (file.frames.size() == 1) return LoadSinglePicture(memory);
  return LoadFrames(data, file);
}

bool AnimatedGifControl::LoadSinglePicture(HGLOBAL memory) {
  ComPtr<IPicture> picture = DecodePicture(memory, false);
  if (!picture) return false;
  const SIZE size = PictureSizeInPixels(picture.Get());
  animation_->SetSinglePicture(std::move(picture));
  if (animation_->Prepare(size.cx, size.cy)) return true;
  Unload();
  return false;
}

bool AnimatedGifControl::LoadFrames(std::string_view data, const gif::GifFile& file) {
  for (const gif::GifFrame& frame : file.frames) {
    HGLOBAL memory = CopyToGlobal(gif::BuildFrameGif(data, file, frame));
    if (!memory) continue;
    ComPtr<IPicture> picture = DecodePicture(memory, true);  // the stream frees the memory
    if (!picture) continue;                                   // a frame that cannot be decoded is left out
    GifFrameRecord record;
    record.picture = std::move(picture);
    record.width = frame.width;
    record.height = frame.height;
    record.left = frame.left;
    record.top = frame.top;
    record.delay = frame.delay;
    record.disposal = frame.disposal;
    animation_->AddFrame(std::move(record));
  }
  if (animation_->FrameCount() == 0 || !animation_->Prepare(file.width, file.height)) {
    Unload();
    return false;
  }
  return true;
}

void AnimatedGifControl::Start() {
  if (!animation_->IsPrepared() || thread_) return;
  if (animation_->FrameCount() <= 1) {
    animation_->ShowSinglePicture();
    return;
  }
  if (const std::shared_ptr<GifAnimation> old = abandoned_.lock(); old && old->running) return;
  if (!animation_->StopEvent()) return;  // a thread that could not be stopped never starts
  // The thread holds its own reference to the animation for as long as it runs.
  auto* shared = new std::shared_ptr<GifAnimation>(animation_);
  animation_->running = true;
  thread_ = mb::BeginThread(DrawingThread, shared, CREATE_SUSPENDED);
  if (!thread_) {
    animation_->running = false;
    delete shared;
    return;
  }
  ResumeThread(thread_);
}

DWORD WINAPI AnimatedGifControl::DrawingThread(void* param) {
  std::unique_ptr<std::shared_ptr<GifAnimation>> hold(static_cast<std::shared_ptr<GifAnimation>*>(param));
  GifAnimation& animation = **hold;
  animation.Play();
  animation.running = false;
  return 0;
}

bool AnimatedGifControl::Stop(DWORD waitMs) {
  if (!thread_) return true;
  animation_->RequestStop();
  const bool ended = WaitForSingleObject(thread_, waitMs) == WAIT_OBJECT_0;
  CloseHandle(thread_);
  thread_ = nullptr;
  if (ended) {
    animation_->ClearStop();
    return true;
  }
  // The thread keeps the animation (still asked to stop) and frees it when it ends.
  abandoned_ = animation_;
  animation_ = std::make_shared<GifAnimation>(Handle());
  return false;
}

void AnimatedGifControl::Unload() {
  Stop();
  animation_ = std::make_shared<GifAnimation>(Handle());
}

void AnimatedGifControl::SetBackgroundColor(COLORREF colour) { animation_->SetBackground(colour); }

LRESULT AnimatedGifControl::OnPaint(const fw::Message&) {
  if (!GetUpdateRect(Handle(), nullptr, FALSE)) return 0;
  fw::PaintDC dc(Handle());
  animation_->PaintTo(dc);
  return 0;
}

LRESULT AnimatedGifControl::OnDestroy(const fw::Message&) {
  Stop();
  return 0;
}

}  // namespace mb
