// ClientConfig: the client's one configuration and state object. It holds the settings kept in
// conf.dat, the service addresses, the saved accounts, the session state of the login, the skin
// layout and the picture lists. Every window and worker reaches it through GetClientConfig().
#pragma once

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "client/core/client_data_files.h"
#include "client/core/wallpaper_list.h"

namespace mb {

struct SavedAccount {
  std::string user;
  std::string passwordHex;  // empty, or the enciphered password as lower-case hex
  int firstFlag = 1;
  int rememberPassword = 0;
};

struct UploadSort {
  int id = 0;
  std::string name;
};

struct FrameRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// Where the client lives and which service it talks to; fixed for the life of the process.
struct ClientLocation {
  std::string programFolder;  // with its trailing separator
  std::string siteRoot;       // e.g. "http://host:port", no trailing slash
};

class ClientConfig {
 public:
  explicit ClientConfig(const ClientLocation& location);
  ~ClientConfig();  // writes conf.dat
  ClientConfig(const ClientConfig&) = delete;
  ClientConfig& operator=(const ClientConfig&) = delete;

  bool LoadClientConfig();
  bool SaveClientConfig();
  // wallpaper.dat from the wallpaper list, replacing the file.
  bool SaveWallpaperList();
  // conf.dat exactly as SaveClientConfig writes it.
  std::string FormatConfDat() const;
  // conf.dat with the values that belong to a skin layout (the [GUI] values and the layout's
  // page addresses) taken from that layout's conf text where it has them; the member's
  // accounts and settings stay.
  std::string FormatConfDatForLayout(std::string_view layoutConf) const;

  // A finished download: one record appended to downloadinfo.res and kept in downloadRecords,
  // both under the record lock, so downloads that end on two pages at once never mix their
  // writes. False when the file could not be written (the record is kept all the same).
  bool AddDownloadRecord(const DownloadRecord& record);
  // A copy of the records, taken under the record lock.
  std::vector<DownloadRecord> DownloadRecords() const;
  std::string DownloadInfoPath() const;

  void SaveAccount(const std::string& user, const std::string& passwordHex, int firstFlag,
                   int rememberPassword);

  // Texts that worker threads read while the user-interface thread may replace them, or that a
  // worker replaces (service addresses, the home address, the top-list label, the session user),
  // are read and written through these two, under the configuration's text lock.
  std::string SharedText(const std::string ClientConfig::*member) const;
  void SetSharedText(std::string ClientConfig::*member, std::string value);

  std::string GetSearchUrl() const { return SharedText(&ClientConfig::searchUrl); }
  std::string GetCurrentUserName() const { return SharedText(&ClientConfig::sessionUser); }
  std::string FilePath(const std::string& name) const { return programFolder + name; }

  // Session and window state.
  std::string topListLabel;
  std::string homeAddress;
  int mainWindowShown = 0;
  int uploaderRunning = 0;
  int rankingRead = 0;
  void* trayMenuWindow = nullptr;  // HWND of the skinned tray menu
  std::string programFolder;
  std::string downloadPath;
  std::string exitUrl;
  int listFailed = 0;

  // Settings of the [USER] section.
  int autoLogin = 0;       // autostart
  int savePassword = 0;    // savepass
  int startWithWindows = 0;  // windowstart
  int enableTip = 1;
  int showFloatWindow = 1;
  int hideIcon = 0;
  int loginRunning = 0;
  int floatWindowPosition = -1;
  int linkDialogBusy = 0;
  int wallpaperApply = 0;
  std::string user;
  std::string cid = "1";
  std::vector<SavedAccount> accounts;
  int adTime = 1800;
  int skinLayout = 2;
  int wallpaperPlayTime = 300;

  // Service addresses.
  std::string registerUrl, lostPasswordUrl, hotListUrl, searchUrl, uploadUrl, reportUrl, updateUrl,
      manageUrl, advertUrl, popupUrl, viewUploadUrl, noticePageUrl, scoreUrl, loginPageUrl;
  std::string confVersion = "1";
  std::string clientVersion = "1";

  FrameRect frame;
  int isFirstRun = 1;
  int minutes = 15;
  int seconds = 0;
  // The carousel's pictures and its current index ([currwallpaper]), shared with the player
  // thread.
  WallpaperList wallpapers;
  std::string wallpaperPagePath;
  int uploadSizeLimitKb = 2048;
  int uploadMinWidth = 1024;
  int uploadMinHeight = 768;
  std::vector<std::string> categoryFolderNames;
  std::vector<UploadSort> uploadSorts;
  std::vector<DownloadRecord> downloadRecords;  // loaded at start; later only under the record lock
  int popupRefreshInterval = 1800;
  int loggedIn = 0;
  std::string sessionUser;
  std::string loadedClientId;
  int registerPending = 0;  // register

 private:
  struct LayoutValues {
    FrameRect frame;
    int floatWindowPosition;
    std::string hotListUrl, searchUrl, manageUrl;
  };
  std::string FormatConfDatWith(const LayoutValues& layout) const;

  mutable std::mutex textLock_;
  mutable std::mutex recordLock_;

  void ReadSkinLayout();
  void SetServiceUrlDefaults(const std::string& siteRoot);
};

// The process's one instance (null before CreateClientConfig and after DestroyClientConfig).
bool CreateClientConfig(const ClientLocation& location);
void DestroyClientConfig();
ClientConfig* GetClientConfig();

}  // namespace mb
