#include "client/core/client_data_files.h"

#include <algorithm>
#include <optional>

#include "common/atomic_file.h"
#include "common/gbk_text.h"

namespace mb {

namespace {

struct RecordField {
  std::size_t offset;
  std::size_t size;
  std::string DownloadRecord::*text;
};

constexpr RecordField kRecordLayout[] = {
    {0, 260, &DownloadRecord::localPath}, {260, 42, &DownloadRecord::f2},
    {302, 32, &DownloadRecord::f4},       {334, 12, &DownloadRecord::f3},
    {346, 32, &DownloadRecord::category}, {378, 46, &DownloadRecord::f5},
};

std::size_t WholeRecordBytes(std::size_t size) { return size - size % kDownloadRecordSize; }

}  // namespace

std::string SerializeDownloadRecord(const DownloadRecord& record) {
  std::string bytes(kDownloadRecordSize, '\0');
  for (const RecordField& field : kRecordLayout) {
    CopyToField(&bytes[field.offset], field.size, record.*field.text);
  }
  return bytes;
}

DownloadRecord ParseDownloadRecord(std::string_view bytes) {
  DownloadRecord record;
  if (bytes.size() < kDownloadRecordSize) return record;
  for (const RecordField& field : kRecordLayout) {
    record.*field.text = ReadField(bytes.data() + field.offset, field.size);
  }
  return record;
}

std::vector<DownloadRecord> ParseDownloadInfo(std::string_view bytes) {
  std::vector<DownloadRecord> records;
  for (std::size_t offset = 0; offset + kDownloadRecordSize <= bytes.size(); offset += kDownloadRecordSize) {
    records.push_back(ParseDownloadRecord(bytes.substr(offset, kDownloadRecordSize)));
  }
  return records;
}

bool LoadDownloadInfo(const std::string& path, std::vector<DownloadRecord>& records) {
  const std::optional<std::string> bytes = ReadWholeFile(path);
  records = bytes ? ParseDownloadInfo(*bytes) : std::vector<DownloadRecord>{};
  return bytes.has_value();
}

bool AppendDownloadInfo(const std::string& path, const DownloadRecord& record) {
  std::string bytes;
  if (FileExists(path)) {
    std::optional<std::string> existing = ReadWholeFile(path);
    if (!existing) return false;
    bytes = std::move(*existing);
    const std::size_t whole = WholeRecordBytes(bytes.size());
    if (whole != bytes.size()) {
      if (!KeepAsideUnreadable(path)) return false;
      bytes.resize(whole);
    }
  }
  return WriteFileReplacing(path, bytes + SerializeDownloadRecord(record));
}

std::vector<std::string> ParseWallpaperList(std::string_view bytes) {
  std::vector<std::string> list;
  for (std::string& line : GbkSplit(bytes, "\n")) {
    // A path is a zero-terminated text; anything after a stray NUL could never be opened.
    line.resize(std::min(line.size(), GbkFind(line, '\0')));
    // CR LF ends a line; further CRs before it could never belong to a file name.
    while (GbkEndsWith(line, '\r')) line.pop_back();
    if (!line.empty()) list.push_back(std::move(line));
  }
  return list;
}

bool LoadWallpaperList(const std::string& path, std::vector<std::string>& list) {
  const std::optional<std::string> bytes = ReadWholeFile(path);
  list = bytes ? ParseWallpaperList(*bytes) : std::vector<std::string>{};
  return bytes.has_value();
}

bool SaveWallpaperList(const std::string& path, const std::vector<std::string>& list) {
  std::string bytes;
  for (const std::string& picture : list) bytes += picture + "\n";
  return WriteFileReplacing(path, bytes);
}

}  // namespace mb
