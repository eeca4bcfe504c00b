// CConfig: the one object that holds the batch uploader's settings and the view state that the
// uploader, the list control, the settings dialog and the upload engine share. Reached through
// CConfig::GetConfig; built on first use, saved to config.dat at process exit.
//
// The engine's threads read the engine message window, the first-block flag and the default user
// name while a run lasts; those three are safe to read from any thread. Everything else belongs to
// the user-interface thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "conf/core/config_file.h"
#include "conf/core/data_lists.h"
#include "conf/core/user_list_file.h"
#include "conf/win/conf_api.h"

class MB_CONF_API CConfig {
 public:
  static CConfig* GetConfig();
  virtual ~CConfig();
  CConfig(const CConfig&) = delete;
  CConfig& operator=(const CConfig&) = delete;

  // config.dat in the library's folder. A file that does not parse is kept aside as config.dat.bad.
  void Load();
  bool Save();

  // Shared with the upload engine.
  HWND GetEngineMsgWnd() const { return engineMsgWnd_.load(); }
  void SetEngineMsgWnd(HWND window) { engineMsgWnd_.store(window); }
  int GetFirstBlockFlag() const { return firstBlock_.load(); }
  void SetFirstBlockFlag(int value) { firstBlock_.store(value); }
  std::string GetDefaultUserName() const;
  void SetDefaultUserName(const std::string& name);

  // Uploader state.
  int GetSettingsEdited() const { return settingsEdited_; }
  void SetSettingsEdited(int value) { settingsEdited_ = value; }
  int GetChanged() const { return changed_; }
  void SetChanged(int value) { changed_ = value; }
  const std::string& GetSpareText() const { return spareText_; }
  void SetSpareText(const std::string& text) { spareText_ = text; }
  // Five words kept for the uploader and the list control (index 0-4).
  int GetUploaderWord(int index) const;
  void SetUploaderWord(int index, int value);
  int GetOpenAtBrowse() const { return openAtBrowse_; }
  void SetOpenAtBrowse(int value) { openAtBrowse_ = value; }
  int GetUploading() const { return uploading_; }
  void SetUploading(int value) { uploading_ = value; }
  int GetSpareWord() const { return spareWord_; }
  void SetSpareWord(int value) { spareWord_ = value; }
  int GetInfoPaneShown() const { return infoPaneShown_; }
  void SetInfoPaneShown(int value) { infoPaneShown_ = value; }
  int GetSettingsPaneShown() const { return settingsPaneShown_; }
  void SetSettingsPaneShown(int value) { settingsPaneShown_ = value; }
  int GetLogin() const { return login_; }
  void SetLogin(int value) { login_ = value; }
  const std::string& GetStoredPassword() const { return storedPassword_; }
  void SetStoredPassword(const std::string& text) { storedPassword_ = text; }
  int GetAutoLogin() const { return autoLogin_; }
  void SetAutoLogin(int value) { autoLogin_ = value; }
  int GetRecordPW() const { return recordPw_; }
  void SetRecordPW(int value) { recordPw_ = value; }
  int GetFullScreenEdit() const { return fullScreenEdit_; }
  void SetFullScreenEdit(int value) { fullScreenEdit_ = value; }
  int IsShowFloatWnd() const { return floatWndShown_; }
  void ShowFloatWnd(int value) { floatWndShown_ = value; }
  // The picture editor's operations panel open (1) or closed, and the watermark opacity; kept
  // for the process only, not in config.dat.
  int GetEditPanelOpen() const { return editPanelOpen_; }
  void SetEditPanelOpen(int value) { editPanelOpen_ = value; }
  unsigned char GetWatermarkOpacity() const { return watermarkOpacity_; }
  void SetWatermarkOpacity(unsigned char value) { watermarkOpacity_ = value; }
  // The list control's redirect flag; nothing sets it.
  int GetRedirect() const { return 0; }

  // Settings kept in config.dat.
  int GetOperateHighlight() const { return file_.operateHighlight; }
  void SetOperateHighlight(int value) { file_.operateHighlight = value; }
  int GetShowOperateDialog() const { return file_.showOperateDialog; }
  void SetShowOperateDialog(int value) { file_.showOperateDialog = value; }
  int GetTray() const { return file_.hideToTray; }
  void SetTray(int value) { file_.hideToTray = value; }
  int GetExitTip() const { return file_.exitTip; }
  void SetExitTip(int value) { file_.exitTip = value; }
  // Both return the saved view mode (1 report, 0 thumbnails).
  int GetListView() const { return file_.defaultListView; }
  int GetDefaultListView() const { return file_.defaultListView; }
  void SetListView(int value) { listView_ = file_.defaultListView = value; }
  void SetDefaultListView(int value) { file_.defaultListView = value; }
  int GetClassifyVersion() const { return file_.classifyVersion; }
  void SetClassifyVersion(int value) { file_.classifyVersion = value; }
  int GetActiveVersion() const { return file_.activeVersion; }
  void SetActiveVersion(int value) { file_.activeVersion = value; }
  int GetThemeVersion() const { return file_.themeVersion; }
  void SetThemeVersion(int value) { file_.themeVersion = value; }
  int GetOpenHostRun() const { return file_.openHostRun; }
  void SetOpenHostRun(int value) { file_.openHostRun = value; }
  int GetShowGridLine() const { return file_.showGridLine; }
  void SetShowGridLine(int value) { file_.showGridLine = value; }
  int GetShowFileName() const { return file_.showFileName; }
  void SetShowFileName(int value) { file_.showFileName = value; }
  int GetShowFilePath() const { return file_.showFilePath; }
  void SetShowFilePath(int value) { file_.showFilePath = value; }
  int GetShowFileSize() const { return file_.showFileSize; }
  void SetShowFileSize(int value) { file_.showFileSize = value; }
  int GetShowImageSize() const { return file_.showImageSize; }
  void SetShowImageSize(int value) { file_.showImageSize = value; }
  int GetShowTitle() const { return file_.showTitle; }
  void SetShowTitle(int value) { file_.showTitle = value; }
  int GetShowRemark() const { return file_.showRemark; }
  void SetShowRemark(int value) { file_.showRemark = value; }
  int GetShowFileType() const { return file_.showFileType; }
  void SetShowFileType(int value) { file_.showFileType = value; }
  int GetShowImageSource() const { return file_.showImageSource; }
  void SetShowImageSource(int value) { file_.showImageSource = value; }
  int GetShowPK() const { return file_.showPk; }
  void SetShowPK(int value) { file_.showPk = value; }

  // The user list (userlist.dat). Passwords given and returned here are plain text; the file
  // keeps them enciphered.
  void LoadUserList();
  bool SaveUserList();
  // Every entry of the name gets the stored password text (a new name is appended); then saved.
  void AddUserInfo(const std::string& name, const std::string& storedPassword);
  // The user becomes the default user; an empty password is stored as empty.
  void SetCurrentUserInfo(const std::string& name, const std::string& password);
  std::string GetDefaultPassword() const;
  // The password remembered for that user, or empty.
  std::string GetPassword(const std::string& name) const;
  // Adds the names of the list that the combo box does not hold yet, in list order.
  void AddUserNameToCombo(HWND combo) const;

  // Data lists: categories, actives and themes from their files, albums from the service.
  void LoadClassify();
  void LoadActives();
  void LoadThemes();
  void LoadSpecialList(const std::string& number, const std::string& name);
  void EmptySpecialList();
  void GetActives(std::vector<std::string>& names) const;
  void GetThemes(std::vector<std::string>& names) const;
  void GetSpecialList(std::vector<std::string>& names) const;
  // Categories whose parent is exactly parentName ("NULL" lists the top level).
  void GetTopClass(std::vector<std::string>& names, const std::string& parentName) const;
  std::string GetClass(int id) const;
  int GetType(const std::string& name) const;        // 1 when no category has the name
  int GetActiveType(const std::string& name) const;  // 1 when none
  int GetThemeType(const std::string& name) const;   // 1 when none
  int GetSpecialNum(const std::string& name) const;  // 0 when none
  std::string GetSpecialName(int id) const;
  int IsExistsSpecial(const std::string& name) const;

  // Paths and shell operations.
  std::string GetProgramPath() const;
  std::string GetDefaultFrameFilePath(std::string& out) const;
  std::string GetDefaultAdFilePath(std::string& out) const;
  std::string GetWatermarkFilePath() const { return std::string(); }
  bool isFileExist(const char* path) const;
  int IsWin98() const;
  std::string GetStartMenuPath() const;
  int CreateLink(int create);
  int CreateProgramLink(const char* target, const char* shortcut);

 private:
  CConfig();
  // The library's folder with a trailing backslash, followed by name.
  std::string GetConfigFilePath(const char* name) const;
  // The user list as userlist.dat keeps it.
  mb::conf::UserListValues UserListNow() const;

  int settingsEdited_ = 0;
  int changed_ = 0;
  std::string spareText_;
  std::atomic<int> firstBlock_{0};
  int uploaderWords_[5] = {};
  int openAtBrowse_ = 0;
  int uploading_ = 0;
  int spareWord_ = 0;
  int infoPaneShown_ = 1;
  int settingsPaneShown_ = 1;
  std::atomic<HWND> engineMsgWnd_{nullptr};
  int login_ = 1;
  mutable std::mutex userMutex_;  // guards the user name inside file_
  std::string storedPassword_;
  int autoLogin_ = 1;
  int recordPw_ = 1;
  int fullScreenEdit_ = 0;
  int editPanelOpen_ = 1;
  unsigned char watermarkOpacity_ = 128;
  int floatWndShown_ = 1;
  int listView_ = 0;
  mb::conf::ConfigFileValues file_;
  std::vector<mb::conf::UserEntry> users_;
  mb::conf::CategoryList categories_;
  mb::conf::NamedList actives_{1};
  mb::conf::NamedList themes_{1};
  mb::conf::NamedList albums_{0};
};
