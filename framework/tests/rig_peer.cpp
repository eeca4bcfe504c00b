// Test peer: finds the top-level window of the class named by the first word of its command line
// and sends it the rest of the line by WM_COPYDATA. Exits with the receiver's answer, or 2.
#include <windows.h>

#include <cstring>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  std::string line = commandLine;
  const std::size_t blank = line.find(' ');
  if (blank == std::string::npos) return 2;
  HWND target = FindWindowA(line.substr(0, blank).c_str(), nullptr);
  if (!target) return 2;
  std::string text = line.substr(blank + 1);
  COPYDATASTRUCT data = {1, static_cast<DWORD>(text.size() + 1), const_cast<char*>(text.c_str())};
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), 0, 2000, &answer)) return 2;
  return static_cast<int>(answer);
}
