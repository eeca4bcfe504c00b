// CPPHtmlDrawer: measures and paints HTML-subset text on a device context, keeps the hot areas
// of its links, reports hover changes and clicks, and advances animated image strips.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "uibase/html/html_engine.h"
#include "uibase/win/html_gdi_surface.h"

class CPPHtmlDrawer : private mb::html::LinkActions {
 public:
  // How a URL link is opened; the default asks the shell, then the program registered for ".htm".
  using UrlOpener = std::function<void(const std::string& target, int show)>;

  CPPHtmlDrawer();
  ~CPPHtmlDrawer() override;
  CPPHtmlDrawer(const CPPHtmlDrawer&) = delete;
  CPPHtmlDrawer& operator=(const CPPHtmlDrawer&) = delete;

  // The window told (SendMessage, wParam the link number or -2) when the link under the mouse
  // changes.
  void Initialise(HWND hoverWindow, UINT hoverMessage);
  // Clicks on "msg" links: message to window, wParam the link's text, lParam value.
  void SetCallbackHyperlink(HWND window, UINT message, LPARAM value);

  SIZE Prepare(HDC dc, const std::string& text);
  void Draw(HDC dc, const RECT& rect);
  BOOL OnSetCursor(POINT point);
  void OnLButtonDown(POINT point);
  BOOL OnTimer();

  void EnableOutput(BOOL enable);
  void SetDisabledColor(COLORREF colour);
  void SetMaxWidth(int width);

  void SetStyle(const std::string& selector, const std::string& declarations);
  // The declarations of selector, or an empty string.
  std::string GetStyle(const std::string& selector);
  // Null installs the default sheet.
  void SetCssStyles(const char* sheet);

  void SetUrlOpener(UrlOpener opener) { opener_ = std::move(opener); }
  mb::html::HtmlEngine& Engine() { return engine_; }

  // Opens target with the shell, else with the ".htm" program's command line.
  static void OpenUrl(const std::string& target, int show);

 private:
  void HoverChanged(int link) override;
  bool ShowHandCursor() override;
  void OpenUrl(const std::string& target) override;
  void SendLinkMessage(const std::string& text) override;

  zel::GdiResources resources_;
  mb::html::HtmlEngine engine_;
  HWND hoverWindow_ = nullptr;
  UINT hoverMessage_ = 0;
  HWND clickWindow_ = nullptr;
  UINT clickMessage_ = 0;
  LPARAM clickValue_ = 0;
  HCURSOR hand_ = nullptr;
  bool handOwned_ = false;
  UrlOpener opener_;
};
