#include "uploader/status/image_info_dlg.h"

#include <cstdio>

#include "editor/win/editor_resource.h"
#include "uploader/member/win/dialog_text.h"
#include "uploader/status/status_resource.h"

namespace {

const char* const kTitles[] = {"文件名", "文件路径", "文件大小", "图像大小"};
const char* const kFormats[] = {"文件名：%s", "文件路径：%s", "文件大小：%s", "图像大小：%s"};
const int kLabelTops[] = {10, 31, 52, 73};
const int kLabelHeights[] = {13, 12, 12, 12};

}  // namespace

CImageInfoDlg::CImageInfoDlg() : CZELDialog(IDD_IMAGE_INFO) {
  Handle(WM_INITDIALOG, &CImageInfoDlg::OnInitDialog);
  Handle(WM_SIZE, &CImageInfoDlg::OnSize);
  Handle(WM_RBUTTONDOWN, &CImageInfoDlg::OnRButtonDown);
}

CImageInfoDlg::~CImageInfoDlg() = default;

HWND CImageInfoDlg::MainWindow() const { return mainWindow_ ? mainWindow_ : GetAncestor(Handle(), GA_ROOT); }

LRESULT CImageInfoDlg::OnInitDialog(const fw::Message&) {
  for (CFileInfoTipDlg& label : labels_) {
    if (label.Create(Handle())) ShowWindow(label.Handle(), SW_SHOW);
  }
  const RECT none = {0, 0, 0, 0};
  list_.Create(Handle(), none, WS_CHILD | LVS_REPORT, IDC_IMAGE_INFO_LIST);
  list_.InsertColumn(0, "标题", LVCFMT_LEFT, 60);
  list_.InsertColumn(1, "值", LVCFMT_LEFT, 200);
  cornerButton_.SubclassDlgItem(IDC_IMAGE_INFO_CORNER, Handle());
  cornerButton_.SetSkin(IDB_PANEL_CLOSED, IDB_PANEL_CLOSED, IDB_PANEL_CLOSED, IDB_PANEL_CLOSED, 0, 0, 1, 0, 0);
  cornerButton_.SetMessage(kCornerMessage);
  ShowWindow(cornerButton_.Handle(), SW_HIDE);
  tooltip_.Create(Handle());
  tooltip_.AddWindowTool(Handle(), "显示当前图片基本信息");
  tooltip_.Activate(true);
  return TRUE;
}

LRESULT CImageInfoDlg::OnSize(const fw::Message& m) {
  const int width = LOWORD(m.lParam), height = HIWORD(m.lParam);
  for (size_t i = 0; i < labels_.size(); ++i) {
    if (labels_[i].Handle()) MoveWindow(labels_[i].Handle(), 8, kLabelTops[i], width, kLabelHeights[i], TRUE);
  }
  if (list_.Handle()) MoveWindow(list_.Handle(), 0, 0, width, height, TRUE);
  if (cornerButton_.Handle()) MoveWindow(cornerButton_.Handle(), width - 16, height - 16, 16, 16, TRUE);
  return 0;
}

void CImageInfoDlg::ShowImageInfo(int row, const hoistly::ImageFacts& facts) {
  const std::string* values[] = {&facts.name, &facts.folder, &facts.size, &facts.dimensions};
  list_.DeleteAllItems();
  for (int i = 0; i < 4; ++i) {
    list_.InsertItem(i, kTitles[i], -1);
    list_.SetItemText(i, 1, values[i]->c_str());
  }
  row_ = row;
  for (size_t i = 0; i < labels_.size(); ++i) {
    std::string text(values[i]->size() + 32, '\0');
    const int length = std::snprintf(&text[0], text.size(), kFormats[i], values[i]->c_str());
    text.resize(length > 0 ? static_cast<size_t>(length) : 0);
    labels_[i].SetText(text);
  }
  UpdateWindow(Handle());
}

void CImageInfoDlg::ShowCornerButton(bool show) { ShowWindow(cornerButton_.Handle(), show ? SW_SHOW : SW_HIDE); }

LRESULT CImageInfoDlg::OnRButtonDown(const fw::Message&) {
  POINT at;
  GetCursorPos(&at);
  mb::uploader::RunPaneMenu(Handle(), fw::ThisModule(), at, MainWindow());
  return 0;
}
