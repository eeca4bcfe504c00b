// renewkit.exe: started hidden by the client at every start; always ends with 0.
#include <windows.h>

#include <string>

#include "updater/win/updater_run.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length < MAX_PATH ? length : 0);
  folder.erase(folder.find_last_of('\\') + 1);
  mb::UpdaterRunOptions options;
  options.programFolder = folder;
  options.defaultCheckUrl = MB_UPDATE_CHECK_URL;
  mb::RunUpdater(commandLine ? commandLine : "", options);
  return 0;
}
