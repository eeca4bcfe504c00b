// The platform's limit for opening the picture editor: a bare Win32 program that, asked with the
// same message the client sends Hoistly (2023, the path in its window text), decodes the picture
// with the image layer and makes the editor's window tree with nothing else in it: a child dialog
// with an 18-button icon toolbar, a panel window along the bottom and a canvas that paints the
// picture shrunk to fit, then shows it.
//   bare_editor.exe <icon folder>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editor/core/picture_operations.h"
#include "image/picture.h"
#include "image/win/picture_gdi.h"

namespace {

constexpr UINT kOpenHandedPicture = WM_USER + 999;
constexpr int kToolbarHeight = 26, kPanelHeight = 139;
const char* const kIcons[] = {"save.ico",  "saveas.ico", "undo.ico",    "redo.ico",       "imagesize.ico", "flip.ico",
                              "select.ico", "crop.ico",  "smallr.ico",  "smalll.ico",     "zoomin.ico",    "zoomout.ico",
                              "oldsize.ico", "fullscreen.ico", "pre.ico", "next.ico",     "smalloff.ico",  "move.ico"};

std::string g_icons;
mb::Picture g_shown;  // the picture at its drawn size

LRESULT CALLBACK CanvasProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcA(hwnd, message, wParam, lParam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  RECT client;
  GetClientRect(hwnd, &client);
  HBRUSH ground = CreateSolidBrush(RGB(192, 192, 192));
  FillRect(dc, &client, ground);
  DeleteObject(ground);
  mb::DrawPicture(dc, g_shown, (client.right - g_shown.Width()) / 2, (client.bottom - g_shown.Height()) / 2,
                  g_shown.Width(), g_shown.Height());
  EndPaint(hwnd, &paint);
  return 0;
}

INT_PTR CALLBACK EditorProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

HWND MakeEditor(HWND parent) {
  // An empty child dialog template, as the editor's own is made from one.
  struct {
    DLGTEMPLATE dialog;
    WORD menu, windowClass, title;
  } blank = {{WS_CHILD | DS_CONTROL, 0, 0, 0, 0, 0, 0}, 0, 0, 0};
  HWND editor = CreateDialogIndirectA(GetModuleHandleA(nullptr), &blank.dialog, parent, EditorProc);
  RECT client;
  GetClientRect(parent, &client);
  MoveWindow(editor, 0, 0, client.right, client.bottom, FALSE);
  HWND toolbar = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NORESIZE |
                                                           CCS_NOPARENTALIGN | CCS_NODIVIDER,
                                 0, 0, client.right, kToolbarHeight, editor, nullptr, nullptr, nullptr);
  SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 18, 2);
  std::vector<TBBUTTON> buttons;
  for (const char* icon : kIcons) {
    HICON loaded = static_cast<HICON>(LoadImageA(nullptr, (g_icons + icon).c_str(), IMAGE_ICON, 16, 16, LR_LOADFROMFILE));
    TBBUTTON button = {};
    button.iBitmap = ImageList_AddIcon(images, loaded);
    button.idCommand = static_cast<int>(100 + buttons.size());
    button.fsState = TBSTATE_ENABLED;
    buttons.push_back(button);
    DestroyIcon(loaded);
  }
  SendMessageA(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  SendMessageA(toolbar, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, client.bottom - kPanelHeight, client.right, kPanelHeight,
                  editor, nullptr, nullptr, nullptr);
  CreateWindowExA(0, "BareCanvas", "", WS_CHILD | WS_VISIBLE, 0, kToolbarHeight, client.right,
                  client.bottom - kToolbarHeight - kPanelHeight, editor, reinterpret_cast<HMENU>(1000), nullptr,
                  nullptr);
  return editor;
}

LRESULT CALLBACK MainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kOpenHandedPicture) {
    char path[MAX_PATH] = "";
    GetWindowTextA(hwnd, path, sizeof path);
    mb::Picture picture;
    if (!picture.Load(path)) return 0;
    RECT client;
    GetClientRect(hwnd, &client);
    const int room = client.bottom - kToolbarHeight - kPanelHeight;
    const double scale = std::min(1.0, std::min(static_cast<double>(client.right) / picture.Width(),
                                                static_cast<double>(room) / picture.Height()));
    g_shown = mb::editor::ShrinkForScreen(picture, static_cast<int>(picture.Width() * scale),
                                          static_cast<int>(picture.Height() * scale));
    HWND editor = MakeEditor(hwnd);
    ShowWindow(editor, SW_SHOW);
    UpdateWindow(editor);
    return 1;
  }
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
  g_icons = argc > 1 ? std::string(argv[1]) + "\\" : std::string();
  INITCOMMONCONTROLSEX init = {sizeof init, ICC_BAR_CLASSES};
  InitCommonControlsEx(&init);
  WNDCLASSA canvas = {};
  canvas.lpfnWndProc = CanvasProc;
  canvas.hInstance = GetModuleHandleA(nullptr);
  canvas.lpszClassName = "BareCanvas";
  canvas.hCursor = LoadCursor(nullptr, IDC_ARROW);
  RegisterClassA(&canvas);
  WNDCLASSA main = canvas;
  main.lpfnWndProc = MainProc;
  main.lpszClassName = "BareEditorMain";
  main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClassA(&main);
  HWND window = CreateWindowExA(0, "BareEditorMain", "bare editor", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                                1024, 768, nullptr, nullptr, nullptr, nullptr);
  ShowWindow(window, SW_SHOWMAXIMIZED);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
