// Plays muralbox.exe for the uploader's tests: notes how it was started beside itself
// (client_started.txt: the show state asked for, whether the uploader's single-instance event
// still existed), stays a moment and ends.
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  STARTUPINFOA startup = {sizeof startup};
  GetStartupInfoA(&startup);
  const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
  HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, "MuralboxHoistly");
  const int eventOpen = event != nullptr;
  if (event) CloseHandle(event);
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string marker = path;
  marker = marker.substr(0, marker.find_last_of('\\') + 1) + "client_started.txt";
  if (FILE* file = std::fopen(marker.c_str(), "wb")) {
    std::fprintf(file, "show=%d event=%d", show, eventOpen);
    std::fclose(file);
  }
  Sleep(1500);
  return 0;
}
