#include "upload/win/picture_reader.h"

#include <windows.h>

#include <mutex>

namespace mb::upload {

bool PictureReader::Read(const std::string& path, std::uint32_t offset, std::uint32_t length, std::string& bytes) {
  if (length == 0) return false;
  std::lock_guard<CriticalSectionMutex> lock(mutex_);
  const auto inWindow = [&] {
    return path == path_ && offset >= start_ && std::uint64_t{offset} + length <= std::uint64_t{start_} + window_.size();
  };
  if (!inWindow() && (!ReadWindow(path, offset) || !inWindow())) return false;
  bytes.assign(window_, offset - start_, length);
  return true;
}

bool PictureReader::ReadWindow(const std::string& path, std::uint32_t offset) {
  path_.clear();
  window_.clear();
  // Every kind of sharing: a writer or a rename over the file is never refused.
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  window_.resize(kWindowSize);
  OVERLAPPED at = {};
  at.Offset = offset;
  DWORD read = 0;
  const bool ok = ReadFile(file, &window_[0], kWindowSize, &read, &at) || GetLastError() == ERROR_HANDLE_EOF;
  CloseHandle(file);
  window_.resize(ok ? read : 0);
  if (!ok) return false;
  path_ = path;
  start_ = offset;
  return true;
}

}  // namespace mb::upload
