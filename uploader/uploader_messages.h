// Window messages between the uploader's main frame, its views and panes, and the wallpaper client.
// The list control's and the upload engine's own messages are in thumblist/win/list_messages.h and
// upload/win/upload_messages.h; the title bar's WM_HEAD_CLOSE in uibase/win/zel_head_ctrl.h.
#pragma once

#include <windows.h>

constexpr UINT WM_TOGGLE_LIST_MODE = WM_USER + 4;      // to the view (command 32772)
constexpr UINT WM_TICK_ALL = WM_USER + 5;              // to the view: wParam 1 tick all, 0 untick all
constexpr UINT WM_LIST_NOTE = WM_USER + 21;            // 0x415, forwarded to the view
constexpr UINT WM_FULL_SCREEN_EDIT = WM_USER + 27;     // to the frame: wParam 1 leaves the mode
constexpr UINT WM_TOGGLE_FRAME = WM_USER + 31;         // to the frame: hide it, or bring it forward
constexpr UINT WM_APPLY_ROW_SETTINGS = WM_USER + 33;   // forwarded to the view
constexpr UINT WM_PANE_FOLDER_OPENED = WM_USER + 36;   // to the side panes when a folder opens
constexpr UINT WM_EDITING_MENU = WM_USER + 37;         // to the frame: wParam 0 editing starts, 1 ends
constexpr UINT WM_SELECT_START_FOLDER = WM_USER + 51;  // to the folder tree
constexpr UINT WM_SET_LIST_VIEW = WM_USER + 53;        // to the view: wParam 1 report, 0 thumbnails
constexpr UINT WM_REFRESH_COLUMNS = WM_USER + 57;      // to the frame
constexpr UINT WM_PANE_HEAD_STATE = WM_USER + 298;     // to a side pane: 5 no close row, 6 close row
constexpr UINT WM_UPLOADER_QUIET = WM_USER + 18;       // answered with nothing
// The START_UPLOAD message to the view (WM_USER+3) is WM_START_UPLOAD of upload_messages.h.

// From the wallpaper client, to the window titled kMainFrameTitle.
constexpr UINT WM_CLOSE_UPLOADER = WM_USER + 998;      // close at once, no question
constexpr UINT WM_OPEN_PICTURE_PATH = WM_USER + 999;   // the window text holds a picture path

constexpr char kMainFrameTitle[] = "Pelora--壁纸批量上传工具";

// wParam of WM_HEAD_CLOSE sent to the frame.
constexpr WPARAM HEAD_CLOSE_INFO_PANE = 2;
constexpr WPARAM HEAD_CLOSE_SETTINGS_PANE = 3;
constexpr WPARAM HEAD_CLOSE_START = 8;
