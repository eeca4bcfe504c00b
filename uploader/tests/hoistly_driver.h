// Driving Hoistly.exe from a test process: starting it in a program folder, finding its windows,
// reaching into its memory for the messages whose parameters point at data, clicking list rows.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "image/picture.h"
#include "tests/winkit/winkit.h"

namespace hoistlytest {

inline constexpr char kTitle[] = "Pelora--壁纸批量上传工具";
inline constexpr DWORD kStartTimeoutMs = 30000;
inline const std::vector<std::string> kProgram = {"Hoistly.exe", "Framework.dll", "ZelBase.dll", "Thumbrill.dll", "Set.dll",
                                                  "Conf.dll", "Upload.dll", "Tabvane.dll"};

// Hoistly started the way the client starts it: the member's name is the whole command line.
class Uploader {
 public:
  bool Start(std::string folder, const std::string& commandLine) {
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    const std::string program = folder + "\\Hoistly.exe";
    std::string line = commandLine;
    STARTUPINFOA startup = {sizeof startup};
    return CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                          &startup, &info_) != FALSE;
  }
  ~Uploader() {
    if (!info_.hProcess) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 1);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  bool WaitForExit(DWORD ms) const { return WaitForSingleObject(info_.hProcess, ms) == WAIT_OBJECT_0; }
  DWORD Id() const { return info_.dwProcessId; }

 private:
  PROCESS_INFORMATION info_ = {};
};

// A private program folder with the toolbars' icons in "Res", as the build draws them.
inline void InstallIcons(const winkit::InstallFolder& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((winkit::BinFolder() + "Res\\*.ico").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    folder.Install(std::string("Res\\") + found.cFileName, std::string("Res\\") + found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

struct ChildSearch {
  const char* className;
  int id;  // -1: any
  HWND found;
  DWORD processId = 0;  // 0: any; else only a visible window of that process
};

inline BOOL CALLBACK MatchChild(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<ChildSearch*>(data);
  char name[64] = "";
  GetClassNameA(hwnd, name, sizeof name);
  DWORD process = 0;
  if (search->processId) GetWindowThreadProcessId(hwnd, &process);
  if (lstrcmpiA(name, search->className) == 0 && (search->id < 0 || GetDlgCtrlID(hwnd) == search->id) &&
      (!search->processId || (process == search->processId && IsWindowVisible(hwnd)))) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

// A visible top-level window of the class in the process (a combo box's dropped list, say).
inline HWND VisibleTopWindow(const char* className, DWORD processId) {
  ChildSearch search = {className, -1, nullptr, processId};
  EnumWindows(MatchChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A 1024 x 768 JPEG (the upload rule's smallest size) whose first noisyRows rows are noise drawn
// from seed, so that each file has a size of its own.
inline bool WriteNoisyPicture(const std::string& path, std::uint32_t seed, int noisyRows, mb::Rgba background) {
  mb::Picture picture;
  if (!picture.Create(1024, 768, background)) return false;
  for (int y = 0; y < noisyRows; ++y) {
    for (int x = 0; x < 1024; ++x) {
      seed = seed * 1664525u + 1013904223u;
      picture.SetPixelColor(x, y, {static_cast<std::uint8_t>(seed >> 24), static_cast<std::uint8_t>(seed >> 16),
                                   static_cast<std::uint8_t>(seed >> 8), 255});
    }
  }
  return picture.Save(path, mb::PictureFormat::kJpeg);
}

inline HWND Child(HWND parent, const char* className, int id = -1) {
  ChildSearch search = {className, id, nullptr};
  EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

inline std::string Text(HWND hwnd) {
  char text[256] = "";
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

// Memory in another process, for the messages whose parameters point at data.
class RemoteBuffer {
 public:
  RemoteBuffer(DWORD processId, size_t size) : size_(size) {
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  LPARAM Put(const void* data, size_t size) {
    WriteProcessMemory(process_, address_, data, size < size_ ? size : size_, nullptr);
    return reinterpret_cast<LPARAM>(address_);
  }
  void Get(void* data, size_t size) const { ReadProcessMemory(process_, address_, data, size, nullptr); }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  size_t size_;
};

// The text of a list cell, read through the list's own process.
inline std::string CellText(HWND list, DWORD processId, int row, int column) {
  struct Cell {
    LVITEMA item;
    char text[260];
  } cell = {};
  RemoteBuffer remote(processId, sizeof cell);
  cell.item.iSubItem = column;
  cell.item.cchTextMax = sizeof cell.text;
  const LPARAM address = remote.Put(&cell, sizeof cell);
  cell.item.pszText = reinterpret_cast<char*>(address + offsetof(Cell, text));
  remote.Put(&cell, sizeof cell);
  SendMessageA(list, LVM_GETITEMTEXTA, row, address);
  remote.Get(&cell, sizeof cell);
  return cell.text;
}

// A click on the row, as the member reports a row to the panes.
inline void ClickRow(HWND list, DWORD processId, int row) {
  RECT bounds = {LVIR_BOUNDS, 0, 0, 0};
  RemoteBuffer remote(processId, sizeof bounds);
  SendMessageA(list, LVM_GETITEMRECT, row, remote.Put(&bounds, sizeof bounds));
  remote.Get(&bounds, sizeof bounds);
  const LPARAM point = MAKELPARAM((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
  PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageA(list, WM_LBUTTONUP, 0, point);
}

inline HWND FindChild(HWND parent, const char* className, bool visibleOnly) {
  for (HWND child = FindWindowExA(parent, nullptr, className, nullptr); child;
       child = FindWindowExA(parent, child, className, nullptr)) {
    if (!visibleOnly || IsWindowVisible(child)) return child;
  }
  return nullptr;
}

template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = kStartTimeoutMs) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
    if (condition()) return true;
    Sleep(50);
  }
  return condition();
}

// The folder opened in the tree (the view's "select this folder", by path) and its list once it
// holds `rows` rows; null when it never does.
inline HWND OpenFolderList(HWND tree, HWND view, DWORD processId, const std::string& folder, int rows) {
  RemoteBuffer path(processId, MAX_PATH);
  SendMessageA(tree, WM_USER + 51, 0, path.Put(folder.c_str(), folder.size() + 1));
  HWND list = nullptr;
  WaitUntil([&] {
    list = FindChild(view, WC_LISTVIEWA, true);
    return list && SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == rows;
  });
  return list && SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == rows ? list : nullptr;
}

}  // namespace hoistlytest
