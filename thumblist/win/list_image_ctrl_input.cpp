// CListImageCtrl: what the member does with the list (clicks, keys, drops, menus, commands).
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>
#include <windowsx.h>

#include "common/gbk_text.h"
#include "conf/win/config.h"
#include "framework/module.h"
#include "thumblist/core/cell_text.h"
#include "thumblist/core/row_menu.h"
#include "thumblist/win/list_cell_editors.h"
#include "thumblist/win/list_image_ctrl.h"
#include "thumblist/win/list_messages.h"
#include "thumblist/win/operation_range.h"
#include "thumblist/win/picture_loader.h"
#include "thumblist/win/thumbrill_resource.h"

using namespace mb::thumblist;
using namespace mb::thumblist::row_menu;

namespace {
constexpr UINT kRowsPrepared = WM_USER + 0x250;
constexpr char kCaption[] = "墨岚屏[Pelora]-系统消息";
constexpr char kUploadingWarning[] = "正在上传图片,请等待图片上传完成后再进行编辑!";

HWND MainWindow() { return fw::Module::MainWindow(); }

int Ask(HWND owner, const std::string& text, UINT style) {
  return MessageBoxA(owner, text.c_str(), kCaption, style);
}

bool Uploading() { return CConfig::GetConfig()->GetUploading() != 0; }
}  // namespace

void CListImageCtrl::RegisterHandlers() {
  Handle(WM_DESTROY, &CListImageCtrl::OnDestroy);
  Handle(WM_DROPFILES, &CListImageCtrl::OnDropFiles);
  Handle(WM_LBUTTONDOWN, &CListImageCtrl::OnLButtonDown);
  Handle(WM_RBUTTONDOWN, &CListImageCtrl::OnRButtonDown);
  Handle(WM_KEYDOWN, &CListImageCtrl::OnKeyDown);
  Handle(WM_MOUSEMOVE, &CListImageCtrl::OnMouseMove);
  Handle(WM_STORE_IMAGE_INFO, &CListImageCtrl::OnStoreImageInfo);
  Handle(WM_EDIT_PICTURE, &CListImageCtrl::OnEditPicture);
  Handle(kRowsPrepared, &CListImageCtrl::OnRowsPrepared);
  Handle(kCellEditorEnded, &CListImageCtrl::OnEditorEnded);
  Handle(fw::kReflectBase + WM_NOTIFY, &CListImageCtrl::OnReflectedNotify);
  Handle(WM_COMMAND, &CListImageCtrl::OnCommandMessage);
}

LRESULT CListImageCtrl::OnDestroy(const fw::Message& m) {
  cellTip_.Destroy();
  HideEditBox();
  FreeRows();
  prepared_.Clear();
  // The image lists are this object's: the control must not destroy them, whatever its style
  // has become.
  SetImageList(nullptr, LVSIL_NORMAL);
  SetImageList(nullptr, LVSIL_SMALL);
  return CallDefault(m);
}

bool CListImageCtrl::CanStartUpload() const {
  ListSituation situation;
  situation.rowCount = GetItemCount();
  situation.uploading = Uploading();
  situation.loggedIn = CConfig::GetConfig()->GetLogin() != 0;
  return StartUploadEnabled(situation);
}

// The pane's edits go to its rows now. When an upload starts the pane keeps showing those rows,
// so they stay pending; when the folder is left they are forgotten with it.
LRESULT CListImageCtrl::OnStoreImageInfo(const fw::Message& m) {
  if (m.wParam == kStoreAndForgetRows) {
    FlushPendingRows();
  } else {
    StorePendingEdits();
  }
  return 0;
}

LRESULT CListImageCtrl::OnEditPicture(const fw::Message&) { return 0; }

// Dropped files: pictures named like JPEG files become rows exactly as added ones.
LRESULT CListImageCtrl::OnDropFiles(const fw::Message& m) {
  HDROP drop = reinterpret_cast<HDROP>(m.wParam);
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    char path[MAX_PATH] = {};
    if (!DragQueryFileA(drop, i, path, sizeof path)) continue;
    if (HasPercentSign(path) || !IsDroppedPictureCandidate(path)) continue;
    AddImage(path);
  }
  DragFinish(drop);
  if (GetItemCount() > 0) EnsureVisible(GetItemCount() - 1, FALSE);
  DrawWindow();
  return 0;
}

LRESULT CListImageCtrl::OnLButtonDown(const fw::Message& m) {
  const LRESULT result = CallDefault(m);
  NotifyParentStatus();
  const POINT point{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
  const int hit = HitTest(point);
  if (hit >= 0) {
    ReportRow(hit);
  } else {
    StorePendingEdits();
  }
  return result;
}

LRESULT CListImageCtrl::OnRButtonDown(const fw::Message& m) {
  const LRESULT result = CallDefault(m);
  const int highlighted = HighlightedRow();
  if (highlighted >= 0 && highlighted != lastReportedRow_) ReportRow(highlighted);
  ShowRowMenu();
  return result;
}

// Arrow keys report the row the highlight steps to (after the control moved it, so that the
// panes show the highlighted row in the thumbnail grid too); Delete removes the highlighted row.
// Keys reach this handler only while the list itself has the focus (an open cell editor keeps its
// own keys).
LRESULT CListImageCtrl::OnKeyDown(const fw::Message& m) {
  if (m.wParam == VK_DELETE) RemoveHighlighted();
  const int before = HighlightedRow();
  const LRESULT result = CallDefault(m);
  if ((m.wParam == VK_DOWN || m.wParam == VK_UP) && before >= 0) {
    const int now = HighlightedRow();
    if (now >= 0 && now != before) {
      currentIndex_ = now;
      if (now != lastReportedRow_) ReportRow(now);
    }
  }
  return result;
}

// The tooltip follows the cell under the mouse.
LRESULT CListImageCtrl::OnMouseMove(const fw::Message& m) {
  if (!cellTip_.Exists() && cellTip_.Create(Handle())) cellTip_.AddWindowTool(Handle(), "");
  LVHITTESTINFO hit = {};
  hit.pt = {GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
  const int row = static_cast<int>(Send(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  const int cell = row >= 0 ? PackCellId(row, hit.iSubItem) : 0;
  if (cell != tipCell_) {
    tipCell_ = cell;
    cellTip_.UpdateText(Handle(), cell ? OnToolTipText(row, hit.iSubItem).GetString() : "");
  }
  return CallDefault(m);
}

fw::CString CListImageCtrl::OnToolTipText(int row, int column) const {
  const std::string text = GetItemText(row, column);
  return fw::CString(text.substr(0, mb::GbkCutLength(text, 79)));
}

LRESULT CListImageCtrl::OnReflectedNotify(const fw::Message& m) {
  const NMHDR* header = reinterpret_cast<const NMHDR*>(m.lParam);
  switch (header->code) {
    case NM_CLICK:
      OnClick(*reinterpret_cast<const NMITEMACTIVATE*>(m.lParam));
      return 0;
    case NM_DBLCLK:
      OnDoubleClick();
      return 0;
    case LVN_COLUMNCLICK:
      OnColumnClick(reinterpret_cast<const NMLISTVIEW*>(m.lParam)->iSubItem);
      return 0;
    default:
      return 0;
  }
}

void CListImageCtrl::OnClick(const NMITEMACTIVATE& click) {
  UINT where = 0;
  const int row = HitTest(click.ptAction, &where);
  clickTickedRow_ = -1;
  if (row < 0) return;
  currentIndex_ = row;
  if (where & LVHT_ONITEMSTATEICON) {
    SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  } else {
    SetCheck(row, !GetCheck(row));
    clickTickedRow_ = row;
  }
  // The count of ticked pictures in the status follows the tick just made.
  NotifyParentStatus();
}

void CListImageCtrl::OnDoubleClick() {
  // A double click opens the picture: the tick its first click turned over is put back.
  if (clickTickedRow_ >= 0 && clickTickedRow_ < GetItemCount()) SetCheck(clickTickedRow_, !GetCheck(clickTickedRow_));
  clickTickedRow_ = -1;
  OnEdit();
  const int highlighted = HighlightedRow();
  // The main window answers -1 with the picture's facts in its status bar.
  if (highlighted >= 0) SendRowInfo(MainWindow(), static_cast<WPARAM>(-1), highlighted);
}

void CListImageCtrl::OnColumnClick(int column) {
  SubclassHeader();
  sortOrder_.Click(column);
  Sort(column, sortOrder_.Ascending() ? 1 : 0);
}

LRESULT CListImageCtrl::OnHeaderBeginTrack(NMHDR* header) {
  const int column = reinterpret_cast<NMHEADERA*>(header)->iItem;
  if (!MayDragColumn(column, CurrentFlags())) return TRUE;
  return CallDefault({WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header)});
}

// Menus and commands.

void CListImageCtrl::ShowRowMenu() {
  HMENU menu = LoadMenuA(fw::ThisModule(), MAKEINTRESOURCEA(IDR_LIST_ROW_MENU));
  if (!menu) return;
  HMENU popup = GetSubMenu(menu, 0);
  ListSituation situation;
  situation.highlighted = HighlightedRow() >= 0;
  situation.ticked = AnyTicked();
  situation.rowCount = GetItemCount();
  situation.uploading = Uploading();
  situation.loggedIn = CConfig::GetConfig()->GetLogin() != 0;
  situation.reportMode = (GetWindowLongA(Handle(), GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT;
  const RowMenuState state = RowMenuStateFor(situation);
  for (unsigned id : state.removed) DeleteMenu(popup, id, MF_BYCOMMAND);
  for (unsigned id : state.grey) EnableMenuItem(popup, id, MF_BYCOMMAND | MF_GRAYED);
  CheckMenuItem(popup, state.checked, MF_BYCOMMAND | MF_CHECKED);
  POINT cursor;
  GetCursorPos(&cursor);
  const UINT id = static_cast<UINT>(TrackPopupMenu(popup, TPM_RIGHTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                                   cursor.x, cursor.y, 0, Handle(), nullptr));
  DestroyMenu(menu);
  if (id) RunCommand(id);
}

LRESULT CListImageCtrl::OnCommandMessage(const fw::Message& m) {
  if (m.lParam != 0) {  // from a child control (an editor), not a menu
    if (editor_ && editor_->Handle() == reinterpret_cast<HWND>(m.lParam)) editor_->OnControlNotification(HIWORD(m.wParam));
    return CallDefault(m);
  }
  RunCommand(LOWORD(m.wParam));
  return 0;
}

void CListImageCtrl::RunCommand(UINT id) {
  HWND main = MainWindow();
  if (std::optional<int> column = ColumnOfMenuCommand(id)) {
    SetColumnWidth(*column, ToggleWidth(*column, CurrentFlags()));
    return;
  }
  switch (id) {
    case kStartUpload:
      if (main && CanStartUpload()) SendMessageA(main, WM_COMMAND, ID_MAIN_START_UPLOAD, 0);
      break;
    case kPreview:
      if (HighlightedRow() >= 0) {
        const fw::CString path = GetItemFilePath(HighlightedRow());
        SendMessageA(GetParent(Handle()), WM_LIST_PREVIEW, 0, reinterpret_cast<LPARAM>(path.GetString()));
      }
      break;
    case kEdit:
      OnEdit();
      break;
    case kReportView:
      if (main) SendMessageA(main, WM_COMMAND, ID_MAIN_REPORT_VIEW, 0);
      break;
    case kThumbnailView:
      if (main) SendMessageA(main, WM_COMMAND, ID_MAIN_THUMBNAIL_VIEW, 0);
      break;
    case kRotateRight:
      OnRotate90Right();
      break;
    case kRotateLeft:
      OnRotate90Left();
      break;
    case kTickAll:
      OnEditSelectall();
      break;
    case kUntickAll:
      OnEditUnselectall();
      break;
    case kRemoveHighlighted:
      RemoveHighlighted();
      break;
    case kRemoveTicked:
      RemoveTicked();
      break;
    case kSelectColumns:
      CConfig::GetConfig()->SetOpenAtBrowse(1);
      if (main) SendMessageA(main, WM_COMMAND, ID_MAIN_SETTINGS, 0);
      break;
    case kSaveAs:
      OnSaveAs();
      break;
    case kOpenFolder:
      OnOpenFolder();
      break;
    case kRefresh:
      if (main) SendMessageA(main, WM_REFRESH_FOLDER, 0, 0);
      break;
    default:
      break;
  }
}

void CListImageCtrl::OnEdit() {
  if (Uploading()) {
    Ask(Handle(), kUploadingWarning, MB_OK | MB_ICONWARNING);
    return;
  }
  const int highlighted = HighlightedRow();
  if (highlighted < 0) return;
  const fw::CString path = GetItemFilePath(highlighted);
  SendMessageA(GetParent(Handle()), WM_EDIT_PICTURE, 0, reinterpret_cast<LPARAM>(path.GetString()));
}

void CListImageCtrl::RemoveHighlighted() {
  const int highlighted = HighlightedRow();
  if (highlighted < 0) return;
  EditDelete(highlighted);
  NotifyParentStatus();
}

void CListImageCtrl::RemoveTicked() {
  FlushPendingRows();
  for (int row = GetItemCount() - 1; row >= 0; --row) {
    if (GetCheck(row)) EditDelete(row);
  }
  NotifyParentStatus();
}

void CListImageCtrl::OnRotate90Right() { Rotate(true); }
void CListImageCtrl::OnRotate90Left() { Rotate(false); }

// A rotation changes the file on disk: never while an upload reads the files.
void CListImageCtrl::Rotate(bool right) {
  if (Uploading()) {
    Ask(Handle(), kUploadingWarning, MB_OK | MB_ICONWARNING);
    return;
  }
  CConfig* config = CConfig::GetConfig();
  if (config->GetShowOperateDialog() && !AskOperationRange(Handle())) return;
  if (config->GetOperateHighlight()) {
    const int highlighted = HighlightedRow();
    if (highlighted < 0) {
      Ask(Handle(), "请选中要操作的图片!", MB_OK | MB_ICONINFORMATION);
      return;
    }
    RotateRow(highlighted, right);
    return;
  }
  if (!AnyTicked()) {
    Ask(Handle(), "请勾选您要操作的图片!", MB_OK | MB_ICONINFORMATION);
    return;
  }
  for (int row = 0; row < GetItemCount(); ++row) {
    if (!GetCheck(row)) continue;
    const fw::CString path = GetItemFilePath(row);
    if (path.IsEmpty() || !FileSizeOf(path.Str())) continue;
    RotateRow(row, right);
  }
}

void CListImageCtrl::RotateRow(int row, bool right) {
  const fw::CString path = GetItemFilePath(row);
  SendMessageA(GetParent(Handle()), WM_LIST_ROTATED, right ? 1 : 0, reinterpret_cast<LPARAM>(path.GetString()));
  SetItemImage(path, row);
}

void CListImageCtrl::OnSaveAs() {
  const int highlighted = HighlightedRow();
  if (highlighted < 0) return;
  const std::string source = GetItemFilePath(highlighted).Str();
  const std::string extension = ExtensionOf(source);
  const std::string filter = SaveAsFilter(extension);
  char chosen[MAX_PATH] = {};
  mb::CopyToField(chosen, sizeof chosen, SplitPath(source).fileName);
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = Handle();
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = chosen;
  dialog.nMaxFile = sizeof chosen;
  dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameA(&dialog)) return;
  const std::string target = WithExtension(chosen, extension);
  if (FileSizeOf(target) || GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
    if (Ask(Handle(), target + " 已经存在，要替换它吗？", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  }
  if (!CopyFileA(source.c_str(), target.c_str(), FALSE)) {
    Ask(Handle(), target + " 保存失败！", MB_OK | MB_ICONERROR);
  }
}

void CListImageCtrl::OnOpenFolder() {
  const int highlighted = HighlightedRow();
  if (highlighted < 0) return;
  const std::string folder = FolderToOpen(GetItemFilePath(highlighted).Str());
  ShellExecuteA(nullptr, "open", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
