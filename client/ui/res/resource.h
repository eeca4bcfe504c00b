// Resource ids of muralbox.exe.
#pragma once

#define IDD_MAIN_WINDOW 129
#define IDD_LOGIN_DIALOG 201
