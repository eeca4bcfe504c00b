#include "settings/win/config_dlg.h"

#include <string>

#include "framework/module.h"
#include "settings/win/dialog_header.h"
#include "settings/win/login_set_dlg.h"
#include "settings/win/rotate_set_dlg1.h"
#include "settings/win/select_column_dlg.h"
#include "settings/win/set_resource.h"

namespace {

struct NodeText {
  const char* name;
  const char* description;
  int image;
};

// In tree order, as the pages are made.
const NodeText kNodes[] = {
    {"常规", "常规设置可以设置墨岚屏客户端运行的默认行为", 0},
    {"图片文件浏览", "图片浏览设置可以设置您浏览图片文件的方式", 1},
    {"图片操作范围", "图片操作范围设置可以设置默认的图片操作对象", 0},
};

constexpr int kTreeIconSize = 24;

}  // namespace

CConfigDlg::CConfigDlg(HWND parent) : CZELDialog(IDD_CONFIG, fw::ThisModule()), parent_(parent) {
  Handle(WM_INITDIALOG, &CConfigDlg::OnInitDialog);
  Notify(IDC_CONFIG_TREE, TVN_SELCHANGEDA, &CConfigDlg::OnSelectionChanged);
  Command(IDOK, &CConfigDlg::OnOK);
}

CConfigDlg::~CConfigDlg() = default;

INT_PTR CConfigDlg::DoModal() {
  shownThisRun_ = mb::settings::ShownPages();
  shownNow_ = -1;
  return CZELDialog::DoModal(parent_);
}

LRESULT CConfigDlg::OnInitDialog(const fw::Message&) {
  okButton_.SubclassDlgItem(IDOK, Handle());
  cancelButton_.SubclassDlgItem(IDCANCEL, Handle());

  header_ = std::make_unique<CZELDialogHeader>();
  if (header_->Create(Handle())) {
    RECT client;
    GetClientRect(Handle(), &client);
    MoveWindow(*header_, 0, 0, client.right, CZELDialogHeader::kHeight, TRUE);
    ShowWindow(*header_, SW_SHOW);
  }
  BuildTree();
  tree_.SelectItem(items_[defaultSet_ == 1 ? 1 : 0]);
  return TRUE;
}

void CConfigDlg::BuildTree() {
  tree_.Subclass(Item(IDC_CONFIG_TREE));
  treeImages_.Create(kTreeIconSize, kTreeIconSize, ILC_COLOR32 | ILC_MASK, 2, 4);
  treeImages_.SetBackground(RGB(255, 255, 255));
  const std::string viewIcon = fw::Module::ProgramFolder() + "Res\\view.ico";
  const HICON icons[] = {
      static_cast<HICON>(LoadImageA(fw::ThisModule(), MAKEINTRESOURCEA(IDI_CONFIG_GENERAL), IMAGE_ICON, kTreeIconSize,
                                    kTreeIconSize, 0)),
      static_cast<HICON>(LoadImageA(nullptr, viewIcon.c_str(), IMAGE_ICON, kTreeIconSize, kTreeIconSize, LR_LOADFROMFILE)),
  };
  for (HICON icon : icons) {
    treeImages_.AddIcon(icon);  // a missing icon leaves its nodes without a picture
    if (icon) DestroyIcon(icon);
  }
  tree_.SetImageList(treeImages_);

  pages_[0] = std::make_unique<CLoginSetDlg>();
  pages_[1] = std::make_unique<CSelectColumnDlg>();
  pages_[2] = std::make_unique<CRotateSetDlg1>();
  for (int index = 0; index < kPageCount; ++index) {
    items_[index] = tree_.InsertItem(kNodes[index].name, kNodes[index].image, TVI_ROOT, index);
    pages_[index]->Create(Handle());
  }
}

LRESULT CConfigDlg::OnSelectionChanged(NMHDR*) {
  const HTREEITEM caret = tree_.GetSelectedItem();
  for (int index = 0; index < kPageCount; ++index) {
    if (items_[index] == caret) ShowPage(index);
  }
  return 0;
}

void CConfigDlg::ShowPage(int index) {
  if (index == shownNow_ || !pages_[index]->IsWindow()) return;
  if (shownNow_ >= 0) ShowWindow(*pages_[shownNow_], SW_HIDE);
  RECT frame;
  GetWindowRect(Item(IDC_CONFIG_PAGE_FRAME), &frame);
  MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&frame), 2);
  InflateRect(&frame, -1, -1);
  MoveWindow(*pages_[index], frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top, TRUE);
  ShowWindow(*pages_[index], SW_SHOW);
  shownThisRun_.Show(pages_[index]->Page());
  shownNow_ = index;
  if (header_ && header_->IsWindow()) header_->SetDescription(kNodes[index].description);
}

void CConfigDlg::OnOK() {
  for (mb::settings::SettingsPage page : shownThisRun_.Pages()) {
    for (const auto& dialog : pages_) {
      if (dialog->Page() == page) dialog->Send(WM_APPLY_SETTINGS, 0, 0);
    }
  }
  EndDialog(IDOK);
}
