// Import: pictures chosen by the member are copied into the current folder under their own names,
// numbered "name(n).ext" where a name is taken; a copy never overwrites.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace hoistly {

// The first of name, name(1), name(2), ... (the number before the extension) that taken()
// refuses; the number goes at the end of a name without an extension.
std::string FreeFileName(const std::string& name, const std::function<bool(const std::string&)>& taken);

// The files an open-file dialog with multiple selection returned (folder, then names, each ended
// by a zero; or one full path): the folder and the full paths.
bool SplitDialogSelection(const char* buffer, std::string& folder, std::vector<std::string>& paths);

// Copies each path into folder (a free name each); returns the new files' paths.
std::vector<std::string> CopyIntoFolder(const std::vector<std::string>& paths, const std::string& folder);

// Asks the member for files and imports them into folder; a text for the member when it refused.
struct ImportResult {
  std::vector<std::string> copied;
  bool sameFolder = false;
};
ImportResult ImportPictures(HWND owner, const std::string& folder);

}  // namespace hoistly
