#include "settings/win/select_column_dlg.h"

#include "settings/win/set_resource.h"

namespace {

// Each column box and the value it stands for.
struct ColumnBox {
  int id;
  bool mb::settings::BrowseValues::*value;
};

const ColumnBox kColumnBoxes[] = {
    {IDC_COLUMN_FILE_NAME, &mb::settings::BrowseValues::fileName},
    {IDC_COLUMN_FILE_PATH, &mb::settings::BrowseValues::filePath},
    {IDC_COLUMN_FILE_SIZE, &mb::settings::BrowseValues::fileSize},
    {IDC_COLUMN_IMAGE_SIZE, &mb::settings::BrowseValues::imageSize},
    {IDC_COLUMN_SOURCE, &mb::settings::BrowseValues::source},
    {IDC_COLUMN_CATEGORY, &mb::settings::BrowseValues::category},
    {IDC_COLUMN_TITLE, &mb::settings::BrowseValues::title},
    {IDC_COLUMN_PK, &mb::settings::BrowseValues::pk},
    {IDC_COLUMN_REMARK, &mb::settings::BrowseValues::remark},
};

}  // namespace

CSelectColumnDlg::CSelectColumnDlg() : SettingsPageDialog(IDD_SELECT_COLUMN, {IDC_COLUMN_GROUP, IDC_VIEW_GROUP}) {
  Command(IDC_VIEW_THUMBNAILS, &CSelectColumnDlg::OnThumbnails);
  Command(IDC_VIEW_REPORT, &CSelectColumnDlg::OnReport);
}

void CSelectColumnDlg::ShowValues(const mb::settings::SettingsValues& stored) {
  ChooseView(stored.browse.report);
  for (const ColumnBox& box : kColumnBoxes) Check(box.id, stored.browse.*box.value);
  EnableWindow(Item(IDC_COLUMN_FILE_NAME), FALSE);
}

void CSelectColumnDlg::ReadValues(mb::settings::SettingsValues& boxes) const {
  boxes.browse.report = Checked(IDC_VIEW_REPORT);
  for (const ColumnBox& box : kColumnBoxes) boxes.browse.*box.value = Checked(box.id);
}

void CSelectColumnDlg::ChooseView(bool report) const {
  Check(IDC_VIEW_REPORT, report);
  Check(IDC_VIEW_THUMBNAILS, !report);
}
