#include "upload/win/picture_reader.h"

#include <algorithm>
#include <mutex>
#include <tuple>

#include "common/win/thread_start.h"
#include "upload/core/block_packet.h"

namespace mb::upload {

namespace {

constexpr std::size_t kWindowsKept = 3;
// A window after a full one starts one longest read before its end, so every read that does not
// fit in a window fits in the next.
constexpr std::uint32_t kNextWindowStep = PictureReader::kWindowSize - kBlockDataSize;

}  // namespace

bool PictureReader::Place::Covers(std::size_t otherJob, std::uint32_t offset, std::uint32_t length) const {
  return otherJob == job && offset >= start && std::uint64_t{offset} + length <= std::uint64_t{start} + kWindowSize;
}

bool PictureReader::Window::Holds(std::size_t job, std::uint32_t offset, std::uint32_t length) const {
  return trusted && job == place.job && offset >= place.start &&
         std::uint64_t{offset} + length <= std::uint64_t{place.start} + bytes.size();
}

bool PictureReader::Window::After(const Window& other) const {
  return std::tie(place.job, place.start) > std::tie(other.place.job, other.place.start);
}

PictureReader::PictureReader()
    : wake_(CreateEventA(nullptr, FALSE, FALSE, nullptr)), arrived_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
  if (wake_ && arrived_) thread_ = BeginThread(ThreadMain, this);
}

PictureReader::~PictureReader() {
  Stop();
  if (wake_) CloseHandle(wake_);
  if (arrived_) CloseHandle(arrived_);
}

void PictureReader::Stop() {
  HANDLE thread;
  {
    std::lock_guard<CriticalSectionMutex> lock(mutex_);
    stopping_ = true;
    thread = thread_;
    thread_ = nullptr;
  }
  if (!thread) return;
  SetEvent(wake_);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
}

void PictureReader::BeginPicture(std::size_t job, const std::string& path, const FileStamp& stamp,
                                 const std::string& nextPath) {
  std::unique_lock<CriticalSectionMutex> lock(mutex_);
  setUpJob_ = job;
  setUpPath_ = path;
  setUpStamp_ = stamp;
  nextPath_ = nextPath;
  // Windows read ahead for this picture count only when the file is still as it was read.
  for (auto window = windows_.begin(); window != windows_.end();) {
    if (!window->trusted && window->place.job == job) window->trusted = window->stamp == stamp;
    if (window->trusted) {
      ++window;
    } else {
      Recycle(window->bytes);
      window = windows_.erase(window);
    }
  }
  const bool wake = AskFor(Place{job, path, 0, false});
  lock.unlock();
  if (wake) SetEvent(wake_);
}

bool PictureReader::ReadAheadFrom(std::size_t job, const FileStamp& stamp) {
  std::lock_guard<CriticalSectionMutex> lock(mutex_);
  return std::any_of(windows_.begin(), windows_.end(),
                     [&](const Window& window) { return window.place.job == job && window.stamp == stamp; });
}

bool PictureReader::Read(std::size_t job, const std::string& path, std::uint32_t offset, std::uint32_t length,
                         std::string& bytes) {
  if (length == 0) return false;
  std::unique_lock<CriticalSectionMutex> lock(mutex_);
  const Window* window;
  // A window on its way is waited for rather than read twice.
  while (!(window = Holding(job, offset, length)) &&
         ((wanted_ && wanted_->Covers(job, offset, length)) || (reading_ && reading_->Covers(job, offset, length)))) {
    ++waiters_;
    ResetEvent(arrived_);
    lock.unlock();
    WaitForSingleObject(arrived_, INFINITE);
    lock.lock();
    --waiters_;
  }
  std::optional<Place> next;
  if (window) {
    bytes.assign(window->bytes, offset - window->place.start, length);
    next = NextPlace(*window);
  } else {
    Window read;
    read.bytes = std::move(spare_);
    spare_.clear();
    const bool ok = ReadWindow(Place{job, path, offset, false}, read);
    read.trusted = true;  // a block of the picture was handed out: it is set up
    if (!ok || !read.Holds(job, offset, length)) {
      Recycle(read.bytes);
      return false;
    }
    // The bytes come from the window just read: once kept, it may be the first to go when windows
    // of later pictures are kept already.
    bytes.assign(read.bytes, offset - read.place.start, length);
    next = NextPlace(read);
    Keep(std::move(read));
  }
  const bool wake = next && AskFor(*next);
  lock.unlock();
  if (wake) SetEvent(wake_);
  return true;
}

const PictureReader::Window* PictureReader::Holding(std::size_t job, std::uint32_t offset,
                                                    std::uint32_t length) const {
  for (const Window& window : windows_) {
    if (window.Holds(job, offset, length)) return &window;
  }
  return nullptr;
}

std::optional<PictureReader::Place> PictureReader::NextPlace(const Window& window) const {
  const Place& place = window.place;
  if (window.bytes.size() == kWindowSize) return Place{place.job, place.path, place.start + kNextWindowStep, false};
  if (place.job == setUpJob_ && !nextPath_.empty()) return Place{place.job + 1, nextPath_, 0, true};
  if (place.job + 1 == setUpJob_) return Place{setUpJob_, setUpPath_, 0, false};
  return std::nullopt;
}

bool PictureReader::AskFor(const Place& place) {
  if (!thread_ || stopping_ || (wanted_ && *wanted_ == place) || (reading_ && *reading_ == place)) return false;
  for (const Window& window : windows_) {
    if (window.place == place) return false;
  }
  wanted_ = place;
  return true;
}

void PictureReader::Keep(Window window) {
  for (auto kept = windows_.begin(); kept != windows_.end(); ++kept) {
    if (kept->place == window.place) {
      Recycle(kept->bytes);
      windows_.erase(kept);
      break;
    }
  }
  windows_.push_back(std::move(window));
  if (windows_.size() > kWindowsKept) {
    const auto oldest = std::min_element(windows_.begin(), windows_.end(),
                                         [](const Window& a, const Window& b) { return b.After(a); });
    Recycle(oldest->bytes);
    windows_.erase(oldest);
  }
}

void PictureReader::Recycle(std::string& bytes) {
  if (bytes.capacity() > spare_.capacity()) spare_.swap(bytes);
}

DWORD WINAPI PictureReader::ThreadMain(void* self) {
  static_cast<PictureReader*>(self)->ReadAhead();
  return 0;
}

void PictureReader::ReadAhead() {
  for (;;) {
    WaitForSingleObject(wake_, INFINITE);
    std::unique_lock<CriticalSectionMutex> lock(mutex_);
    while (wanted_ && !stopping_) {
      reading_ = std::move(wanted_);
      wanted_.reset();
      const Place place = *reading_;
      Window window;
      window.bytes = std::move(spare_);
      spare_.clear();
      lock.unlock();
      const bool ok = ReadWindow(place, window);
      lock.lock();
      reading_.reset();
      // A picture set up while its window was read ahead must still be as the setting up found it;
      // one not set up yet keeps the window for the check then.
      const bool setUp = setUpJob_ != kNoJob && place.job <= setUpJob_;
      window.trusted = !place.beforeSetUp || (place.job == setUpJob_ && window.stamp == setUpStamp_);
      if (ok && (window.trusted || !setUp)) {
        Keep(std::move(window));
      } else {
        Recycle(window.bytes);
      }
      if (waiters_ > 0) SetEvent(arrived_);
    }
    if (stopping_) {
      // Whoever waited for a window asked for reads it now.
      wanted_.reset();
      if (waiters_ > 0) SetEvent(arrived_);
      return;
    }
  }
}

bool PictureReader::ReadWindow(const Place& place, Window& window) {
  window.place = place;
  // Every kind of sharing: a writer or a rename over the file is never refused.
  HANDLE file = CreateFileA(place.path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  window.bytes.resize(kWindowSize);
  OVERLAPPED at = {};
  at.Offset = place.start;
  DWORD read = 0;
  BY_HANDLE_FILE_INFORMATION info;
  // The stamp after the read: a change during the read shows in it.
  const bool ok = (ReadFile(file, &window.bytes[0], kWindowSize, &read, &at) || GetLastError() == ERROR_HANDLE_EOF) &&
                  GetFileInformationByHandle(file, &info);
  CloseHandle(file);
  window.bytes.resize(ok ? read : 0);
  if (!ok) return false;
  window.stamp = FileStamp::Of(info.nFileSizeHigh, info.nFileSizeLow, info.ftLastWriteTime);
  return true;
}

}  // namespace mb::upload
