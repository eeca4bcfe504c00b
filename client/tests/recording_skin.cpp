// Test skin engine: records every call the client makes into skin.log beside itself and offers
// no scheme, so the client draws without skin.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

void Record(const std::string& line) {
  char path[MAX_PATH] = {};
  HMODULE self = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&Record), &self);
  GetModuleFileNameA(self, path, MAX_PATH);
  std::string log = path;
  log = log.substr(0, log.find_last_of('\\') + 1) + "skin.log";
  if (FILE* f = std::fopen(log.c_str(), "ab")) {
    std::fprintf(f, "%s\n", line.c_str());
    std::fclose(f);
  }
}

std::string WindowText(HWND hwnd) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, " window=%s", IsWindow(hwnd) ? "valid" : "invalid");
  return buffer;
}

}  // namespace

extern "C" {

__declspec(dllexport) BOOL WINAPI SkinInitControls(int first, int second) {
  Record("SkinInitControls " + std::to_string(first) + " " + std::to_string(second));
  return TRUE;
}

__declspec(dllexport) HRESULT WINAPI GetCurrentScheme(void** scheme) {
  Record("GetCurrentScheme");
  if (scheme) *scheme = nullptr;
  return E_FAIL;
}

__declspec(dllexport) BOOL WINAPI RemoveDialogSkin(HWND window) {
  Record("RemoveDialogSkin" + WindowText(window));
  return TRUE;
}

__declspec(dllexport) BOOL WINAPI InstallScrollBar(HWND window) {
  Record("InstallScrollBar" + WindowText(window));
  return TRUE;
}

__declspec(dllexport) LRESULT WINAPI HandleScrollCustomDraw(WPARAM, NMHDR*) {
  Record("HandleScrollCustomDraw");
  return 0;
}

}  // extern "C"
