// Hooks of the manager page and its picture list around what Wine cannot show or do as Windows
// does: a file or folder shown in the file manager, a category folder sent to the Recycle Bin.
#pragma once

#include <string>

namespace mb {

class ManagerPageShell {
 public:
  virtual ~ManagerPageShell() = default;
  // Opens the file manager on the folder, or on the file's folder with the file selected.
  virtual void ShowInFolder(const std::string& path);
  virtual bool DeleteFolder(const std::string& folder);
};

}  // namespace mb
