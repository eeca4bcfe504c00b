#include "client/ui/popup/win/popup_browser_host.h"

#include <exdispid.h>
#include <mshtmhst.h>

#include "common/win/com_ptr.h"

namespace mb {

// The subclassed "Internet Explorer_Server" pane: no background erase while a page loads.
class PopupBrowserHost::PaneGuard final : public fw::Window {
 public:
  explicit PaneGuard(const bool& pageLoaded) : pageLoaded_(pageLoaded) {
    Handle(WM_ERASEBKGND, &PaneGuard::OnEraseBackground);
  }

 private:
  LRESULT OnEraseBackground(const fw::Message& m) { return pageLoaded_ ? CallDefault(m) : 1; }

  const bool& pageLoaded_;
};

PopupBrowserHost::PopupBrowserHost() { SetListener(this); }

PopupBrowserHost::~PopupBrowserHost() {
  // The pane goes with the control, which the host's own destruction ends.
  if (IsWindow()) Destroy();
  pane_.reset();
}

HWND PopupBrowserHost::Create(HWND popup, const RECT& rect) {
  popup_ = popup;
  HWND window = WebBrowserHost::Create(popup, rect, "");
  if (!window) return nullptr;
  AllowContextMenu(false);
  SetHostFlags(HostFlags() | DOCHOSTUIFLAG_SCROLL_NO);
  return window;
}

void PopupBrowserHost::OnDocumentComplete(bool topLevel, const std::string&) {
  // A frame's document is not the page: its title would start the slide too early.
  if (!topLevel) return;
  if (!pane_) GuardBrowserPane();
  pageLoaded_ = true;
  const std::string title = DocumentTitle();
  SendMessageA(popup_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title.c_str()));
}

void PopupBrowserHost::OnBrowserEvent(DISPID id, DISPPARAMS*) {
  switch (id) {
    case DISPID_NEWWINDOW2:
      if (pageLoaded_) PostMessageA(popup_, WM_POPUP_LINK_CLICKED, 0, 0);
      break;
    case DISPID_ONQUIT:
      pageLoaded_ = false;
      break;
    default:
      // BeforeNavigate2 and the rest change nothing: the sink stays connected to the browser, or
      // the page's completion would never arrive.
      break;
  }
}

void PopupBrowserHost::GuardBrowserPane() {
  HWND view = FindWindowExA(Handle(), nullptr, "Shell Embedding", nullptr);
  view = FindWindowExA(view ? view : Handle(), nullptr, "Shell DocObject View", nullptr);
  HWND server = view ? FindWindowExA(view, nullptr, "Internet Explorer_Server", nullptr) : nullptr;
  if (!server) return;
  auto guard = std::make_unique<PaneGuard>(pageLoaded_);
  if (guard->Subclass(server)) pane_ = std::move(guard);
}

std::string PopupBrowserHost::DocumentTitle() const {
  ComPtr<IHTMLDocument2> document = ComPtr<IHTMLDocument2>::Attach(GetDocument());
  BStr title;
  if (!document || FAILED(document->get_title(title.Out()))) return {};
  return title.ToGbk();
}

}  // namespace mb
