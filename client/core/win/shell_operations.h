// Operations of the shell: shortcuts, deleting to the Recycle Bin, showing a file in its folder
// and opening a web page in a new browser window.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <string>

namespace mb {

// A shell link to the target, with the target's folder as working folder, saved at linkPath.
bool CreateShortcut(const std::string& target, const std::string& linkPath);

// Deletes a file or folder (with its content) without confirmation, error display or progress:
// to the Recycle Bin unless permanent. An empty path counts as success; a path with wildcards is
// refused, since the shell would delete everything it matches.
bool ShellDeletePath(const std::string& path, bool permanent);

// Opens the item's folder in the file manager with the item selected.
bool OpenFolderAndSelect(LPCITEMIDLIST item);

// The file manager on the file's folder with the file selected; the folder alone when the file
// is gone.
void ShowFileInFolder(const std::string& path);

// What OpenUrlInBrowser starts. Tests put a recording one in place of the system's.
class BrowserLauncher {
 public:
  virtual ~BrowserLauncher() = default;
  // A new browser window with its status bar, tool bar and menu bar on, shown and navigating to
  // the URL. False when the browser cannot be created or the navigation fails.
  virtual bool NavigateNewWindow(const std::string& url) = 0;
  // The shell's "open" verb on the program with the parameters, in the show mode.
  virtual bool ShellOpen(const std::string& program, const std::string& parameters, int showMode) = 0;
};

// null puts the system's launcher back.
void SetBrowserLauncher(BrowserLauncher* launcher);

// Opens the URL in a new browser window; when that fails, starts the browser program on it,
// minimised. A double quote in the URL is sent as %22, so the URL stays one argument.
void OpenUrlInBrowser(const std::string& url);

}  // namespace mb
