// Plays the installed client for the protocol handler's tests: writes to link.log beside itself
// its command line after the program name, its working folder and its argument count.
#include <windows.h>
#include <shellapi.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string log = path;
  log = log.substr(0, log.find_last_of('\\') + 1) + "link.log";

  // What follows the quoted or bare program name, blanks included.
  const std::string line = GetCommandLineA();
  std::size_t end = 0;
  if (!line.empty() && line[0] == '"') {
    end = line.find('"', 1);
    end = end == std::string::npos ? line.size() : end + 1;
  } else {
    end = line.find(' ');
    if (end == std::string::npos) end = line.size();
  }
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, folder);
  int count = 0;
  LocalFree(CommandLineToArgvW(GetCommandLineW(), &count));

  const std::string text = line.substr(end) + "\n" + folder + "\n" + std::to_string(count) + "\n";
  HANDLE file = CreateFileA(log.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  return 0;
}
