// Editor benchmark, through the real road: a 12-megapixel JPEG handed to a freshly started
// Hoistly.exe the client's way (WM_SETTEXT with the path, then message 2023); the frame sends
// WM_EDIT_PICTURE to the picture view, which makes the editor; the clock stops when the editor's
// canvas shows the picture on the screen. The frame sleeps 500 ms on its own thread after that
// send (the canvas paints only after it): the editor's figure leaves those 500 ms out, the whole
// road keeps them. Beside it, in the same run: the image layer's decode of the same file, and a
// bare Win32 program asked the same way that makes the same window tree and paints the same
// picture (bare_editor.exe). Each is measured `rounds` times; best and median are printed.
//   editor_bench.exe <folder> [rounds]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "image/picture.h"
#include "tests/winkit/winkit.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr UINT kOpenHandedPicture = WM_USER + 999;
constexpr UINT kCloseUploader = WM_USER + 998;
constexpr DWORD kTimeoutMs = 60000;
constexpr double kFrameSleepMs = 500;
constexpr char kUploaderTitle[] = "Pelora--壁纸批量上传工具";

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Red across, green down, a fixed blue: its middle is a colour no window around shows.
bool MakePhoto(const std::string& path) {
  mb::Picture photo;
  if (!photo.Create(4000, 3000, mb::Rgba{0, 0, 0, 255})) return false;
  for (int y = 0; y < 3000; ++y)
    for (int x = 0; x < 4000; ++x)
      photo.SetPixelColor(x, y, mb::Rgba{static_cast<std::uint8_t>(x * 255 / 4000), static_cast<std::uint8_t>(y * 255 / 3000),
                                         static_cast<std::uint8_t>(64 + ((x ^ y) & 0x0F)), 255});
  return photo.Save(path, mb::PictureFormat::kJpeg);
}

bool ShowsPhotoMiddle(POINT at) {
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, at.x, at.y);
  ReleaseDC(nullptr, screen);
  auto around = [](int value, int target) { return value > target - 24 && value < target + 24; };
  return around(GetRValue(c), 127) && around(GetGValue(c), 127) && around(GetBValue(c), 72);
}

// The editor's canvas (child 1000 of a visible dialog in area) shows the picture's middle.
bool CanvasShowsPhoto(HWND area) {
  for (HWND editor = FindWindowExA(area, nullptr, "#32770", nullptr); editor;
       editor = FindWindowExA(area, editor, "#32770", nullptr)) {
    HWND canvas = GetDlgItem(editor, 1000);
    if (!IsWindowVisible(editor) || !canvas || !IsWindowVisible(canvas)) continue;
    RECT client;
    GetClientRect(canvas, &client);
    POINT middle = {client.right / 2, client.bottom / 2};
    ClientToScreen(canvas, &middle);
    return ShowsPhotoMiddle(middle);
  }
  return false;
}

// Hands the path to window the client's way and waits until the editor in area shows the
// picture. Milliseconds from the hand-over, or a negative value when it never showed.
double HandOverUntilShown(HWND window, const std::string& path, HWND area) {
  SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  const Clock::time_point start = Clock::now();
  PostMessageA(window, kOpenHandedPicture, 0, 0);
  while (!CanvasShowsPhoto(area)) {
    if (Milliseconds(Clock::now() - start) > kTimeoutMs) return -1;
    Sleep(1);
  }
  return Milliseconds(Clock::now() - start);
}

struct Figures {
  std::vector<double> values;
  double Best() const { return *std::min_element(values.begin(), values.end()); }
  double Median() const {
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    return sorted[sorted.size() / 2];
  }
};

HWND FindChildOfClass(HWND parent, const char* className, int id) {
  for (HWND child = FindWindowExA(parent, nullptr, className, nullptr); child;
       child = FindWindowExA(parent, child, className, nullptr)) {
    if (GetDlgCtrlID(child) == id) return child;
  }
  return nullptr;
}

double TimeHoistly(DWORD processId, const std::string& photo);

double Failed(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  return -1;
}

// One run of Hoistly.exe from its own program folder: the whole road from 2023, or negative.
double HoistlyRound(const std::string& photo) {
  winkit::InstallFolder folder({"Hoistly.exe", "Framework.dll", "ZelBase.dll", "Thumbrill.dll", "Set.dll", "Conf.dll",
                                "Upload.dll", "Tabvane.dll", "test.png"});
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((winkit::BinFolder() + "Res\\*.ico").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do folder.Install(std::string("Res\\") + found.cFileName, std::string("Res\\") + found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
  }
  // Started as the client starts it: the member's name is the whole command line.
  std::string line = "bench";
  STARTUPINFOA startup = {sizeof startup};
  PROCESS_INFORMATION uploader = {};
  if (!CreateProcessA(folder.Path("Hoistly.exe").c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.Root().c_str(), &startup, &uploader)) {
    return Failed("Hoistly.exe did not start");
  }
  CloseHandle(uploader.hThread);
  const double whole = TimeHoistly(uploader.dwProcessId, photo);
  if (WaitForSingleObject(uploader.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(uploader.hProcess, 1);
  CloseHandle(uploader.hProcess);
  return whole;
}

double TimeHoistly(DWORD processId, const std::string& photo) {
  HWND frame = winkit::WaitForWindow(nullptr, kUploaderTitle, kTimeoutMs, processId);
  if (!frame) return Failed("no Hoistly window");
  ShowWindow(frame, SW_MAXIMIZE);
  Sleep(3000);  // the start-up's own work done
  HWND inner = FindChildOfClass(frame, nullptr, 0xE920);
  HWND view = inner ? GetDlgItem(inner, 0xE901) : nullptr;
  if (!view) return Failed("no picture view");
  const double whole = HandOverUntilShown(frame, photo, view);
  PostMessageA(frame, kCloseUploader, 0, 0);
  return whole;
}

double BareRound(const std::string& photo) {
  winkit::ChildProcess bare;
  std::string icons = winkit::BinFolder() + "Res";
  if (!bare.Start(winkit::BinFolder() + "bare_editor.exe", "\"" + icons + "\"")) return -1;
  HWND window = winkit::WaitForWindow("BareEditorMain", nullptr, kTimeoutMs, bare.Id());
  if (!window) return -1;
  Sleep(1000);
  const double shown = HandOverUntilShown(window, photo, window);
  PostMessageA(window, WM_CLOSE, 0, 0);
  bare.WaitForExit(10000);
  return shown;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: editor_bench <folder> [rounds]\n");
    return 2;
  }
  const std::string path = std::string(argv[1]) + "\\photo12mp_mid.jpg";
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES && !MakePhoto(path)) {
    std::fprintf(stderr, "cannot make %s\n", path.c_str());
    return 1;
  }
  Figures decode, bare, editor, road;
  for (int round = 0; round < rounds; ++round) {
    const Clock::time_point start = Clock::now();
    mb::Picture decoded;
    if (!decoded.Load(path)) {
      std::fprintf(stderr, "decode failed: %s\n", decoded.LastError().c_str());
      return 1;
    }
    decode.values.push_back(Milliseconds(Clock::now() - start));
    decoded.Clear();
    const double bareMs = BareRound(path);
    const double wholeMs = HoistlyRound(path);
    if (bareMs < 0 || wholeMs < 0) {
      std::fprintf(stderr, "round %d: the picture never showed (bare %.0f, Hoistly %.0f)\n", round + 1, bareMs, wholeMs);
      return 1;
    }
    bare.values.push_back(bareMs);
    road.values.push_back(wholeMs);
    editor.values.push_back(wholeMs - kFrameSleepMs);
    std::printf("round %d: decode %.1f ms, bare program %.1f ms, editor %.1f ms (whole road from 2023 %.1f ms)\n",
                round + 1, decode.values.back(), bareMs, editor.values.back(), wholeMs);
  }
  std::printf("best:   decode %.1f ms, bare program %.1f ms, editor %.1f ms, whole road %.1f ms\n", decode.Best(),
              bare.Best(), editor.Best(), road.Best());
  std::printf("median: decode %.1f ms, bare program %.1f ms, editor %.1f ms, whole road %.1f ms\n", decode.Median(),
              bare.Median(), editor.Median(), road.Median());
  std::printf("editor / bare program: best %.2f (goal 1.2 at most), median %.2f; editor / decode: best %.2f, median %.2f\n",
              editor.Best() / bare.Best(), editor.Median() / bare.Median(), editor.Best() / decode.Best(),
              editor.Median() / decode.Median());
  return 0;
}
