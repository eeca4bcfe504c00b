// The client's small system utilities: program paths, file and folder tests, folders of the
// system, starting processes and a few window and process helpers. Paths are GBK.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace mb {

// Folder of the program file with its trailing backslash (empty when the path holds none).
std::string GetModuleDirectory();
std::string GetModuleFilePath();

// True when a file or folder of that name can be found; false for an empty path.
bool PathExists(const std::string& path);
// The same test under the name the callers of file tests use.
inline bool FileExists(const std::string& path) { return PathExists(path); }

// Creates the folder, and every missing folder above it from the left. True when the folder
// exists afterwards.
bool CreateDirectoryPath(const std::string& path);

// Plain files of the folder: sub-folders, hidden entries and "Thumbs.db" are not counted.
int CountFolderFiles(const std::string& folder);

// The Startup folder with a trailing backslash: All Users' on NT systems, the user's otherwise.
// Empty when the system cannot name it.
std::string GetStartupFolderPath();

// The Common Files folder (no trailing backslash).
std::string GetCommonFilesFolder();

// Starts a process from a command line, shown in its default state or hidden, and optionally
// waits for it without limit. True when it was started.
bool RunProcess(const std::string& commandLine, bool show, bool wait);

// The window's text, at most 260 bytes (cut at a character boundary). True when the text filled
// all 260, so that it may have been cut.
bool GetWindowTextString(HWND window, std::string& text);

// Gives the process's unused pages back to the system (NT systems only).
void TrimWorkingSet();

// Current UTC time in seconds since 1970-01-01.
std::int64_t GetUnixTime();

}  // namespace mb
