#include "uploader/member/win/image_limit_dlg.h"

#include <vector>

#include "common/gbk_text.h"
#include "conf/win/config.h"
#include "uploader/member/core/category_path.h"
#include "uploader/member/win/add_special_dlg.h"
#include "uploader/member/win/album_service.h"
#include "uploader/member/win/dialog_text.h"
#include "uploader/member/win/http_client.h"
#include "uploader/member/win/member_resources.h"
#include "uploader/uploader_messages.h"

using mb::uploader::AddComboTextOnce;
using mb::uploader::ComboCount;
using mb::uploader::ComboSelectedText;
using mb::uploader::SelectComboText;

namespace {

constexpr int kLevels[] = {IDC_LIMIT_CLASS_1, IDC_LIMIT_CLASS_2, IDC_LIMIT_CLASS_3};
constexpr int kKindButtons[] = {IDC_LIMIT_KIND_WALLPAPER, IDC_LIMIT_KIND_ORIGINAL, IDC_LIMIT_KIND_ACTIVE,
                                IDC_LIMIT_KIND_THEME};

// Labels stand in a column of 48 pixels; fields start at x 58 and end 8 pixels from the edge.
constexpr int kFieldLeft = 58;
constexpr int kRowStep = 26;
// A kind radio needs its box and two characters; four stand in one row only when they fit.
constexpr int kKindWidth = 44;

void FillCombo(HWND combo, const std::vector<std::string>& names) {
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  for (const std::string& name : names) AddComboTextOnce(combo, name);
  if (ComboCount(combo) > 0) SendMessageA(combo, CB_SETCURSEL, 0, 0);
}

CConfig& Config() { return *CConfig::GetConfig(); }

}  // namespace

CImageLimitDlg::CImageLimitDlg(HINSTANCE resources) : CZELDialog(IDD_IMAGE_LIMIT, resources), resources_(resources) {
  Handle(WM_INITDIALOG, &CImageLimitDlg::OnInitDialog);
  Handle(WM_SIZE, &CImageLimitDlg::OnSize);
  Handle(WM_CONTEXTMENU, &CImageLimitDlg::OnContextMenu);
  Command(IDC_LIMIT_UPLOAD, &CImageLimitDlg::OnUpload);
  Command(IDC_LIMIT_KIND_WALLPAPER, BN_CLICKED, &CImageLimitDlg::OnWallpaper);
  Command(IDC_LIMIT_KIND_ORIGINAL, BN_CLICKED, &CImageLimitDlg::OnOriginal);
  Command(IDC_LIMIT_KIND_ACTIVE, BN_CLICKED, &CImageLimitDlg::OnActive);
  Command(IDC_LIMIT_KIND_THEME, BN_CLICKED, &CImageLimitDlg::OnTheme);
  Command(IDC_LIMIT_CLASS_1, CBN_SELCHANGE, &CImageLimitDlg::OnLevel1Changed);
  Command(IDC_LIMIT_CLASS_2, CBN_SELCHANGE, &CImageLimitDlg::OnLevel2Changed);
  Command(IDC_LIMIT_CLASS_3, CBN_SELCHANGE, &CImageLimitDlg::OnSelectionEdited);
  Command(IDC_LIMIT_ACCESS, CBN_SELCHANGE, &CImageLimitDlg::OnSelectionEdited);
  Command(IDC_LIMIT_ALBUM, CBN_SELCHANGE, &CImageLimitDlg::OnSelectionEdited);
  Command(IDC_LIMIT_PK, BN_CLICKED, &CImageLimitDlg::OnSelectionEdited);
  Command(IDC_LIMIT_ADD_ALBUM, &CImageLimitDlg::OnAddAlbum);
}

HWND CImageLimitDlg::MainWindow() const { return mainWindow_ ? mainWindow_ : GetAncestor(Handle(), GA_ROOT); }

LRESULT CImageLimitDlg::OnInitDialog(const fw::Message&) {
  tooltip_.Create(Handle());
  tooltip_.AddWindowTool(Handle(), "设置当前图片信息");
  tooltip_.Activate(true);
  for (int edit : {IDC_LIMIT_TITLE, IDC_LIMIT_REMARK, IDC_LIMIT_TAG}) SendMessageA(Item(edit), EM_LIMITTEXT, 100, 0);
  const HWND access = Item(IDC_LIMIT_ACCESS);
  SendMessageA(access, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("公开"));
  SendMessageA(access, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("私人"));
  SendMessageA(access, CB_SETCURSEL, 0, 0);
  mb::uploader::SetChecked(Item(IDC_LIMIT_KIND_WALLPAPER), true);
  uploadButton_.SubclassDlgItem(IDC_LIMIT_UPLOAD, Handle());
  cornerButton_.SubclassDlgItem(IDC_LIMIT_CORNER, Handle());
  cornerButton_.SetSkin(IDB_PANE_CORNER, IDB_PANE_CORNER, IDB_PANE_CORNER, IDB_PANE_CORNER, 0, 0, 1, 0, 0);
  ShowWindow(cornerButton_.Handle(), SW_HIDE);
  LoadAlbums();
  FillAlbumCombo();
  ApplyLayout();
  return TRUE;
}

void CImageLimitDlg::ShowCornerButton(bool show) { ShowWindow(cornerButton_.Handle(), show ? SW_SHOW : SW_HIDE); }

void CImageLimitDlg::MarkEdited() {
  if (!Config().GetChanged()) Config().SetSettingsEdited(1);
}

void CImageLimitDlg::FillCategories() {
  std::vector<std::string> names;
  if (kind_ == mb::uploader::kKindActive) {
    Config().GetActives(names);
  } else if (kind_ == mb::uploader::kKindTheme) {
    Config().GetThemes(names);
  } else {
    Config().GetTopClass(names, "NULL");
  }
  FillCombo(Item(IDC_LIMIT_CLASS_1), names);
  if (mb::uploader::IsCompactKind(kind_)) {
    FillCombo(Item(IDC_LIMIT_CLASS_2), {});
    FillCombo(Item(IDC_LIMIT_CLASS_3), {});
  } else {
    FillBelow(0);
  }
}

void CImageLimitDlg::FillBelow(int level) {
  for (int below = level + 1; below < 3; ++below) {
    std::vector<std::string> names;
    const std::string parent = ComboSelectedText(Item(kLevels[below - 1]));
    if (!parent.empty()) Config().GetTopClass(names, parent);
    FillCombo(Item(kLevels[below]), names);
  }
}

void CImageLimitDlg::OnLevel1Changed() {
  if (!mb::uploader::IsCompactKind(kind_)) FillBelow(0);
  MarkEdited();
}

void CImageLimitDlg::OnLevel2Changed() {
  FillBelow(1);
  MarkEdited();
}

void CImageLimitDlg::ChooseKind(int kind) {
  if (kind == kind_) return;
  ApplyKind(kind);
  MarkEdited();
}

void CImageLimitDlg::ApplyKind(int kind) {
  kind_ = mb::uploader::UploadKindOf(kind);
  for (int i = 0; i < 4; ++i) mb::uploader::SetChecked(Item(kKindButtons[i]), i == kind_);
  compact_ = mb::uploader::IsCompactKind(kind_);
  FillCategories();
  ApplyLayout();
}

LRESULT CImageLimitDlg::OnSize(const fw::Message& message) {
  ApplyLayout();
  return CallDefault(message);
}

void CImageLimitDlg::ApplyLayout() {
  RECT client = {};
  GetClientRect(Handle(), &client);
  const int width = client.right;
  const int fieldWidth = width - 66;
  int y = 8;
  // A label and its field on one row; a hidden row takes no room. Combo heights include the list.
  auto row = [&](int label, int field, int fieldHeight, int rowHeight, int fieldLength, bool shown) {
    ShowWindow(Item(label), shown ? SW_SHOW : SW_HIDE);
    if (field) ShowWindow(Item(field), shown ? SW_SHOW : SW_HIDE);
    if (!shown) return;
    MoveWindow(Item(label), 8, y + 3, 48, 14, FALSE);
    if (field) MoveWindow(Item(field), kFieldLeft, y, fieldLength, fieldHeight, FALSE);
    y += rowHeight + 6;
  };
  row(IDC_LIMIT_LABEL_TITLE, IDC_LIMIT_TITLE, 20, 20, fieldWidth, true);
  row(IDC_LIMIT_LABEL_REMARK, IDC_LIMIT_REMARK, 40, 40, fieldWidth, true);
  row(IDC_LIMIT_LABEL_TAG, IDC_LIMIT_TAG, 20, 20, fieldWidth, true);
  // The four kinds in one row when the pane is wide enough, else two rows of two.
  const int kindsPerRow = width - kFieldLeft - 4 >= 4 * kKindWidth ? 4 : 2;
  const int kindStep = (width - kFieldLeft - 4) / kindsPerRow;
  for (int i = 0; i < 4; ++i) {
    MoveWindow(Item(kKindButtons[i]), kFieldLeft + (i % kindsPerRow) * kindStep, y + (i / kindsPerRow) * kRowStep,
               kindStep - 2, 20, FALSE);
  }
  row(IDC_LIMIT_LABEL_KIND, 0, 20, 20 + (4 / kindsPerRow - 1) * kRowStep, 0, true);
  row(IDC_LIMIT_LABEL_CLASS_1, IDC_LIMIT_CLASS_1, 200, 20, fieldWidth, true);
  row(IDC_LIMIT_LABEL_CLASS_2, IDC_LIMIT_CLASS_2, 200, 20, fieldWidth, !compact_);
  row(IDC_LIMIT_LABEL_CLASS_3, IDC_LIMIT_CLASS_3, 200, 20, fieldWidth, !compact_);
  row(IDC_LIMIT_LABEL_ACCESS, IDC_LIMIT_ACCESS, 200, 20, fieldWidth, true);
  MoveWindow(Item(IDC_LIMIT_ADD_ALBUM), kFieldLeft + fieldWidth - 50, y, 50, 20, FALSE);
  ShowWindow(Item(IDC_LIMIT_ADD_ALBUM), compact_ ? SW_HIDE : SW_SHOW);
  row(IDC_LIMIT_LABEL_ALBUM, IDC_LIMIT_ALBUM, 200, 20, fieldWidth - 54, !compact_);
  MoveWindow(Item(IDC_LIMIT_PK), kFieldLeft, y, 120, 18, FALSE);
  y += kRowStep;
  MoveWindow(Item(IDC_LIMIT_UPLOAD), (width - 80) / 2, y, 80, 24, FALSE);
  MoveWindow(cornerButton_.Handle(), width - 18, client.bottom - 18, 16, 16, FALSE);
  // The controls were moved without painting: the whole dialog, children included, paints anew.
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool CImageLimitDlg::LoadAlbums() {
  mb::uploader::HttpClient client;
  albumsLoaded_ = mb::uploader::LoadAlbumList(client);
  return albumsLoaded_;
}

void CImageLimitDlg::FillAlbumCombo() {
  std::vector<std::string> names;
  Config().GetSpecialList(names);
  const HWND albums = Item(IDC_LIMIT_ALBUM);
  for (const std::string& name : names) AddComboTextOnce(albums, name);
  if (ComboCount(albums) > 0 && SendMessageA(albums, CB_GETCURSEL, 0, 0) == CB_ERR) {
    SendMessageA(albums, CB_SETCURSEL, 0, 0);
  }
}

void CImageLimitDlg::OnAddAlbum() {
  // A list that could not be loaded is tried once more, so that a known name is refused here.
  if (!albumsLoaded_) {
    if (!LoadAlbums()) LoadAlbums();
    FillAlbumCombo();
  }
  CAddSpecialDlg dialog(resources_);
  if (dialog.DoModal(Handle()) != IDOK) return;
  mb::uploader::HttpClient client;
  const std::optional<int> number = mb::uploader::CreateAlbum(client, dialog.Name());
  if (!number) {
    MessageBoxA(Handle(), "添加分类失败!", mb::uploader::kSystemMessageTitle, MB_OK | MB_ICONINFORMATION);
    return;
  }
  Config().LoadSpecialList(std::to_string(*number), dialog.Name());
  const HWND albums = Item(IDC_LIMIT_ALBUM);
  SendMessageA(albums, CB_SETCURSEL, static_cast<WPARAM>(AddComboTextOnce(albums, dialog.Name())), 0);
  MessageBoxA(Handle(), "添加分类成功!", mb::uploader::kSystemMessageTitle, MB_OK | MB_ICONINFORMATION);
  MarkEdited();
}

void CImageLimitDlg::OnUpload() { SendMessageA(MainWindow(), WM_COMMAND, ID_MAIN_START_UPLOAD, 0); }

void CImageLimitDlg::StoreRowSettings(int row) {
  // Texts typed while no row is shown (after a folder change) belong to no row.
  if (row_ < 0 || row < 0) return;
  stImageInfo info;
  memset(&info, 0, sizeof info);
  mb::CopyToField(info.title, sizeof info.title, mb::uploader::ControlText(Item(IDC_LIMIT_TITLE)));
  mb::CopyToField(info.remark, sizeof info.remark, mb::uploader::ControlText(Item(IDC_LIMIT_REMARK)));
  mb::CopyToField(info.tag, sizeof info.tag, mb::uploader::ControlText(Item(IDC_LIMIT_TAG)));
  mb::CopyToField(info.source, sizeof info.source, ComboSelectedText(Item(IDC_LIMIT_ACCESS)));
  std::vector<std::string> levels;
  const int used = mb::uploader::IsCompactKind(kind_) ? 1 : 3;
  for (int level = 0; level < used; ++level) {
    if (ComboCount(Item(kLevels[level])) == 0) continue;
    levels.push_back(ComboSelectedText(Item(kLevels[level])));
    if (kind_ == mb::uploader::kKindActive) {
      info.pictureType = Config().GetActiveType(levels.back());
    } else if (kind_ == mb::uploader::kKindTheme) {
      info.pictureType = Config().GetThemeType(levels.back());
    } else {
      info.pictureType = Config().GetType(levels.back());
    }
  }
  if (!mb::uploader::IsCompactKind(kind_)) info.album = Config().GetSpecialNum(ComboSelectedText(Item(IDC_LIMIT_ALBUM)));
  mb::CopyToField(info.category, sizeof info.category,
                  mb::uploader::JoinCategoryPath(mb::uploader::UploadKindName(kind_), levels));
  info.uploadType = kind_;
  info.pk = mb::uploader::IsChecked(Item(IDC_LIMIT_PK)) ? 1 : 0;
  path_.clear();
  SendMessageA(MainWindow(), WM_APPLY_ROW_SETTINGS, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&info));
}

void CImageLimitDlg::ShowRowSettings(int row, const stImageInfo& info) {
  CConfig& config = Config();
  if (config.GetSettingsEdited() && !path_.empty()) StoreRowSettings(row_);
  if (row == static_cast<int>(kStoreOnlyRow)) return;
  config.SetChanged(1);
  config.SetSettingsEdited(0);
  path_ = mb::ReadField(info.filePath, sizeof info.filePath);
  SetItemText(IDC_LIMIT_TITLE, mb::ReadField(info.title, sizeof info.title).c_str());
  SetItemText(IDC_LIMIT_REMARK, mb::ReadField(info.remark, sizeof info.remark).c_str());
  SetItemText(IDC_LIMIT_TAG, mb::ReadField(info.tag, sizeof info.tag).c_str());
  row_ = row;
  SelectComboText(Item(IDC_LIMIT_ACCESS), mb::ReadField(info.source, sizeof info.source));
  SelectComboText(Item(IDC_LIMIT_ALBUM), config.GetSpecialName(info.album));
  mb::uploader::SetChecked(Item(IDC_LIMIT_PK), info.pk != 0);
  if (mb::uploader::UploadKindOf(info.uploadType) != kind_) ApplyKind(info.uploadType);
  const std::vector<std::string> levels =
      mb::uploader::CategoryPathLevels(mb::ReadField(info.category, sizeof info.category));
  for (std::size_t level = 0; level < levels.size() && level < 3; ++level) {
    if (!SelectComboText(Item(kLevels[level]), levels[level])) break;
    if (!mb::uploader::IsCompactKind(kind_)) FillBelow(static_cast<int>(level));
  }
  config.SetChanged(0);
}

void CImageLimitDlg::ResetForFolder() {
  for (int edit : {IDC_LIMIT_TITLE, IDC_LIMIT_REMARK, IDC_LIMIT_TAG}) SetItemText(edit, "");
  row_ = -1;
  path_.clear();
  mb::uploader::SetChecked(Item(IDC_LIMIT_PK), false);
  InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT CImageLimitDlg::OnContextMenu(const fw::Message& message) {
  POINT at = {static_cast<short>(LOWORD(message.lParam)), static_cast<short>(HIWORD(message.lParam))};
  if (message.lParam == -1) GetCursorPos(&at);
  mb::uploader::RunPaneMenu(Handle(), resources_, at, MainWindow());
  return 0;
}

// Only the pane's own messages: a character typed elsewhere (the search box, a list cell) is no
// edit of the pane's settings, and Enter and Escape keep their meaning there.
bool CImageLimitDlg::PreTranslateMessage(MSG& msg) {
  if (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd)) return false;
  if (tooltip_.Exists()) tooltip_.RelayEvent(msg);
  if (msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE)) return true;
  if (msg.message == WM_CHAR && msg.wParam >= 0x20) MarkEdited();
  // Tab and the arrow keys move between the controls as in any dialog.
  return IsDialogMessageA(Handle(), &msg) != FALSE;
}
