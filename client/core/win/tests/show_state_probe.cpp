// Test child: writes how it was asked to show itself ("<uses show flag> <show state>") to the file
// named first on its command line, after waiting the milliseconds named second (if any).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  std::string line = commandLine;
  std::string path = line, delay;
  const std::size_t blank = line.rfind(' ');
  if (blank != std::string::npos) {
    path = line.substr(0, blank);
    delay = line.substr(blank + 1);
  }
  if (!delay.empty()) Sleep(static_cast<DWORD>(std::atoi(delay.c_str())));
  STARTUPINFOA startup = {sizeof startup};
  GetStartupInfoA(&startup);
  // Written to a temporary name first, so the test never reads half a file.
  const std::string partial = path + ".part";
  std::FILE* file = std::fopen(partial.c_str(), "wb");
  if (!file) return 1;
  std::fprintf(file, "%d %d", (startup.dwFlags & STARTF_USESHOWWINDOW) ? 1 : 0, startup.wShowWindow);
  std::fclose(file);
  return MoveFileA(partial.c_str(), path.c_str()) ? 0 : 1;
}
