// Window messages of the uploader's picture pane (CImageView): the ones it takes besides the
// engine's (upload/win/upload_messages.h) and the list's (thumblist/win/list_messages.h), and the
// ones it sends to the main frame and the folder tree.
#pragma once

#include <windows.h>

#include "thumblist/win/list_messages.h"
#include "upload/win/upload_messages.h"

// Taken by CImageView.
constexpr UINT WM_TICK_ALL_ROWS = WM_USER + 5;            // wParam 1 ticks every row, else unticks
constexpr UINT WM_RESAVE_PICTURE = WM_USER + 21;          // lParam path: load and save in its own format
constexpr UINT WM_EDITOR_FULL_SCREEN_FLAG = WM_USER + 27;  // wParam stored in the editor's flag
constexpr UINT WM_SHOW_PICTURE_LIST = WM_USER + 28;       // the list is shown, the editor hidden
constexpr UINT WM_APPLY_ROW_SETTINGS = WM_USER + 33;      // wParam row, lParam const stImageInfo*
constexpr UINT WM_SET_LIST_VIEW = WM_USER + 53;           // wParam 1 report view, 0 thumbnails
constexpr UINT WM_REFRESH_CURRENT_THUMB = WM_USER + 56;   // the current row's thumbnail again
constexpr UINT WM_EDITOR_PASS_ON = WM_USER + 58;          // handed to the editor when it exists
constexpr UINT WM_STOP_FOLDER_SCAN = WM_USER + 61;        // stops the running folder scan

// Sent by CImageView.
constexpr UINT WM_EDITING_STATE = WM_USER + 37;     // to the main window: wParam 0 editing starts, 1 ends
constexpr UINT WM_SELECT_TREE_ITEM = WM_USER + 51;  // to the folder tree: wParam its item, lParam the folder's path (const char*)
