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
