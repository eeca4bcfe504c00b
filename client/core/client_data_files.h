// The client's own data files beside the program: wallpaper.dat, the carousel's picture paths one
// per line, and downloadinfo.res, one fixed-size DownloadRecord per downloaded wallpaper.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mb {

// What is kept about one page download. On disk each text sits zero-terminated in a fixed field,
// cut at a character boundary when it is longer.
struct DownloadRecord {
  std::string localPath;  // full local path of the downloaded picture
  std::string category;   // f1: the category chosen for it
  std::string f2;
  std::string f3;
  std::string f4;
  std::string f5;
};

constexpr std::size_t kDownloadRecordSize = 424;

// The 424-byte stored form, and the record read back from one.
std::string SerializeDownloadRecord(const DownloadRecord& record);
DownloadRecord ParseDownloadRecord(std::string_view bytes);

// Every whole record of the file's bytes; a trailing partial record is dropped.
std::vector<DownloadRecord> ParseDownloadInfo(std::string_view bytes);

// Replaces records by those in the file at path. A missing or unreadable file gives no records
// and false.
bool LoadDownloadInfo(const std::string& path, std::vector<DownloadRecord>& records);

// Adds one record at the end of the file (created when missing). A partial record left at the end
// by an earlier failed write would shift every later record, so such a file is kept aside and
// rewritten with its whole records first. False when the file cannot be read or written.
bool AppendDownloadInfo(const std::string& path, const DownloadRecord& record);

// Lines of at least one character, in order; CR LF counts as a line end.
std::vector<std::string> ParseWallpaperList(std::string_view bytes);

// Replaces list by the paths in the file at path; a missing or unreadable file gives an empty list
// and false.
bool LoadWallpaperList(const std::string& path, std::vector<std::string>& list);

// Writes every path followed by LF, replacing the file as a whole.
bool SaveWallpaperList(const std::string& path, const std::vector<std::string>& list);

}  // namespace mb
