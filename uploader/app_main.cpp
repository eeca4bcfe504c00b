// Hoistly.exe's entry point.
#include <windows.h>

#include "uploader/hoistly_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  CHoistlyApp app;
  return fw::RunApplication(app, instance);
}
