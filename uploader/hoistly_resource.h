// Resource ids of Hoistly.exe.
#pragma once

#define IDR_MAINFRAME 128
#define IDS_OLE_INIT_FAILED 100
#define IDD_ABOUTBOX 100
#define IDC_ABOUT_LINK 1058
#define IDR_VIEW_MENU 288

// Commands of the menus, the toolbar and the search box.
#define ID_VIEW_DETAIL 32787
#define ID_VIEW_THUMB 32899
#define ID_APP_ABOUT 57664
#define ID_TOOL_ABOUT 32890
#define ID_FILE_NEW 57600
#define ID_FILE_OPEN 57601
#define ID_FILE_PRINT_SETUP 57606
#define ID_SEARCH_EDIT 8988
#define ID_SEARCH_BUTTON 8889
#define ID_SEARCH_CATEGORY 8886
#define ID_VIEW_TOOLBAR 59392
#define ID_VIEW_STATUS_BAR 59393
#define ID_STATUS_PROGRESS 10000

// Child ids of the frame's splitters and panes.
#define ID_PANE_FOLDER_TREE 0xE900
#define ID_PANE_IMAGE_VIEW 0xE901
#define ID_PANE_INFO 0xE902
#define ID_PANE_IMAGE_LIMIT 0xE903
#define ID_INNER_SPLITTER 0xE920
#define ID_OUTER_SPLITTER 0xE921
