#include "settings/core/settings_apply.h"

#include <algorithm>

namespace mb::settings {

bool ShownPages::Show(SettingsPage page) {
  if (WasShown(page)) return false;
  pages_.push_back(page);
  return true;
}

bool ShownPages::WasShown(SettingsPage page) const {
  return std::find(pages_.begin(), pages_.end(), page) != pages_.end();
}

ApplyPlan PlanApply(const SettingsValues& stored, const SettingsValues& boxes,
                    const std::vector<SettingsPage>& pages) {
  ApplyPlan plan;
  plan.applied = pages;
  plan.written = stored;
  for (SettingsPage page : pages) {
    switch (page) {
      case SettingsPage::kGeneral:
        plan.written.general = boxes.general;
        plan.saveConfig = plan.saveUserList = true;
        break;
      case SettingsPage::kOperationRange:
        plan.written.range = boxes.range;
        plan.saveConfig = true;
        break;
      case SettingsPage::kBrowse: {
        BrowseValues& browse = plan.written.browse;
        browse = boxes.browse;
        browse.fileName = stored.browse.fileName;
        browse.pk = stored.browse.pk;
        plan.saveConfig = plan.saveUserList = true;
        if (browse.report) {
          plan.toMainWindow.push_back({kCommandMessage, kReportViewCommand});
          plan.toMainWindow.push_back({kRefreshColumnsMessage, 0});
        } else {
          plan.toMainWindow.push_back({kCommandMessage, kThumbnailViewCommand});
        }
        break;
      }
    }
  }
  return plan;
}

}  // namespace mb::settings
