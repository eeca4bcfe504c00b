// Window messages the picture list sends to its view and to the uploader's main window.
#pragma once

#include <windows.h>

#include "upload/win/upload_messages.h"  // WM_UPLOAD_STATUS: the list reports through it too

constexpr UINT WM_LIST_ROTATED = WM_USER + 9;       // to the view: wParam 1 right / 0 left, lParam path
constexpr UINT WM_LIST_PREVIEW = WM_USER + 11;      // to the view: lParam path
constexpr UINT WM_EDIT_PICTURE = WM_USER + 12;      // to the view: lParam path
constexpr UINT WM_SHOW_IMAGE_INFO = WM_USER + 20;   // wParam row (-1 double click), lParam stImageInfo*
constexpr UINT WM_REFRESH_FOLDER = WM_USER + 60;    // to the main window
constexpr UINT WM_STORE_IMAGE_INFO = WM_USER + 62;  // to the main window: wParam row; to the list: flush
// wParam of WM_STORE_IMAGE_INFO to the list when its folder is left: the rows are forgotten too.
constexpr WPARAM kStoreAndForgetRows = 1;

// wParam of WM_SHOW_IMAGE_INFO that names no row: the settings pane only writes its edits back
// to its own row (a code apart from every row index, so that row 8 is shown like any other).
constexpr WPARAM kStoreOnlyRow = static_cast<WPARAM>(-2);

// WM_UPLOAD_STATUS wParam values the list uses.
constexpr WPARAM LIST_STATUS_FOLDER_COUNT = 0;  // to the view: rows or ticks changed
constexpr WPARAM LIST_STATUS_TEXT = 8;          // to the main window: lParam a status text

// Commands the list sends to the main window (the main window's own ids).
constexpr UINT ID_MAIN_SETTINGS = 32786;
constexpr UINT ID_MAIN_REPORT_VIEW = 32787;
constexpr UINT ID_MAIN_THUMBNAIL_VIEW = 32899;
constexpr UINT ID_MAIN_START_UPLOAD = 32818;
