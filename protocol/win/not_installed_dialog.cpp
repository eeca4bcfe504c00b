#include "protocol/win/not_installed_dialog.h"

#include <shellapi.h>

#include "protocol/win/linkport_ids.h"

namespace mb {

const char kHomePageUrl[] = MB_HOME_PAGE;

namespace {

class ShellLinkLauncher : public LinkLauncher {
 public:
  void Open(const std::string& url) override {
    ShellExecuteA(nullptr, "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  }
};

// Item 202 drawn and used as a hyperlink: blue, underlined, a hand over it, a click opens it.
class NotInstalledDialog {
 public:
  explicit NotInstalledDialog(LinkLauncher& launcher) : launcher_(launcher) {}
  ~NotInstalledDialog() {
    if (linkFont_) DeleteObject(linkFont_);
  }
  NotInstalledDialog(const NotInstalledDialog&) = delete;
  NotInstalledDialog& operator=(const NotInstalledDialog&) = delete;

  static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    auto* self = reinterpret_cast<NotInstalledDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    return self ? self->Handle(dialog, message, wParam, lParam) : FALSE;
  }

 private:
  INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_INITDIALOG:
        MakeLink(GetDlgItem(dialog, IDC_HOME_PAGE_LINK));
        return TRUE;
      case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, IDC_HOME_PAGE_LINK)) {
          HDC dc = reinterpret_cast<HDC>(wParam);
          SetTextColor(dc, RGB(0, 0, 255));
          SetBkMode(dc, TRANSPARENT);
          if (linkFont_) SelectObject(dc, linkFont_);
          return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        }
        return FALSE;
      case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == GetDlgItem(dialog, IDC_HOME_PAGE_LINK)) {
          SetCursor(LoadCursor(nullptr, IDC_HAND));
          SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
          return TRUE;
        }
        return FALSE;
      case WM_COMMAND:
        if (LOWORD(wParam) == IDC_HOME_PAGE_LINK && HIWORD(wParam) == STN_CLICKED) {
          launcher_.Open(kHomePageUrl);
          return TRUE;
        }
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
          EndDialog(dialog, LOWORD(wParam));
          return TRUE;
        }
        return FALSE;
      default:
        return FALSE;
    }
  }

  void MakeLink(HWND link) {
    if (!link) return;
    SetWindowTextA(link, kHomePageUrl);
    LOGFONTA font = {};
    HFONT current = reinterpret_cast<HFONT>(SendMessageA(link, WM_GETFONT, 0, 0));
    if (current && GetObjectA(current, sizeof font, &font)) {
      font.lfUnderline = TRUE;
      linkFont_ = CreateFontIndirectA(&font);
    }
  }

  LinkLauncher& launcher_;
  HFONT linkFont_ = nullptr;
};

}  // namespace

LinkLauncher& SystemLinkLauncher() {
  static ShellLinkLauncher launcher;
  return launcher;
}

void RunNotInstalledDialog(HINSTANCE resources, HWND owner, LinkLauncher& launcher) {
  NotInstalledDialog dialog(launcher);
  DialogBoxParamA(resources, MAKEINTRESOURCEA(IDD_NOT_INSTALLED), owner, NotInstalledDialog::Proc,
                  reinterpret_cast<LPARAM>(&dialog));
}

}  // namespace mb
