// The client's small system utilities: program paths, file tests and starting processes.
#pragma once

#include <string>

namespace mb {

// Folder of the program file with its trailing backslash (empty when the path holds none).
std::string GetModuleDirectory();
std::string GetModuleFilePath();

// True when a file or folder of that name can be found; false for an empty path.
bool PathExists(const std::string& path);

// Starts a process from a command line, shown in its default state or hidden, and optionally
// waits for it without limit. True when it was started.
bool RunProcess(const std::string& commandLine, bool show, bool wait);

}  // namespace mb
