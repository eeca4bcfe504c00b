#include "tests/winkit/member_input.h"

#include <cstring>
#include <vector>

#include "tests/winkit/winkit.h"

namespace winkit {
namespace {

// Time given to the windows after each input event: the target's own process handles the event
// on its thread, and a window of the test's thread needs this thread to pump.
constexpr DWORD kSettleMs = 40;

void Send(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT MouseInput(DWORD flags, LONG dx = 0, LONG dy = 0) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  input.mi.dx = dx;
  input.mi.dy = dy;
  return input;
}

// The absolute coordinate (0..65535 over the screen) whose pixel is `pixel`: the system maps it
// back as coordinate * extent / 65536, so the value is rounded up.
LONG Normalised(LONG pixel, int extent) {
  return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + extent - 1) / extent);
}

bool IsExtendedKey(WORD vk) {
  switch (vk) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
    case VK_PRIOR: case VK_NEXT: case VK_HOME: case VK_END:
    case VK_INSERT: case VK_DELETE: case VK_RMENU: case VK_RCONTROL:
      return true;
    default:
      return false;
  }
}

INPUT KeyInput(WORD vk, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0 /* MAPVK_VK_TO_VSC */));
  input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
  return input;
}

std::wstring Widened(const std::string& gbkText) {
  const int size = static_cast<int>(gbkText.size());
  const int length = MultiByteToWideChar(936, 0, gbkText.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) MultiByteToWideChar(936, 0, gbkText.data(), size, &wide[0], length);
  return wide;
}

void PressButton(POINT at, DWORD down, DWORD up) {
  MoveMouseTo(at);
  Send({MouseInput(down)});
  PumpMessages(kSettleMs / 2);
  Send({MouseInput(up)});
  PumpMessages(kSettleMs);
}

// Raises the control's window and checks what lies at the control's centre before `act` clicks.
template <typename Act>
bool ActOnControl(HWND control, HWND* covering, Act act) {
  if (covering) *covering = nullptr;
  if (!IsWindow(control) || !IsWindowVisible(control)) return false;
  BringToFront(control);
  const POINT centre = ScreenCentre(control);
  if (!PointReaches(centre, control, true)) {
    if (covering) *covering = WindowAt(centre);
    return false;
  }
  act(centre);
  return true;
}

}  // namespace

POINT ScreenCentre(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

POINT ScreenCentreOf(HWND owner, const RECT& clientRect) {
  POINT centre = {(clientRect.left + clientRect.right) / 2, (clientRect.top + clientRect.bottom) / 2};
  ClientToScreen(owner, &centre);
  return centre;
}

HWND WindowAt(POINT screenPoint) { return WindowFromPoint(screenPoint); }

bool BringToFront(HWND window) {
  HWND top = GetAncestor(window, GA_ROOT);
  if (!top) return false;
  if (IsIconic(top)) ShowWindow(top, SW_RESTORE);
  for (int attempt = 0; attempt < 20; ++attempt) {
    if (GetForegroundWindow() == top) return true;
    if (attempt % 5 == 4) {
      // A window of another process may keep the foreground from us: a key event makes this
      // process the last one to have had input, which lets it hand the foreground on.
      Send({KeyInput(VK_MENU, false), KeyInput(VK_MENU, true)});
    }
    SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(top);
    PumpMessages(50);
  }
  return GetForegroundWindow() == top;
}

bool PointReaches(POINT screenPoint, HWND expected, bool allowChildren) {
  HWND found = WindowAt(screenPoint);
  if (found == expected) return true;
  return allowChildren && found && IsChild(expected, found);
}

void MoveMouseTo(POINT screenPoint) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  Send({MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, Normalised(screenPoint.x, width),
                   Normalised(screenPoint.y, height))});
  PumpMessages(kSettleMs / 2);
  POINT now = {};
  if (GetCursorPos(&now) && (now.x != screenPoint.x || now.y != screenPoint.y)) {
    // A display whose extent is not what the mapping assumed: place the pointer exactly.
    SetCursorPos(screenPoint.x, screenPoint.y);
    PumpMessages(kSettleMs / 2);
  }
}

void ClickAt(POINT screenPoint) { PressButton(screenPoint, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); }

void RightClickAt(POINT screenPoint) { PressButton(screenPoint, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP); }

void DoubleClickAt(POINT screenPoint) {
  MoveMouseTo(screenPoint);
  // Both clicks well inside the double-click time, with nothing pumped between them.
  Send({MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP), MouseInput(MOUSEEVENTF_LEFTDOWN),
        MouseInput(MOUSEEVENTF_LEFTUP)});
  PumpMessages(kSettleMs * 2);
}

void DragMouse(POINT from, POINT to) {
  MoveMouseTo(from);
  Send({MouseInput(MOUSEEVENTF_LEFTDOWN)});
  PumpMessages(kSettleMs);
  constexpr int kSteps = 8;
  for (int step = 1; step <= kSteps; ++step) {
    MoveMouseTo({from.x + (to.x - from.x) * step / kSteps, from.y + (to.y - from.y) * step / kSteps});
  }
  Send({MouseInput(MOUSEEVENTF_LEFTUP)});
  PumpMessages(kSettleMs);
}

bool ClickControl(HWND control, HWND* covering) { return ActOnControl(control, covering, ClickAt); }

bool RightClickControl(HWND control, HWND* covering) { return ActOnControl(control, covering, RightClickAt); }

bool DoubleClickControl(HWND control, HWND* covering) { return ActOnControl(control, covering, DoubleClickAt); }

bool ClickElement(HWND owner, const RECT& clientRect, HWND* covering) {
  if (covering) *covering = nullptr;
  if (!IsWindow(owner) || !IsWindowVisible(owner)) return false;
  BringToFront(owner);
  const POINT centre = ScreenCentreOf(owner, clientRect);
  if (!PointReaches(centre, owner)) {
    if (covering) *covering = WindowAt(centre);
    return false;
  }
  ClickAt(centre);
  return true;
}

void TypeText(const std::wstring& text) {
  for (wchar_t ch : text) {
    if (ch == L'\r') continue;
    if (ch == L'\n') {
      PressKey(VK_RETURN);
      continue;
    }
    INPUT down = {};
    down.type = INPUT_KEYBOARD;
    down.ki.wScan = ch;
    down.ki.dwFlags = KEYEVENTF_UNICODE;
    INPUT up = down;
    up.ki.dwFlags |= KEYEVENTF_KEYUP;
    Send({down, up});
    PumpMessages(kSettleMs / 4);
  }
  PumpMessages(kSettleMs);
}

void TypeText(const std::string& gbkText) { TypeText(Widened(gbkText)); }

bool PasteText(const std::string& gbkText) {
  const std::wstring wide = Widened(gbkText);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
  if (!memory) return false;
  memcpy(GlobalLock(memory), wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(memory);
  bool placed = false;
  for (int attempt = 0; attempt < 20 && !placed; ++attempt) {
    // Another program may hold the clipboard for a moment.
    if (OpenClipboard(nullptr)) {
      EmptyClipboard();
      placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
      CloseClipboard();
    } else {
      Sleep(25);
    }
  }
  if (!placed) {
    GlobalFree(memory);
    return false;
  }
  PressKey('V', kCtrl);
  return true;
}

void PressKey(WORD virtualKey, unsigned modifiers) {
  std::vector<INPUT> inputs;
  const struct { unsigned flag; WORD vk; } held[] = {{kCtrl, VK_CONTROL}, {kShift, VK_SHIFT}, {kAlt, VK_MENU}};
  for (const auto& h : held)
    if (modifiers & h.flag) inputs.push_back(KeyInput(h.vk, false));
  inputs.push_back(KeyInput(virtualKey, false));
  inputs.push_back(KeyInput(virtualKey, true));
  for (int i = 2; i >= 0; --i)
    if (modifiers & held[i].flag) inputs.push_back(KeyInput(held[i].vk, true));
  Send(inputs);
  PumpMessages(kSettleMs);
}

std::string WindowText(HWND window) {
  char buffer[4096] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 5000,
                      &copied);
  return std::string(buffer, copied < sizeof buffer ? copied : 0);
}

}  // namespace winkit
