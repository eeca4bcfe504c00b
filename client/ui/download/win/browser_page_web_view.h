// The download pages' browser: the browser pages library's host with its waiting animation and
// the script bridge. Built only where that library is (mb_browser_pages).
#pragma once

#include <memory>

#include "client/ui/download/win/download_dialog.h"

namespace mb {

std::unique_ptr<PageWebView> MakeBrowserPageWebView();

}  // namespace mb
