#include "uibase/win/pp_html_drawer.h"

#include <shellapi.h>

#include "framework/module.h"

#include "uibase/win/html_gdi_painter.h"

namespace {

mb::html::Colour SystemColour(int index) { return GetSysColor(index); }

// The default value of a key under HKEY_CLASSES_ROOT, or an empty string.
std::string ClassesRootValue(const std::string& key) {
  char value[1024] = {};
  LONG size = sizeof value;
  if (RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), value, &size) != ERROR_SUCCESS) return {};
  return std::string(value);
}

}  // namespace

CPPHtmlDrawer::CPPHtmlDrawer() : resources_(fw::ThisModule()), engine_(resources_, SystemColour) {
  engine_.SetLinkActions(this);
  opener_ = [](const std::string& target, int show) { CPPHtmlDrawer::OpenUrl(target, show); };
}

CPPHtmlDrawer::~CPPHtmlDrawer() {
  if (hand_ && handOwned_) DestroyCursor(hand_);
}

void CPPHtmlDrawer::Initialise(HWND hoverWindow, UINT hoverMessage) {
  hoverWindow_ = hoverWindow;
  hoverMessage_ = hoverMessage;
}

void CPPHtmlDrawer::SetCallbackHyperlink(HWND window, UINT message, LPARAM value) {
  clickWindow_ = window;
  clickMessage_ = message;
  clickValue_ = value;
}

SIZE CPPHtmlDrawer::Prepare(HDC dc, const std::string& text) {
  zel::GdiTextMeasure measure(dc);
  const mb::html::LayoutSize size = engine_.Prepare(measure, text);
  return {size.width, size.height};
}

void CPPHtmlDrawer::Draw(HDC dc, const RECT& rect) {
  zel::GdiTextMeasure measure(dc);
  const auto items = engine_.Draw(measure, {rect.left, rect.top, rect.right, rect.bottom});
  const int saved = SaveDC(dc);
  zel::HtmlGdiPainter(measure, resources_).Paint(items);
  RestoreDC(dc, saved);
}

BOOL CPPHtmlDrawer::OnSetCursor(POINT point) { return engine_.MouseOver({point.x, point.y}) ? TRUE : FALSE; }

void CPPHtmlDrawer::OnLButtonDown(POINT point) { engine_.Click({point.x, point.y}); }

BOOL CPPHtmlDrawer::OnTimer() { return engine_.Tick() ? TRUE : FALSE; }

void CPPHtmlDrawer::EnableOutput(BOOL enable) { engine_.Enable(enable != FALSE); }

void CPPHtmlDrawer::SetDisabledColor(COLORREF colour) { engine_.SetDisabledColour(colour); }

void CPPHtmlDrawer::SetMaxWidth(int width) { engine_.SetWrapWidth(width); }

void CPPHtmlDrawer::SetStyle(const std::string& selector, const std::string& declarations) {
  engine_.Sheet().SetStyle(selector, declarations);
}

std::string CPPHtmlDrawer::GetStyle(const std::string& selector) {
  const std::string* found = engine_.Sheet().GetStyle(selector);
  return found ? *found : std::string();
}

void CPPHtmlDrawer::SetCssStyles(const char* sheet) {
  engine_.Sheet().SetSheet(sheet ? std::optional<std::string_view>(sheet) : std::nullopt);
}

void CPPHtmlDrawer::HoverChanged(int link) {
  if (hoverWindow_ && hoverMessage_) SendMessageA(hoverWindow_, hoverMessage_, static_cast<WPARAM>(link), 0);
}

bool CPPHtmlDrawer::ShowHandCursor() {
  if (!hand_) {
    hand_ = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
    if (!hand_) {  // older systems: the help program's hand
      char folder[MAX_PATH] = {};
      GetWindowsDirectoryA(folder, MAX_PATH);
      HMODULE help = LoadLibraryExA((std::string(folder) + "\\winhlp32.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
      if (help) {
        if (HCURSOR found = LoadCursorA(help, MAKEINTRESOURCEA(106))) {
          hand_ = CopyCursor(found);
          handOwned_ = hand_ != nullptr;
        }
        FreeLibrary(help);
      }
    }
  }
  if (!hand_) return false;
  SetCursor(hand_);
  return true;
}

void CPPHtmlDrawer::OpenUrl(const std::string& target) {
  if (opener_) opener_(target, SW_SHOW);
}

void CPPHtmlDrawer::OpenUrl(const std::string& target, int show) {
  const auto result = reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, show));
  if (result > 32) return;
  const std::string documentClass = ClassesRootValue(".htm");
  if (documentClass.empty()) return;
  const std::string registered = ClassesRootValue(documentClass + "\\shell\\open\\command");
  if (registered.empty()) return;
  std::string command = mb::html::OpenCommandFor(registered, target);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show);
  PROCESS_INFORMATION process = {};
  if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
}

void CPPHtmlDrawer::SendLinkMessage(const std::string& text) {
  if (clickWindow_ && clickMessage_) {
    SendMessageA(clickWindow_, clickMessage_, reinterpret_cast<WPARAM>(text.c_str()), clickValue_);
  }
}
