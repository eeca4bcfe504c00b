// DownloadRequest: one wallpaper that page script asked for through window.external. The script
// bridge makes it and sends it to the page that hosts the browser with WM_DOWNLOAD_REQUEST
// (wParam = the request, lParam = 0 for downWallpaper, 1 for setWallpaper). The page owns it from
// then on and deletes it, except when it answers -1 (busy): then the sender still owns it and
// frees it.
#pragma once

#include <string>

namespace mb {

struct DownloadRequest {
  std::string title;
  std::string address;   // the picture's URL; its file-name part names the local file
  std::string category;  // f1: the category the page suggests
  std::string f2;
  std::string f3;
  std::string f4;
  std::string f5;
};

// Window messages of the download road (values of type UINT).
constexpr unsigned int WM_DOWNLOAD_REQUEST = 0x464;   // to the page; answer -1 = busy
constexpr unsigned int WM_DOWNLOAD_FINISHED = 0x46F;  // to the main window, wParam 1, lParam 0

}  // namespace mb
