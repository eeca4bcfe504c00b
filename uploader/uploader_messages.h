// Window messages between the uploader's main frame, its views and panes, and the wallpaper client.
// The picture view's, the list control's and the upload engine's own messages are in
// uploader/image_view/image_view_messages.h (which includes the other two); the title bar's
// WM_HEAD_CLOSE in uibase/win/zel_head_ctrl.h.
#pragma once

#include <windows.h>

#include "uploader/image_view/image_view_messages.h"

constexpr UINT WM_TOGGLE_LIST_MODE = WM_USER + 4;      // to the view (command 32772)
constexpr UINT WM_FULL_SCREEN_EDIT = WM_USER + 27;     // to the frame: wParam 1 leaves the mode
constexpr UINT WM_TOGGLE_FRAME = WM_USER + 31;         // to the frame: hide it, or bring it forward
constexpr UINT WM_PANE_FOLDER_OPENED = WM_USER + 36;   // to the side panes when a folder opens
constexpr UINT WM_REFRESH_COLUMNS = WM_USER + 57;      // to the frame
constexpr UINT WM_PANE_HEAD_STATE = WM_USER + 298;     // to a side pane: 5 no close row, 6 close row
constexpr UINT WM_UPLOADER_QUIET = WM_USER + 18;       // answered with nothing
// The START_UPLOAD message to the view (WM_USER+3) is WM_START_UPLOAD of upload_messages.h.

// From the wallpaper client, to the window titled kMainFrameTitle.
constexpr UINT WM_CLOSE_UPLOADER = WM_USER + 998;      // close at once, no question
constexpr UINT WM_OPEN_PICTURE_PATH = WM_USER + 999;   // the window text holds a picture path

constexpr char kMainFrameTitle[] = "Pelora--壁纸批量上传工具";

// wParam of WM_HEAD_CLOSE sent to the frame.
constexpr WPARAM HEAD_CLOSE_FOLDER_PANE = 1;
constexpr WPARAM HEAD_CLOSE_INFO_PANE = 2;
constexpr WPARAM HEAD_CLOSE_SETTINGS_PANE = 3;
constexpr WPARAM HEAD_CLOSE_START = 8;
