// Resource ids of the uploader's status bar and information pane.
#pragma once

#define IDD_IMAGE_INFO 176
#define IDB_STATUS_BACK 179
#define IDD_FILE_INFO_TIP 183
#define IDB_STATUS_PANE 281

#define IDC_FILE_INFO_TEXT 1038
#define IDC_IMAGE_INFO_LIST 1044
#define IDC_IMAGE_INFO_CORNER 202
