#include "settings/core/settings_apply.h"

#include <gtest/gtest.h>

namespace mb::settings {
namespace {

// Every box the member could change, turned away from the stored values.
SettingsValues Flipped(SettingsValues values) {
  GeneralValues& general = values.general;
  general = {!general.autoLogin, !general.recordPassword, !general.hideToTray, !general.exitTip};
  BrowseValues& browse = values.browse;
  for (bool BrowseValues::*box : {&BrowseValues::report, &BrowseValues::fileName, &BrowseValues::filePath,
                                  &BrowseValues::fileSize, &BrowseValues::imageSize, &BrowseValues::source,
                                  &BrowseValues::category, &BrowseValues::title, &BrowseValues::pk,
                                  &BrowseValues::remark}) {
    browse.*box = !(browse.*box);
  }
  values.range = {!values.range.showRangeDialog, !values.range.highlightedOnly};
  return values;
}

SettingsValues Stored() {
  SettingsValues stored;
  stored.general = {true, true, false, true};
  stored.browse.pk = true;
  stored.browse.title = true;
  stored.range = {true, false};
  return stored;
}

// OK pressed at once applies only the start page: the other pages keep their stored values even
// though their boxes differ, and only the browse page talks to the main window.
TEST(SettingsApply, OnlyThePagesShownInThisRunAreApplied) {
  const SettingsValues stored = Stored(), boxes = Flipped(stored);

  ShownPages atStart;
  EXPECT_TRUE(atStart.Show(SettingsPage::kGeneral));
  ApplyPlan plan = PlanApply(stored, boxes, atStart.Pages());
  EXPECT_EQ(plan.applied, std::vector<SettingsPage>{SettingsPage::kGeneral});
  EXPECT_EQ(plan.written.general.autoLogin, boxes.general.autoLogin);
  EXPECT_EQ(plan.written.general.exitTip, boxes.general.exitTip);
  EXPECT_EQ(plan.written.browse.report, stored.browse.report);
  EXPECT_EQ(plan.written.browse.title, stored.browse.title);
  EXPECT_EQ(plan.written.range.showRangeDialog, stored.range.showRangeDialog);
  EXPECT_TRUE(plan.saveConfig && plan.saveUserList);
  EXPECT_TRUE(plan.toMainWindow.empty());

  // The range page alone saves config.dat only; nothing was shown: nothing happens at all.
  plan = PlanApply(stored, boxes, {SettingsPage::kOperationRange});
  EXPECT_TRUE(plan.saveConfig);
  EXPECT_FALSE(plan.saveUserList);
  EXPECT_EQ(plan.written.range.highlightedOnly, boxes.range.highlightedOnly);
  EXPECT_EQ(plan.written.general.autoLogin, stored.general.autoLogin);
  plan = PlanApply(stored, boxes, ShownPages().Pages());
  EXPECT_FALSE(plan.saveConfig || plan.saveUserList);
  EXPECT_TRUE(plan.toMainWindow.empty());

  // Each page once, in the order first shown.
  ShownPages run;
  EXPECT_TRUE(run.Show(SettingsPage::kBrowse));
  EXPECT_TRUE(run.Show(SettingsPage::kOperationRange));
  EXPECT_FALSE(run.Show(SettingsPage::kBrowse));
  EXPECT_FALSE(run.WasShown(SettingsPage::kGeneral));
  EXPECT_EQ(run.Pages(), (std::vector<SettingsPage>{SettingsPage::kBrowse, SettingsPage::kOperationRange}));
}

// The browse page: the report view asks for the report command and rebuilt columns, thumbnails
// for the thumbnail command; the file name and PK boxes, which the member cannot change, keep
// their stored values while every other column follows its box.
TEST(SettingsApply, BrowsePageSwitchesTheViewAndKeepsTheLockedColumns) {
  const SettingsValues stored = Stored();
  SettingsValues boxes = Flipped(stored);
  boxes.browse.report = true;
  ApplyPlan plan = PlanApply(stored, boxes, {SettingsPage::kBrowse});
  EXPECT_EQ(plan.toMainWindow, (std::vector<MainWindowMessage>{{kCommandMessage, kReportViewCommand},
                                                               {kRefreshColumnsMessage, 0}}));
  EXPECT_TRUE(plan.written.browse.report);
  EXPECT_TRUE(plan.written.browse.pk);
  EXPECT_TRUE(plan.written.browse.fileName);
  EXPECT_FALSE(plan.written.browse.title);
  EXPECT_TRUE(plan.written.browse.filePath && plan.written.browse.remark && plan.written.browse.category);
  EXPECT_EQ(plan.written.general.hideToTray, stored.general.hideToTray);
  EXPECT_TRUE(plan.saveConfig && plan.saveUserList);

  boxes.browse.report = false;
  plan = PlanApply(stored, boxes, {SettingsPage::kBrowse});
  EXPECT_EQ(plan.toMainWindow, (std::vector<MainWindowMessage>{{kCommandMessage, kThumbnailViewCommand}}));
  EXPECT_FALSE(plan.written.browse.report);
}

}  // namespace
}  // namespace mb::settings
