// Resource ids of the picture editor, its dialogs, the folder tree's menu and the side strip.
#pragma once

#define IDD_EDIT_IMAGE 143
#define IDR_EDIT_TOOLBAR 144
#define IDD_IMAGE_SIZE 146
#define IDD_ROTATE 148
#define IDR_EDIT_MENU 149
#define IDD_SHOW_PANE 207
#define IDR_TREE_MENU 213
#define IDB_TOOLBAR_BACK 282
#define IDB_TOOLBAR_BACK_ALT 283
#define IDB_PANEL_CLOSED 284
#define IDB_SHOW_PANE 285
#define IDB_PANEL_OPEN 287

#define IDC_GROUP 1045
#define IDC_EDIT_WIDTH 1002
#define IDC_EDIT_HEIGHT 1003
#define IDC_WIDTH_UNIT 1004
#define IDC_HEIGHT_UNIT 1005
#define IDC_KEEP_PROPORTIONS 1006
#define IDC_LEFT_TO_RIGHT 1007
#define IDC_TOP_TO_BOTTOM 1008
#define IDC_BY_ANGLE 1009
#define IDC_ANGLE_90 1010
#define IDC_ANGLE_180 1011
#define IDC_ANGLE_270 1012
#define IDC_SHOW_PANE_BUTTON 201
