#include "settings/win/stored_settings.h"

#include <windows.h>

#include "conf/win/config.h"
#include "framework/module.h"

namespace mb::settings {

SettingsValues StoredSettings() {
  const CConfig& config = *CConfig::GetConfig();
  SettingsValues values;
  values.general = {config.GetAutoLogin() != 0, config.GetRecordPW() != 0, config.GetTray() != 0,
                    config.GetExitTip() != 0};
  BrowseValues& browse = values.browse;
  browse.report = config.GetDefaultListView() != 0;
  browse.fileName = config.GetShowFileName() != 0;
  browse.filePath = config.GetShowFilePath() != 0;
  browse.fileSize = config.GetShowFileSize() != 0;
  browse.imageSize = config.GetShowImageSize() != 0;
  browse.source = config.GetShowImageSource() != 0;
  browse.category = config.GetShowFileType() != 0;
  browse.title = config.GetShowTitle() != 0;
  browse.pk = config.GetShowPK() != 0;
  browse.remark = config.GetShowRemark() != 0;
  values.range = {config.GetShowOperateDialog() != 0, config.GetOperateHighlight() != 0};
  return values;
}

namespace {

void Write(CConfig& config, const SettingsValues& values, SettingsPage page) {
  switch (page) {
    case SettingsPage::kGeneral:
      config.SetAutoLogin(values.general.autoLogin);
      config.SetRecordPW(values.general.recordPassword);
      config.SetTray(values.general.hideToTray);
      config.SetExitTip(values.general.exitTip);
      break;
    case SettingsPage::kBrowse: {
      const BrowseValues& browse = values.browse;
      config.SetDefaultListView(browse.report);
      config.SetListView(browse.report);
      config.SetShowFileName(browse.fileName);
      config.SetShowFilePath(browse.filePath);
      config.SetShowImageSize(browse.imageSize);
      config.SetShowImageSource(browse.source);
      config.SetShowPK(browse.pk);
      config.SetShowTitle(browse.title);
      config.SetShowFileSize(browse.fileSize);
      config.SetShowRemark(browse.remark);
      config.SetShowFileType(browse.category);
      break;
    }
    case SettingsPage::kOperationRange:
      config.SetShowOperateDialog(values.range.showRangeDialog);
      config.SetOperateHighlight(values.range.highlightedOnly);
      break;
  }
}

}  // namespace

void CarryOut(const ApplyPlan& plan) {
  CConfig& config = *CConfig::GetConfig();
  for (SettingsPage page : plan.applied) Write(config, plan.written, page);
  if (plan.saveConfig) config.Save();
  if (plan.saveUserList) config.SaveUserList();
  HWND main = fw::Module::MainWindow();
  if (!main) return;
  for (const MainWindowMessage& message : plan.toMainWindow) SendMessageA(main, message.message, message.wParam, 0);
}

}  // namespace mb::settings
