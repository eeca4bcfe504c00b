// Helpers for Windows tests that drive real programs: private install folders, child processes,
// windows found by title or property, message boxes answered by their buttons.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace winkit {

// The folder of the running test program (where the build puts every Windows output).
std::string BinFolder();

// A fresh folder under the temporary folder, removed with its content at the end of the test.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  // The folder with a trailing backslash.
  const std::string& Root() const { return root_; }
  std::string Path(const std::string& name) const { return root_ + name; }

 private:
  std::string root_;
};

// A copy of programs from the build folder with the C++ runtime beside them: a private program
// folder, so that the files a program writes next to itself stay in the test.
class InstallFolder : public TempFolder {
 public:
  explicit InstallFolder(const std::vector<std::string>& programs);
  // Copies a build output under another name (e.g. a test package as data\setup.exe).
  bool Install(const std::string& buildFile, const std::string& relativeName) const;
};

bool WriteTextFile(const std::string& path, const std::string& text);
std::string ReadTextFile(const std::string& path);
bool FileExists(const std::string& path);
bool MakeFolders(const std::string& path);

// A started child process; killed (if still running) and closed when the object goes away.
class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Start(const std::string& program, const std::string& arguments, const std::string& folder = "");
  // Waits up to timeoutMs, dispatching this thread's messages meanwhile; true when it ended.
  bool WaitForExit(DWORD timeoutMs);
  DWORD ExitCode() const;
  bool Running() const;
  DWORD Id() const { return info_.dwProcessId; }
  void Kill();

 private:
  PROCESS_INFORMATION info_ = {};
};

// Pumps this thread's messages for the given time.
void PumpMessages(DWORD milliseconds);

// Polls until a visible or hidden top-level window matches, up to timeoutMs; null when none does.
HWND WaitForWindowWithProperty(const char* property, DWORD timeoutMs, DWORD processId = 0);
HWND WaitForWindow(const char* className, const char* title, DWORD timeoutMs, DWORD processId = 0);
DWORD WindowProcessId(HWND hwnd);

// Finds a message box (dialog class) with that caption, of processId's windows when not 0, and
// presses the button with that id. Tests running side by side on one desktop show boxes with the
// same caption: give the process whose box is meant.
bool AnswerMessageBox(const char* caption, int buttonId, DWORD timeoutMs, std::string* text = nullptr,
                      DWORD processId = 0);

}  // namespace winkit
