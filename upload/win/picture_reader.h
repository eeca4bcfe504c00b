// PictureReader: the workers' shared access to the pictures they send blocks of. Blocks are
// handed out in file order, so a read fetches a 1 MB window of the file (one open for many
// blocks) and later blocks are copied from it. While the workers send from one window, the
// reader's own thread reads the next one: the rest of the picture, then the start of the picture
// after it, so that no worker waits for the disk. The file is opened only while a window is read
// and closed at once: the member can save over a picture of the running batch (a rotation on disk)
// at any time but during that one read.
//
// The start of a picture is read ahead before the picture is set up. Such a window is used only
// when the setting up finds the file with the size and time of last change it was read with:
// bytes the member saved over meanwhile are never sent in place of the new ones.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "upload/win/critical_section.h"

namespace mb::upload {

// What tells one version of a file from another.
struct FileStamp {
  static FileStamp Of(DWORD sizeHigh, DWORD sizeLow, const FILETIME& lastWrite) {
    return {(std::uint64_t{sizeHigh} << 32) | sizeLow,
            (std::uint64_t{lastWrite.dwHighDateTime} << 32) | lastWrite.dwLowDateTime};
  }
  std::uint64_t size = 0;
  std::uint64_t lastWrite = 0;  // FILETIME of the last change
  bool operator==(const FileStamp& other) const { return size == other.size && lastWrite == other.lastWrite; }
};

class PictureReader {
 public:
  static constexpr std::uint32_t kWindowSize = 1 << 20;
  static constexpr std::size_t kNoJob = static_cast<std::size_t>(-1);

  PictureReader();
  ~PictureReader();
  PictureReader(const PictureReader&) = delete;
  PictureReader& operator=(const PictureReader&) = delete;

  // The job's picture is set up from its file at path as stamp describes it; nextPath is the file
  // of the job after it ("" when there is none), read ahead once this picture's end is.
  void BeginPicture(std::size_t job, const std::string& path, const FileStamp& stamp, const std::string& nextPath);
  // Under the driver's lock, before the job's picture is set up: the start of its file was read
  // ahead a moment ago from the version stamp describes, so the file opens.
  bool ReadAheadFrom(std::size_t job, const FileStamp& stamp);
  // Ends the reading ahead, waiting for a read under way; later reads go to the file at once.
  void Stop();
  // From any worker: bytes gets the length bytes at offset of the job's file at path; false when
  // they cannot all be read (the file vanished or shrank since it was measured).
  bool Read(std::size_t job, const std::string& path, std::uint32_t offset, std::uint32_t length, std::string& bytes);

 private:
  struct Place {
    std::size_t job = kNoJob;
    std::string path;
    std::uint32_t start = 0;
    bool beforeSetUp = false;  // asked for before its picture was set up
    bool Covers(std::size_t job, std::uint32_t offset, std::uint32_t length) const;
    bool operator==(const Place& other) const { return job == other.job && start == other.start; }
  };
  struct Window {
    Place place;
    std::string bytes;
    FileStamp stamp;
    bool trusted = false;  // read after its picture was set up, or found unchanged then
    bool Holds(std::size_t job, std::uint32_t offset, std::uint32_t length) const;
    bool After(const Window& other) const;
  };

  static DWORD WINAPI ThreadMain(void* self);
  void ReadAhead();
  static bool ReadWindow(const Place& place, Window& window);
  // Under the lock. Keeps the window, dropping the one least far into the batch beyond three.
  void Keep(Window window);
  // Under the lock: a window's buffer is kept for the next read rather than freed.
  void Recycle(std::string& bytes);
  // Under the lock: asks the thread for the place unless it is held, asked for or being read;
  // true when the thread is to be woken (after the lock is let go).
  bool AskFor(const Place& place);
  // Where the window after this one starts: further in its file, or at the next picture's start.
  std::optional<Place> NextPlace(const Window& window) const;
  const Window* Holding(std::size_t job, std::uint32_t offset, std::uint32_t length) const;

  CriticalSectionMutex mutex_;
  std::string spare_;        // a buffer for the next read
  int waiters_ = 0;          // workers waiting for a window on its way
  HANDLE wake_ = nullptr;    // auto-reset: a read was asked for, or the reader stops
  HANDLE arrived_ = nullptr; // manual-reset: a read ended while workers waited for it
  std::deque<Window> windows_;
  std::optional<Place> wanted_;   // asked for, not yet taken by the thread
  std::optional<Place> reading_;  // being read by the thread
  std::size_t setUpJob_ = kNoJob;
  std::string setUpPath_;
  FileStamp setUpStamp_;
  std::string nextPath_;
  bool stopping_ = false;
  HANDLE thread_ = nullptr;
};

}  // namespace mb::upload
