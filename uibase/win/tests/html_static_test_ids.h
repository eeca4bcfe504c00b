#pragma once
#define IDD_ABOUT_SAMPLE 100
#define IDC_HOME_LINK 1058
#define IDC_SAMPLE 1059
