#include "upload/win/picture_reader.h"

namespace mb::upload {

void PictureReader::Close() {
  if (view_) UnmapViewOfFile(view_);
  if (mapping_) CloseHandle(mapping_);
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  view_ = nullptr;
  mapping_ = nullptr;
  file_ = INVALID_HANDLE_VALUE;
  viewSize_ = 0;
  path_.clear();
}

bool PictureReader::Open(const std::string& path) {
  Close();
  file_ = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file_ == INVALID_HANDLE_VALUE) return false;
  path_ = path;
  LARGE_INTEGER size;
  // While the view exists the file cannot be cut shorter, so every byte of it stays readable.
  if (GetFileSizeEx(file_, &size) && size.QuadPart > 0) {
    mapping_ = CreateFileMappingA(file_, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (mapping_) view_ = static_cast<const char*>(MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 0));
    if (view_) viewSize_ = static_cast<std::uint64_t>(size.QuadPart);
  }
  return true;
}

bool PictureReader::Read(const std::string& path, std::uint32_t offset, std::uint32_t length,
                         std::string_view& bytes) {
  if (length == 0) return false;
  if (path != path_ && !Open(path)) return false;
  if (view_ && std::uint64_t{offset} + length <= viewSize_) {
    bytes = std::string_view(view_ + offset, length);
    return true;
  }
  // Not mapped (too large for the address space, or empty when mapped): read it.
  buffer_.resize(length);
  OVERLAPPED at = {};
  at.Offset = offset;
  DWORD read = 0;
  if (!ReadFile(file_, &buffer_[0], length, &read, &at) || read != length) return false;
  bytes = std::string_view(buffer_.data(), length);
  return true;
}

}  // namespace mb::upload
