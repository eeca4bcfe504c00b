#include "client/core/path_text.h"

#include "common/gbk_text.h"

namespace mb {
namespace {

constexpr std::string_view kCommonFilesUnderRoot = "\\Program Files\\Common Files";

std::size_t LastSeparator(std::string_view path) {
  const std::size_t backslash = GbkFindLast(path, '\\');
  const std::size_t slash = GbkFindLast(path, '/');
  if (backslash == std::string_view::npos) return slash;
  if (slash == std::string_view::npos) return backslash;
  return backslash > slash ? backslash : slash;
}

// Lower-cased extension of the file-name part, or empty when the name has no dot.
std::string LowerExtension(std::string_view name) {
  return GbkToLowerAscii(SplitPath(GetFileNamePart(name)).extension);
}

}  // namespace

std::string GetFileNamePart(std::string_view path) {
  const std::size_t separator = LastSeparator(path);
  return std::string(separator == std::string_view::npos ? path : path.substr(separator + 1));
}

PathParts SplitPath(std::string_view path) {
  PathParts parts;
  const std::size_t backslash = GbkFindLast(path, '\\');
  std::string_view name = path;
  if (backslash != std::string_view::npos) {
    parts.folder = std::string(path.substr(0, backslash + 1));
    name = path.substr(backslash + 1);
  }
  const std::size_t dot = GbkFindLast(name, '.');
  if (dot == std::string_view::npos) {
    parts.baseName = std::string(name);
  } else {
    parts.baseName = std::string(name.substr(0, dot));
    parts.extension = std::string(name.substr(dot + 1));
  }
  return parts;
}

bool IsPictureFileName(std::string_view name) {
  const std::string extension = LowerExtension(name);
  return extension == "gif" || extension == "jpg" || extension == "jpeg" || extension == "png" ||
         extension == "bmp";
}

int ImageFormatFromExtension(std::string_view name) {
  const std::string extension = LowerExtension(name);
  if (extension == "bmp") return kImageFormatBmp;
  if (extension == "gif") return kImageFormatGif;
  if (extension == "jpg" || extension == "jpeg") return kImageFormatJpeg;
  if (extension == "png") return kImageFormatPng;
  return kImageFormatUnknown;
}

std::string FolderSearchPattern(std::string_view folder) {
  std::string pattern(folder);
  if (!GbkEndsWith(pattern, '\\')) pattern += '\\';
  return pattern + "*.*";
}

std::vector<std::string> FolderChain(std::string_view path) {
  while (GbkEndsWith(path, '\\')) path.remove_suffix(1);
  std::vector<std::string> chain;
  for (std::size_t pos = GbkFind(path, '\\'); pos != std::string_view::npos;
       pos = GbkFind(path, '\\', pos + 1)) {
    if (pos > 0) chain.emplace_back(path.substr(0, pos));
  }
  if (!path.empty()) chain.emplace_back(path);
  return chain;
}

std::string FallbackCommonFilesFolder(std::string_view windowsFolder) {
  const std::size_t firstBackslash = GbkFind(windowsFolder, '\\');
  const std::string_view drive =
      firstBackslash == std::string_view::npos ? windowsFolder : windowsFolder.substr(0, firstBackslash);
  return std::string(drive) + std::string(kCommonFilesUnderRoot);
}

bool IsCountedFolderFile(std::string_view name, bool isFolder, bool isHidden) {
  if (isFolder || isHidden) return false;
  if (name == "." || name == "..") return false;
  return !GbkEqualsNoCase(name, "Thumbs.db");
}

}  // namespace mb

namespace mb {

bool IsSafeLocalName(std::string_view name) {
  if (name.empty() || name.size() >= 260) return false;
  for (std::size_t i = 0; i < name.size(); i += GbkCharLength(name, i)) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (GbkCharLength(name, i) == 2) continue;
    if (c < 0x20 || c == 0x7F) return false;
    if (std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos) return false;
  }
  // '.' and ' ' are never trail bytes; this also refuses "." and "..".
  if (name.back() == '.' || name.back() == ' ') return false;
  // The device names hold for any extension ("con.txt" is the console too).
  const std::size_t dot = GbkFind(name, '.');
  const std::string stem = GbkToUpperAscii(name.substr(0, dot));
  static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL"};
  for (const char* device : kDevices) {
    if (stem == device) return false;
  }
  if (stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
      stem[3] >= '1' && stem[3] <= '9') {
    return false;
  }
  return true;
}

}  // namespace mb
