#include "upload/core/remote_name.h"

#include <algorithm>

#include "common/gbk_text.h"

namespace mb::upload {

std::string DateFolder(const UploadStamp& stamp) {
  return std::to_string(stamp.year) + "-" + std::to_string(stamp.month) + "-" + std::to_string(stamp.day);
}

std::string MinuteFolder(const UploadStamp& stamp) { return std::to_string(stamp.minute); }

std::string StoreHead(std::string_view dateFolder, std::string_view minuteFolder) {
  std::string head(dateFolder);
  head += "\\\\";
  head += minuteFolder;
  return head;
}

std::string UserWithoutDots(std::string_view userName) { return GbkReplaceAll(userName, ".", ""); }

std::string FileNameOf(std::string_view path) {
  const std::size_t back = GbkFindLast(path, '\\');
  const std::size_t slash = GbkFindLast(path, '/');
  std::size_t cut = std::string_view::npos;
  if (back != std::string_view::npos) cut = back;
  if (slash != std::string_view::npos && (cut == std::string_view::npos || slash > cut)) cut = slash;
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string FileExtension(std::string_view path) {
  const std::string name = FileNameOf(path);
  const std::size_t dot = GbkFindLast(name, '.');
  return dot == std::string_view::npos ? std::string() : name.substr(dot);
}

std::uint32_t DistinctTicks::Next(std::uint32_t now) {
  // Compared by difference, so that the clock's wrap after 49.7 days is not taken for a step back.
  if (any_ && static_cast<std::int32_t>(now - last_) <= 0) now = last_ + 1;
  any_ = true;
  last_ = now;
  return now;
}

std::string RemoteFileName(std::string_view userName, const UploadStamp& stamp, std::string_view extension) {
  std::string name = UserWithoutDots(userName);
  for (int part : {stamp.year, stamp.month, stamp.day, stamp.hour, stamp.minute, stamp.second}) {
    name += std::to_string(part);
  }
  // The tick is printed as a signed number, as the server has always received it.
  name += std::to_string(static_cast<std::int32_t>(stamp.tick));
  name += extension;
  return name;
}

}  // namespace mb::upload
