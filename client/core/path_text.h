// Texts of file names and folder paths: splitting, picture-name tests and the few paths the
// client's system utilities build. Paths are GBK; every search for a separator goes through
// common/gbk_text.h because a trail byte can be '\\'.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mb {

// The part after the last '\\' or '/'; empty when the path ends in a separator.
std::string GetFileNamePart(std::string_view path);

struct PathParts {
  std::string folder;     // up to and with the last '\\'; empty when there is none
  std::string baseName;   // file-name part without the extension and its dot
  std::string extension;  // after the last '.' of the file-name part, without the dot
};

PathParts SplitPath(std::string_view path);

// True when the file-name part's extension is gif, jpg, jpeg, png or bmp, in any case.
bool IsPictureFileName(std::string_view name);

// The image library's format codes.
enum ImageFormatCode : int {
  kImageFormatUnknown = 0,
  kImageFormatBmp = 1,
  kImageFormatGif = 2,
  kImageFormatJpeg = 3,
  kImageFormatPng = 4,
};

// Code of the picture format named by the extension of a file name (any case); 0 when unknown.
int ImageFormatFromExtension(std::string_view name);

// The folder with "*.*" appended, a backslash put in between when the folder lacks one.
std::string FolderSearchPattern(std::string_view folder);

// Every folder of the path from the left, each ending before one of its backslashes, then the
// path itself without a trailing backslash: "C:\\a\\b" gives "C:", "C:\\a", "C:\\a\\b". These are
// the folders to create, in order, when a parent of the path is missing.
std::vector<std::string> FolderChain(std::string_view path);

// Common Files folder when the system cannot name it: on the drive of the Windows folder.
std::string FallbackCommonFilesFolder(std::string_view windowsFolder);

// True when a folder entry of this name counts as one of the folder's plain files: not "." or
// "..", not a sub-folder, not hidden and not the shell's thumbnail cache "Thumbs.db".
bool IsCountedFolderFile(std::string_view name, bool isFolder, bool isHidden);

// True when a name that came from the service, page script or a link may become one element of
// a local path (a category folder or a file name): not empty, no separator, drive colon,
// wildcard, quote, angle bracket, bar or control character, not "." or "..", no trailing dot or
// blank, and not a device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with any extension).
bool IsSafeLocalName(std::string_view name);

}  // namespace mb
