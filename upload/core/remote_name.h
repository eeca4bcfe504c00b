// Names under which a picture is stored by the upload server: the date and minute folders and the
// remote file name, all made from one reading of the local time at the picture's start.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mb::upload {

struct UploadStamp {
  int year = 0;
  int month = 0;  // 1-12
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  std::uint32_t tick = 0;  // milliseconds since system start
};

// "%d-%d-%d": year, month, day without zero padding.
std::string DateFolder(const UploadStamp& stamp);
// "%d": the minute of the hour.
std::string MinuteFolder(const UploadStamp& stamp);
// Date folder, two backslash characters, minute folder.
std::string StoreHead(std::string_view dateFolder, std::string_view minuteFolder);

// The user name with every "." removed.
std::string UserWithoutDots(std::string_view userName);

// The extension of the file name (the last path component only), from its last "." to the end,
// dot included; empty when the name has no dot. A dot in a folder name never counts.
std::string FileExtension(std::string_view path);

// The last path component (after the last '\\' or '/').
std::string FileNameOf(std::string_view path);

// Keeps the remote names of one run apart. The tick is the only part of a name finer than a second,
// and the clock may show the same tick to pictures set up one right after the other (the server
// would then store the second over the first): a tick that does not lie after the last one handed
// out is moved to the one after it.
class DistinctTicks {
 public:
  std::uint32_t Next(std::uint32_t now);

 private:
  bool any_ = false;
  std::uint32_t last_ = 0;
};

// "%s%d%d%d%d%d%d%d%s": user without dots, year, month, day, hour, minute, second, tick, extension.
std::string RemoteFileName(std::string_view userName, const UploadStamp& stamp, std::string_view extension);

}  // namespace mb::upload
