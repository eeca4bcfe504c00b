// Resource ids of Thumbrill.dll.
#pragma once

#define IDR_LIST_ROW_MENU 129
