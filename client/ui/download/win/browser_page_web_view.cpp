#include "client/ui/download/win/browser_page_web_view.h"

#include "client/ui/browser/win/browser_event_window.h"
#include "client/ui/browser/win/script_bridge.h"

namespace mb {
namespace {

class BrowserPageWebView final : public PageWebView {
 public:
  ~BrowserPageWebView() override { Destroy(); }

  HWND Create(HWND page, const RECT& rect, const std::string& address, AnimatedGifControl* waiting) override {
    browser_.AttachAnimation(waiting);
    if (!browser_.Create(page, rect, "about:blank", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL)) return nullptr;
    browser_.SetupControl();
    bridge_ = ScriptBridge::Create();
    if (bridge_) {
      bridge_->SetOwner(browser_.Handle());
      browser_.SetExternalDispatch(bridge_);
    }
    browser_.NavigateWithAnimation(address);
    return browser_.Handle();
  }

  void NavigateAgain(const std::string& address) override { browser_.NavigateWithAnimation(address); }

  void Destroy() override {
    if (bridge_) {
      bridge_->SetOwner(nullptr);
      if (browser_.IsWindow()) browser_.SetExternalDispatch(nullptr);
      bridge_->Release();
      bridge_ = nullptr;
    }
    if (browser_.IsWindow()) browser_.Destroy();
  }

 private:
  BrowserEventWindow browser_;
  ScriptBridge* bridge_ = nullptr;
};

}  // namespace

std::unique_ptr<PageWebView> MakeBrowserPageWebView() { return std::make_unique<BrowserPageWebView>(); }

}  // namespace mb
