#include "upload/win/picture_reader.h"

#include <windows.h>

namespace mb::upload {

bool PictureReader::Read(const std::string& path, std::uint32_t offset, std::uint32_t length,
                         std::string_view& bytes) {
  if (length == 0) return false;
  // Every kind of sharing: a writer or a rename of the file's folder entry is never refused.
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  buffer_.resize(length);
  OVERLAPPED at = {};
  at.Offset = offset;
  DWORD read = 0;
  const bool whole = ReadFile(file, &buffer_[0], length, &read, &at) && read == length;
  CloseHandle(file);
  if (!whole) return false;
  bytes = std::string_view(buffer_.data(), length);
  return true;
}

}  // namespace mb::upload
