// Which files of a folder the picture pane lists, and the checks a folder path and a file name
// pass before they are joined into a path: the folder is absolute and free of wildcards, and the
// joined path fits the 260-byte path field of the list's rows and of the upload job without a cut.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace hoistly {

inline constexpr std::size_t kPathFieldSize = 260;

// ".gif", ".jpg", ".jpeg" or ".bmp" after the name's last '.', in any letter case.
bool IsPictureFileName(std::string_view name);

// A drive path ("C:\...") or a network path ("\\server\..."), without '*' or '?', short enough
// for a file name to follow. The folder may end in a backslash.
bool IsUsableFolder(std::string_view folder);

// The folder with exactly one trailing backslash.
std::string FolderWithSeparator(std::string_view folder);

// folder + name, or nothing when the name holds a separator, ':' or a wildcard, or when the path
// (with its terminating zero) does not fit the path field.
std::optional<std::string> JoinPicturePath(std::string_view folder, std::string_view name);

// Whether a whole path fits the path field as it stands (a cut would name another file).
bool FitsPathField(std::string_view path);

}  // namespace hoistly
