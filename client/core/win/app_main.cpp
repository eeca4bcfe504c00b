// muralbox.exe
#include <windows.h>

#include "client/core/win/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show) {
  return mb::AppMain(instance, commandLine, show);
}
