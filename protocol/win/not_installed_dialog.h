// The dialog that tells the member the client is not installed, with a link to the service's
// home page.
#pragma once

#include <windows.h>

#include "protocol/win/link_launcher.h"

namespace mb {

extern const char kHomePageUrl[];

// Modal; returns when the member closes it. resources: the module holding dialog 201.
void RunNotInstalledDialog(HINSTANCE resources, HWND owner, LinkLauncher& launcher);

}  // namespace mb
