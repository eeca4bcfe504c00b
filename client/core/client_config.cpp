#include "client/core/client_config.h"

#include <cstdint>
#include <cstring>
#include <memory>

#include "client/core/skin_switch.h"
#include "common/atomic_file.h"
#include "common/gbk_text.h"
#include "common/sdom_doc.h"
#include "common/value_quoting.h"

namespace mb {

namespace {

const char kConfFile[] = "conf.dat";
const char kLayoutFlagFile[] = "usetwocolumn.flag";
const char kWallpaperListFile[] = "wallpaper.dat";
const char kDownloadInfoFile[] = "downloadinfo.res";
const int kDefaultLayout = 2;

class ConfWriter {
 public:
  void Section(const char* name, bool blankBefore) {
    if (blankBefore) text_ += "\r\n";
    text_ += "[";
    text_ += name;
    text_ += "]\r\n";
  }
  // Texts stand as they are; the account list arrives already quoted.
  void Text(const char* key, std::string_view value) {
    text_ += key;
    text_ += '=';
    text_ += ConfigLineText(value);
    text_ += "\r\n";
  }
  void Int(const char* key, int value) { Text(key, std::to_string(value)); }
  void Unsigned(const char* key, int value) { Text(key, std::to_string(static_cast<std::uint32_t>(value))); }
  const std::string& Result() const { return text_; }

 private:
  std::string text_;
};

std::string FormatAccountList(const std::vector<SavedAccount>& accounts) {
  std::string list;
  for (const SavedAccount& account : accounts) {
    if (!list.empty()) list += ',';
    list += QuoteConfigValue(account.user + "::" + account.passwordHex + "::" +
                             (account.firstFlag ? "1" : "0") + "::" +
                             (account.rememberPassword ? "1" : "0"));
  }
  return list;
}

std::vector<SavedAccount> ParseAccountList(const std::string& value) {
  std::vector<SavedAccount> accounts;
  for (const std::string& item : SplitQuotedList(value)) {
    std::vector<std::string> parts = GbkSplit(item, "::");
    if (parts.size() != 4) continue;
    accounts.push_back({parts[0], parts[1], parts[2] == "1" ? 1 : 0, parts[3] == "1" ? 1 : 0});
  }
  return accounts;
}

// A present key sets the member; a missing one gives fallback.
void ReadIntOr(const SDOMDocSection& section, const char* key, int& member, int fallback) {
  if (!section.GetInt(key, member)) member = fallback;
}
void ReadIntIfPresent(const SDOMDocSection& section, const char* key, int& member) {
  int value = 0;
  if (section.GetInt(key, value)) member = value;
}

std::unique_ptr<ClientConfig>& Instance() {
  static std::unique_ptr<ClientConfig> instance;
  return instance;
}

}  // namespace

ClientConfig::ClientConfig(const ClientLocation& location) {
  homeAddress = location.siteRoot;
  programFolder = location.programFolder;
  ReadSkinLayout();
  downloadPath = programFolder + "wallpaper\\";
  wallpaperPagePath = downloadPath + "wallpaper.html";
  SetServiceUrlDefaults(location.siteRoot);
  LoadClientConfig();
  std::vector<std::string> paths;
  LoadWallpaperList(FilePath(kWallpaperListFile), paths);
  wallpapers.SetPaths(std::move(paths));
  LoadDownloadInfo(FilePath(kDownloadInfoFile), downloadRecords);
}

ClientConfig::~ClientConfig() { SaveClientConfig(); }

void ClientConfig::ReadSkinLayout() {
  const std::string flagPath = FilePath(kLayoutFlagFile);
  if (!FileExists(flagPath)) {
    WriteFileReplacing(flagPath, LayoutFlagBytes(kDefaultLayout));
    for (const SkinFileCopy& copy : SkinLayoutFiles(kDefaultLayout)) {
      if (std::optional<std::string> content = ReadWholeFile(FilePath(copy.from))) {
        WriteFileReplacing(FilePath(copy.to), *content);
      }
    }
    skinLayout = kDefaultLayout;
    return;
  }
  std::optional<std::string> bytes = ReadWholeFile(flagPath);
  if (bytes && bytes->size() >= 4) {
    std::int32_t layout = 0;
    std::memcpy(&layout, bytes->data(), sizeof layout);
    skinLayout = layout;
  } else {
    skinLayout = kDefaultLayout;
  }
}

void ClientConfig::SetServiceUrlDefaults(const std::string& site) {
  exitUrl = site + "/kivane/exit.jsp";
  registerUrl = site + "/kivane/register.html";
  lostPasswordUrl = site + "/kivane/findpass.html";
  uploadUrl = site + "/kivane/upload.jsp";
  reportUrl.clear();
  updateUrl = site + "/update.jsp";
  advertUrl = site + "/kivane/getad.html";
  popupUrl = site + "/kivane/getmsg.html";
  viewUploadUrl = site + "/kivane/member/nowplist.jsp";
  scoreUrl = site + "/kivane/member/score_msave.jsp";
  loginPageUrl = site + "/kivane/login.jsp";
  static const char* const kByLayout[3][3] = {
      {"/kivane/top10.html", "/kivane/search.html", "/kivane/member/usermodi.jsp"},
      {"/kivane/top10_2.html", "/kivane/search2.html", "/kivane/member2/usermodi.jsp"},
      {"/kivane/top10_3.html", "/kivane/search3.html", "/kivane/member3/usermodi.jsp"},
  };
  if (skinLayout >= 1 && skinLayout <= 3) {
    hotListUrl = site + kByLayout[skinLayout - 1][0];
    searchUrl = site + kByLayout[skinLayout - 1][1];
    manageUrl = site + kByLayout[skinLayout - 1][2];
  } else {
    hotListUrl.clear();
    searchUrl.clear();
    manageUrl.clear();
  }
}

bool ClientConfig::LoadClientConfig() {
  const std::string path = FilePath(kConfFile);
  SDOMDoc doc;
  if (!doc.Parse(path)) {
    // A file that exists but cannot be read is kept aside, so the save at exit cannot lose it.
    if (FileExists(path)) KeepAsideUnreadable(path);
    return false;
  }

  if (SDOMDocSection s = doc.FindSection("USER"); s.IsValid()) {
    s.GetString("user", user);
    SetSharedText(&ClientConfig::sessionUser, user);
    int playTime = 0;
    if (s.GetInt("wallpaperplaytime", playTime) && playTime != 0) wallpaperPlayTime = playTime;
    ReadIntOr(s, "windowstart", startWithWindows, 0);
    ReadIntOr(s, "autostart", autoLogin, 0);
    ReadIntOr(s, "savepass", savePassword, 0);
    ReadIntOr(s, "enabletip", enableTip, 0);
    ReadIntOr(s, "hideicon", hideIcon, 0);
    ReadIntOr(s, "showfloatwindow", showFloatWindow, 0);
    s.GetString("confver", confVersion);
    ReadIntOr(s, "wallpaperapply", wallpaperApply, 0);
    ReadIntOr(s, "register", registerPending, 0);
    ReadIntIfPresent(s, "min", minutes);
    ReadIntIfPresent(s, "sec", seconds);
    int index = 0;
    if (s.GetInt("currwallpaper", index)) wallpapers.SetCurrentIndex(index);
    ReadIntOr(s, "isfirstrun", isFirstRun, 1);
    std::string list;
    s.GetString("userlist", list);
    accounts = ParseAccountList(list);
  }
  if (SDOMDocSection s = doc.FindSection("GUI"); s.IsValid()) {
    ReadIntOr(s, "frameleft", frame.left, 0);
    ReadIntOr(s, "frameright", frame.right, 0);
    ReadIntOr(s, "frametop", frame.top, 0);
    ReadIntOr(s, "framebottom", frame.bottom, 0);
    ReadIntIfPresent(s, "floatwindowposition", floatWindowPosition);
  }
  if (SDOMDocSection s = doc.FindSection("CLIENTID"); s.IsValid()) {
    s.GetString("cid", cid);
    loadedClientId = cid;
  }
  if (SDOMDocSection s = doc.FindSection("LINKLIST"); s.IsValid()) {
    // A skin switch reloads while workers read these addresses: each is replaced under the lock.
    const std::pair<const char*, std::string ClientConfig::*> urls[] = {
        {"registerurl", &ClientConfig::registerUrl}, {"lostpasswdurl", &ClientConfig::lostPasswordUrl},
        {"hotlisturl", &ClientConfig::hotListUrl},   {"searchurl", &ClientConfig::searchUrl},
        {"uploadurl", &ClientConfig::uploadUrl},     {"reporturl", &ClientConfig::reportUrl},
        {"updateurl", &ClientConfig::updateUrl},     {"manageurl", &ClientConfig::manageUrl},
        {"viewuploadurl", &ClientConfig::viewUploadUrl},
    };
    for (auto& [key, member] : urls) {
      std::string value;
      if (s.GetString(key, value) && !value.empty()) SetSharedText(member, std::move(value));
    }
  }
  return true;
}

std::string ClientConfig::FormatConfDat() const {
  return FormatConfDatWith({frame, floatWindowPosition, hotListUrl, searchUrl, manageUrl});
}

std::string ClientConfig::FormatConfDatForLayout(std::string_view layoutConf) const {
  LayoutValues layout{frame, floatWindowPosition, hotListUrl, searchUrl, manageUrl};
  SDOMDoc doc;
  if (doc.ParseText(layoutConf)) {
    if (SDOMDocSection s = doc.FindSection("GUI"); s.IsValid()) {
      ReadIntIfPresent(s, "frameleft", layout.frame.left);
      ReadIntIfPresent(s, "frameright", layout.frame.right);
      ReadIntIfPresent(s, "frametop", layout.frame.top);
      ReadIntIfPresent(s, "framebottom", layout.frame.bottom);
      ReadIntIfPresent(s, "floatwindowposition", layout.floatWindowPosition);
    }
    if (SDOMDocSection s = doc.FindSection("LINKLIST"); s.IsValid()) {
      for (auto [key, member] : {std::pair{"hotlisturl", &layout.hotListUrl},
                                 std::pair{"searchurl", &layout.searchUrl},
                                 std::pair{"manageurl", &layout.manageUrl}}) {
        std::string value;
        if (s.GetString(key, value) && !value.empty()) *member = value;
      }
    }
  }
  return FormatConfDatWith(layout);
}

std::string ClientConfig::FormatConfDatWith(const LayoutValues& layout) const {
  ConfWriter w;
  w.Section("USER", false);
  w.Text("user", user);
  w.Int("windowstart", startWithWindows);
  w.Int("register", registerPending);
  w.Int("autostart", autoLogin);
  w.Int("savepass", savePassword);
  w.Int("enabletip", enableTip);
  w.Int("hideicon", hideIcon);
  w.Int("showfloatwindow", showFloatWindow);
  w.Text("confver", confVersion);
  w.Text("downloadPath", downloadPath);
  w.Int("min", minutes);
  w.Int("sec", seconds);
  w.Int("currwallpaper", wallpapers.CurrentIndex());
  w.Int("wallpaperplaytime", wallpaperPlayTime);
  w.Int("wallpaperapply", wallpaperApply);
  w.Int("isfirstrun", isFirstRun);
  if (!accounts.empty()) w.Text("userlist", FormatAccountList(accounts));

  w.Section("GUI", true);
  w.Int("frameleft", layout.frame.left);
  w.Int("frameright", layout.frame.right);
  w.Int("frametop", layout.frame.top);
  w.Int("framebottom", layout.frame.bottom);
  w.Unsigned("floatwindowposition", layout.floatWindowPosition);

  w.Section("CLIENTID", true);
  w.Text("cid", cid);

  w.Section("LINKLIST", true);
  w.Text("registerurl", registerUrl);
  w.Text("lostpasswdurl", lostPasswordUrl);
  w.Text("hotlisturl", layout.hotListUrl);
  w.Text("searchurl", layout.searchUrl);
  w.Text("uploadurl", uploadUrl);
  w.Text("reporturl", reportUrl);
  w.Text("updateurl", updateUrl);
  w.Text("manageurl", layout.manageUrl);
  w.Text("viewuploadurl", viewUploadUrl);
  return w.Result();
}

bool ClientConfig::SaveClientConfig() {
  const bool saved = WriteFileReplacing(FilePath(kConfFile), FormatConfDat());
  SaveWallpaperList();
  return saved;
}

bool ClientConfig::SaveWallpaperList() {
  return mb::SaveWallpaperList(FilePath(kWallpaperListFile), wallpapers.Paths());
}

void ClientConfig::SaveAccount(const std::string& accountUser, const std::string& passwordHex,
                               int firstFlag, int rememberPassword) {
  if (accountUser.empty()) return;
  for (auto it = accounts.begin(); it != accounts.end(); ++it) {
    if (it->user == accountUser) {
      accounts.erase(it);
      break;
    }
  }
  accounts.push_back({accountUser, passwordHex, firstFlag, rememberPassword});
  autoLogin = firstFlag;
  SaveClientConfig();
}

bool ClientConfig::AddDownloadRecord(const DownloadRecord& record) {
  std::lock_guard<std::mutex> hold(recordLock_);
  downloadRecords.push_back(record);
  return AppendDownloadInfo(DownloadInfoPath(), record);
}

std::vector<DownloadRecord> ClientConfig::DownloadRecords() const {
  std::lock_guard<std::mutex> hold(recordLock_);
  return downloadRecords;
}

std::string ClientConfig::DownloadInfoPath() const { return FilePath(kDownloadInfoFile); }

std::string ClientConfig::SharedText(const std::string ClientConfig::*member) const {
  std::lock_guard<std::mutex> hold(textLock_);
  return this->*member;
}

void ClientConfig::SetSharedText(std::string ClientConfig::*member, std::string value) {
  std::lock_guard<std::mutex> hold(textLock_);
  this->*member = std::move(value);
}

bool CreateClientConfig(const ClientLocation& location) {
  Instance() = std::make_unique<ClientConfig>(location);
  return true;
}

void DestroyClientConfig() { Instance().reset(); }

ClientConfig* GetClientConfig() { return Instance().get(); }

}  // namespace mb
