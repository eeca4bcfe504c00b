#include "uploader/browser_page.h"

#include <windows.h>
#include <exdisp.h>
#include <shellapi.h>

#include "common/percent_text.h"
#include "common/win/com_ptr.h"

namespace hoistly {

namespace {
bool NavigateInBrowser(const std::string& url) {
  mb::ComPtr<IWebBrowser2> browser;
  if (FAILED(CoCreateInstance(CLSID_InternetExplorer, nullptr, CLSCTX_LOCAL_SERVER, IID_IWebBrowser2,
                              browser.OutVoid()))) {
    return false;
  }
  browser->put_StatusBar(VARIANT_TRUE);
  browser->put_ToolBar(VARIANT_TRUE);
  browser->put_MenuBar(VARIANT_TRUE);
  browser->put_Visible(VARIANT_TRUE);
  const mb::BStr address = mb::BStr::FromGbk(url);
  VARIANT empty;
  VariantInit(&empty);
  return SUCCEEDED(browser->Navigate(address.Get(), &empty, &empty, &empty, &empty));
}
}  // namespace

void OpenBrowserPage(const std::string& url) {
  if (!NavigateInBrowser(url)) ShellExecuteA(nullptr, "open", url.c_str(), nullptr, nullptr, SW_SHOWMINIMIZED);
}

std::string QueryValue(const std::string& text) {
  std::string out;
  for (unsigned char byte : text) {
    const bool plain = (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                       byte == '-' || byte == '_' || byte == '.' || byte == '~';
    if (plain) {
      out += static_cast<char>(byte);
    } else {
      mb::AppendPercentEscape(out, byte);
    }
  }
  return out;
}

}  // namespace hoistly
