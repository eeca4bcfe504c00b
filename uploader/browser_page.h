// The service's pages in a browser window of their own.
#pragma once

#include <string>

namespace hoistly {

// A browser window with its status bar, tool bar and menu bar, navigated to url; when that cannot
// be done, the shell opens the address minimised.
void OpenBrowserPage(const std::string& url);

// text as a query value: GBK bytes percent-encoded.
std::string QueryValue(const std::string& text);

}  // namespace hoistly
