// TrayMenu: the skinned popup window that the tray icon's right click opens. Its items open the
// main window's pages, switch the float window, log in or out, switch the skin, open two pages
// of the service and end the client. It is made with the tray icon, shown and hidden, and
// destroyed with the icon at exit.
#pragma once

#include <windows.h>

#include "client/core/tray_menu_geometry.h"
#include "client/ui/skin/win/skin_element_host.h"
#include "framework/window.h"

namespace mb {

// The main window as the tray menu drives it.
class TrayMenuTarget {
 public:
  virtual ~TrayMenuTarget() = default;
  // The main window; null while there is none.
  virtual HWND Window() const = 0;
  // Skin 1: the page through the main window's tab command (20000-20005); it refuses pages
  // that need a login.
  virtual void ShowTabFromTray(int tabCommand) = 0;
  // Skins 2 and 3: the top-left corner of a tab-bar element (10000-10005), client coordinates.
  virtual bool TabElementOrigin(int elementId, POINT& topLeft) const = 0;
  // After a logout: the pages that need a login go back to their logged-out state.
  virtual void ResetPagesAfterLogin() = 0;
};

// Menu items and commands.
enum TrayMenuCommand : int {
  kTrayClose = 20006,
  kTrayMinimise = 20007,
  kTrayDownloadPage = 20300,
  kTrayUploadPage = 20301,
  kTrayFloatWindow = 20302,
  kTrayWallpaperPage = 20303,
  kTrayRankingPage = 20304,
  kTraySettingsPage = 20305,
  kTrayPersonalPage = 20306,
  kTrayHelp = 20307,
  kTrayHomePage = 20308,
  kTrayLogin = 20309,
  kTrayExit = 20310,
  kTraySkinMenu = 20311,
  kTraySkinLayout2 = 32821,
  kTraySkinLayout3 = 32823,
};

class TrayMenu : public fw::Window {
 public:
  // target may be null (no main window yet); it must outlive the menu.
  TrayMenu(int skinLayout, TrayMenuTarget* target);
  ~TrayMenu() override;

  // Makes the hidden window from the skin's "tray_menu" picture; false without the picture.
  bool CreateMenuWindow();
  void DestroyMenuWindow();
  // Opens the menu at the cursor.
  void ShowAtCursor();
  void Hide();

  int SkinLayout() const { return layout_; }
  std::string ItemText(int id) const;

  // The menu's rectangle for a cursor position (screen coordinates).
  static MenuRect PlaceAt(POINT cursor, SIZE image);

 private:
  LRESULT OnEraseBackground(const fw::Message& m);
  LRESULT OnMouse(const fw::Message& m);
  LRESULT OnButtonDown(const fw::Message& m);
  LRESULT OnHideMessage(const fw::Message& m);
  LRESULT OnActivateApp(const fw::Message& m);
  LRESULT OnSwallow(const fw::Message& m);
  LRESULT OnLoginStateChanged(const fw::Message& m);
  fw::WindowClassSpec ClassSpec() const override;

  void ShowPage(int tabCommand, int elementId);
  void ToggleFloatWindow();
  void LogInOrOut();
  void ShowSkinMenu();
  void SwitchSkin(int layout);
  void ShowLoginLabel(bool loggedIn);

  int layout_;
  TrayMenuTarget* target_;
  skin::SkinElementHost host_;
  SIZE image_ = {};
  int shownPageElement_ = 0;
};

}  // namespace mb
