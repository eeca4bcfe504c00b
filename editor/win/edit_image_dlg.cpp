#include "editor/win/edit_image_dlg.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cstdint>
#include <cstdio>
#include <future>
#include <utility>
#include <vector>

#include "client/core/path_text.h"
#include "common/gbk_text.h"
#include "conf/win/config.h"
#include "editor/core/picture_operations.h"
#include "editor/core/zoom.h"
#include "editor/win/editor_messages.h"
#include "editor/win/editor_resource.h"
#include "editor/win/image_size_dialog.h"
#include "editor/win/member_prompt.h"
#include "editor/win/rotate_dialog.h"
#include "framework/gdi.h"
#include "framework/menu.h"
#include "framework/module.h"
#include "image/win/picture_gdi.h"
#include "tabvane/image_operate_tabvane.h"
#include "uibase/win/zel_head_ctrl.h"
#include "upload/win/upload_messages.h"

using namespace mb::editor;

namespace {

constexpr int kToolbarHeight = 26;
constexpr int kPanelOpenHeight = 139;
constexpr int kPanelClosedHeight = 22;
constexpr int kCanvasShareOpen = 165;
constexpr int kCanvasShareClosed = 48;
constexpr UINT kCanvasId = 1000;
constexpr UINT kPanelId = 1002;
constexpr UINT kCloseButtonId = 1001;
constexpr COLORREF kImageBack = 0x0032CBFF;

const char kAskSaveChanges[] = "图片文件已经更改,是否保存?";
const char kAskSavePreviews[] = "图像已经添加水印或相框,是否保存?";
const char kMarkTooLarge[] = "原始图片尺寸小于水印图片尺寸,不能添加水印!";
const char kFirstPicture[] = "已经是最前一张了！";
const char kLastPicture[] = "已经是最后一张了！";
const char kReplaceFile[] = "%s 已经存在，要替换它吗？";
const char kSaveFilter[] = "Picture Files (*%s)|*%s|All Files (*.*)|*.*||";
const char kNoTextCanvas[] = "找不到文字水印用的图片 %s";
const char kFullScreenText[] = "全屏编辑";
const char kLeaveFullScreenText[] = "退出全屏";

struct ToolButton {
  UINT command;
  const char* icon;
};
const ToolButton kToolButtons[] = {
    {kCmdSave, "save.ico"},          {kCmdSaveAs, "saveas.ico"},       {kCmdUndo, "undo.ico"},
    {kCmdRedo, "redo.ico"},          {kCmdSizeDialog, "imagesize.ico"}, {kCmdRotateDialog, "flip.ico"},
    {kCmdSelectTool, "select.ico"},  {kCmdCrop, "crop.ico"},           {kCmdRotateRight, "smallr.ico"},
    {kCmdRotateLeft, "smalll.ico"},  {kCmdZoomIn, "zoomin.ico"},       {kCmdZoomOut, "zoomout.ico"},
    {kCmdActualSize, "oldsize.ico"}, {kCmdFullScreen, "fullscreen.ico"}, {kCmdPrevious, "pre.ico"},
    {kCmdNext, "next.ico"},          {kCmdLeave, "smalloff.ico"},      {kCmdPointerTool, "move.ico"},
};


// "name.ico" -> "name_d.ico" ("flip.ico" has no disabled picture of its own).
std::string DisabledIconName(const std::string& name) {
  if (name == "flip.ico") return name;
  return name.substr(0, name.size() - 4) + "_d.ico";
}

// The toolbar's pictures read from their files: for each button its normal and its disabled icon
// (null where a file is missing). Reading them is most of the toolbar's making, so it is done on a
// worker while the editor's other windows are made.
std::vector<HICON> LoadToolIcons() {
  const std::string res = fw::Module::ProgramFolder() + "Res\\";
  std::vector<HICON> icons;
  for (const ToolButton& tool : kToolButtons) {
    for (const std::string& name : {std::string(tool.icon), DisabledIconName(tool.icon)})
      icons.push_back(static_cast<HICON>(LoadImageA(nullptr, (res + name).c_str(), IMAGE_ICON, 16, 16, LR_LOADFROMFILE)));
  }
  return icons;
}

// Takes the icon into the list and destroys it.
void AddIcon(HIMAGELIST list, HICON icon) {
  if (icon) {
    ImageList_AddIcon(list, icon);
    DestroyIcon(icon);
    return;
  }
  // A missing icon keeps its place with an empty picture, so the buttons keep theirs.
  HDC screen = GetDC(nullptr);
  fw::Bitmap blank(CreateCompatibleBitmap(screen, 16, 16));
  ReleaseDC(nullptr, screen);
  ImageList_AddMasked(list, blank, RGB(0, 0, 0));
}

std::string DefaultSaveName(HWND owner, const std::string& current, const std::string& filter) {
  char file[MAX_PATH] = {};
  const std::string name = mb::GetFileNamePart(current);
  lstrcpynA(file, name.c_str(), MAX_PATH);
  std::string filters = filter;
  for (char& c : filters)
    if (c == '|') c = '\0';
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filters.c_str();
  dialog.lpstrFile = file;
  dialog.nMaxFile = MAX_PATH;
  dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
  return GetSaveFileNameA(&dialog) ? std::string(file) : std::string();
}

mb::TextStyle StyleOf(const TextWatermarkRecord& record) {
  mb::TextStyle style;
  if (!record.faceName.empty()) style.face = record.faceName;
  style.height = record.fontHeight;
  style.weight = record.fontWeight;
  style.italic = record.italic;
  style.underline = record.underline;
  style.colour = {GetRValue(record.colour), GetGValue(record.colour), GetBValue(record.colour), 255};
  return style;
}

// "copy.jpg" already ends in ".JPG": file names are compared as the file system does, without case.
bool HasExtension(const std::string& path, const std::string& extension) {
  const std::string found = mb::SplitPath(mb::GetFileNamePart(path)).extension;
  return !found.empty() && mb::GbkEqualsNoCase(found, extension.substr(1));
}

}  // namespace

CEditImageDlg::CEditImageDlg(const std::string& path, PictureSteps* steps, HWND parent)
    : fw::Dialog(IDD_EDIT_IMAGE, fw::ThisModule()),
      path_(path),
      steps_(steps),
      parent_(parent),
      canvas_(*this),
      panel_(std::make_unique<CImageOperateTabvane>()),
      chooseSaveName_(DefaultSaveName) {
  Handle(WM_INITDIALOG, &CEditImageDlg::OnInitDialog);
  Handle(WM_SIZE, &CEditImageDlg::OnSize);
  Handle(WM_DESTROY, &CEditImageDlg::OnDestroy);
  Handle(WM_COMMAND, &CEditImageDlg::OnCommandMessage);
  Handle(WM_LBUTTONDOWN, &CEditImageDlg::OnLButtonDown);
  Notify(IDR_EDIT_TOOLBAR, NM_CUSTOMDRAW, &CEditImageDlg::OnToolbarDraw);
  Handle(kAddPictureMark, &CEditImageDlg::OnAddPictureMark);
  Handle(kSetFrame, &CEditImageDlg::OnSetFrame);
  Handle(kMovePictureMark, &CEditImageDlg::OnMovePictureMark);
  Handle(kRemoveMarkOrFrame, &CEditImageDlg::OnRemoveMarkOrFrame);
  Handle(kTextMark, &CEditImageDlg::OnTextMark);
  Handle(kMoveToPoint, &CEditImageDlg::OnMoveToPoint);
  Handle(kDropMarkPreview, &CEditImageDlg::OnDropMarkPreview);
  Handle(kPanelReady, &CEditImageDlg::OnPanelReady);
  Handle(kPlaceMarkAgain, &CEditImageDlg::OnPlaceMarkAgain);
  Handle(WM_HEAD_CLOSE, &CEditImageDlg::OnHeadClose);
  Handle(CImageEditView::kCanvasMenuMessage, &CEditImageDlg::OnCanvasMenu);
}

CEditImageDlg::~CEditImageDlg() {
  if (IsWindow()) Destroy();
  if (images_) ImageList_Destroy(images_);
  if (disabledImages_) ImageList_Destroy(disabledImages_);
  if (toolbarBrush_) DeleteObject(toolbarBrush_);
  if (pressedBrush_) DeleteObject(pressedBrush_);
}

HWND CEditImageDlg::Create() { return fw::Dialog::Create(parent_); }

HWND CEditImageDlg::Panel() const { return Item(kPanelId); }

bool CEditImageDlg::PanelOpen() const { return CConfig::GetConfig()->GetEditPanelOpen() != 0; }

void CEditImageDlg::Fail(const std::string& text) const { AskMember(Handle(), text, MB_OK | MB_ICONERROR); }

LRESULT CEditImageDlg::OnInitDialog(const fw::Message&) {
  // The picture is read on a worker while the toolbar and the panel are made; the session is
  // the worker's alone until it is done.
  std::future<bool> opened = std::async(std::launch::async, [this] { return session_.Open(path_); });
  std::future<std::vector<HICON>> icons = std::async(std::launch::async, LoadToolIcons);
  RECT none = {0, 0, 16, 16};
  closeButton_.Create("", WS_CHILD | WS_VISIBLE, none, Handle(), kCloseButtonId);
  closeButton_.SetResourceModule(fw::ThisModule());
  closeButton_.SetSkin(IDB_PANEL_CLOSED, IDB_PANEL_CLOSED, 0, 0, 0, 0, 1, 0, 0);
  closeButton_.SetMessage(WM_NULL);
  canvas_.Create(Handle(), none, kCanvasId);
  RECT panelRect = {0, 0, 100, kPanelOpenHeight};
  panel_->Create(Handle(), panelRect);
  panelButton_.Create("", WS_CHILD | WS_VISIBLE, none, Handle(), kCmdPanel);
  panelButton_.SetResourceModule(fw::ThisModule());
  panelButton_.SetMessage(WM_NULL);
  CreateToolbar(icons.get());
  BringWindowToTop(closeButton_);
  BringWindowToTop(panelButton_);
  panel_->SetImageFilePath(fw::CString(path_));
  ShowOpenedPicture(opened.get(), true);
  panel_->Init();
  LayOut();
  return TRUE;
}

void CEditImageDlg::CreateToolbar(const std::vector<HICON>& icons) {
  toolbar_ = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                                                        CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER,
                             0, 0, 100, kToolbarHeight, Handle(),
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDR_EDIT_TOOLBAR)), fw::Module::Instance(),
                             nullptr);
  SendMessageA(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  images_ = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 18, 2);
  disabledImages_ = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 18, 2);
  ImageList_SetBkColor(images_, kImageBack);
  ImageList_SetBkColor(disabledImages_, kImageBack);
  std::vector<TBBUTTON> buttons;
  int image = 0;
  for (const ToolButton& tool : kToolButtons) {
    AddIcon(images_, icons[2 * image]);
    AddIcon(disabledImages_, icons[2 * image + 1]);
    TBBUTTON button = {};
    button.iBitmap = image++;
    button.idCommand = static_cast<int>(tool.command);
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = (tool.command == kCmdSelectTool || tool.command == kCmdPointerTool) ? BTNS_CHECKGROUP : BTNS_BUTTON;
    buttons.push_back(button);
  }
  SendMessageA(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
  SendMessageA(toolbar_, TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(disabledImages_));
  SendMessageA(toolbar_, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  SendMessageA(toolbar_, TB_CHECKBUTTON, kCmdPointerTool, TRUE);
  for (auto [id, brush] : {std::pair{IDB_TOOLBAR_BACK, &toolbarBrush_}, std::pair{IDB_TOOLBAR_BACK_ALT, &pressedBrush_}}) {
    HBITMAP back = LoadBitmapA(fw::ThisModule(), MAKEINTRESOURCEA(id));
    *brush = CreatePatternBrush(back);
    DeleteObject(back);
  }
}

LRESULT CEditImageDlg::OnToolbarDraw(NMHDR* header) {
  // The bar is tiled with bitmap 282; a button pressed in (the checked tool, a button held down)
  // with bitmap 283 under its icon.
  auto* draw = reinterpret_cast<NMTBCUSTOMDRAW*>(header);
  if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
    RECT client;
    GetClientRect(toolbar_, &client);
    FillRect(draw->nmcd.hdc, &client, toolbarBrush_);
    return CDRF_NOTIFYITEMDRAW;
  }
  if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT && (draw->nmcd.uItemState & (CDIS_CHECKED | CDIS_SELECTED)))
    FillRect(draw->nmcd.hdc, &draw->nmcd.rc, pressedBrush_);
  return CDRF_DODEFAULT;
}

void CEditImageDlg::LayOut() {
  if (!IsWindow()) return;
  RECT client;
  GetClientRect(Handle(), &client);
  const int w = client.right, h = client.bottom;
  const bool open = PanelOpen();
  MoveWindow(toolbar_, 0, 0, w, kToolbarHeight, TRUE);
  // Painted again whole: when the main window leaves full screen the bar keeps its place and size,
  // and would otherwise keep what the screen showed there meanwhile.
  InvalidateRect(toolbar_, nullptr, TRUE);
  MoveWindow(closeButton_, w - 18, 3, 16, 16, TRUE);
  const int panelHeight = open ? kPanelOpenHeight : kPanelClosedHeight;
  const RECT panel = {0, h - panelHeight, w, h};
  MoveWindow(Panel(), panel.left, panel.top, w, panelHeight, TRUE);
  MoveWindow(panelButton_, panel.right - 18, panel.top + 3, 16, 16, TRUE);
  SetWindowPos(panelButton_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  const int canvasHeight = h - (open ? kCanvasShareOpen : kCanvasShareClosed);
  MoveWindow(canvas_, 0, kToolbarHeight, w, canvasHeight > 0 ? canvasHeight : 0, TRUE);
  panelButton_.SetSkin(open ? IDB_PANEL_OPEN : IDB_PANEL_CLOSED, open ? IDB_PANEL_OPEN : IDB_PANEL_CLOSED, 0, 0, 0, 0,
                       1, 0, 0);
  panelButton_.Invalidate();
}

LRESULT CEditImageDlg::OnSize(const fw::Message&) {
  LayOut();
  return 0;
}

void CEditImageDlg::OpenPicture(const std::string& path, bool fit) {
  path_ = path;
  ShowOpenedPicture(session_.Open(path), fit);
}

void CEditImageDlg::ShowOpenedPicture(bool opened, bool fit) {
  if (!opened) {
    canvas_.ClearPicture();
    Fail(session_.Error());
  } else {
    if (fit) FitToWindow();
    canvas_.SetPicture(session_.Working());
  }
  markPoint_ = {20, 20};
  framePath_.clear();
  markPath_.clear();
  UpdateCommandStates();
}

void CEditImageDlg::SetImagePath(const std::string& path) {
  OpenPicture(path, true);
  panel_->SetImageFilePath(fw::CString(path));
  panel_->Init();
}

void CEditImageDlg::ShowWorkingPicture() {
  canvas_.SetPicture(session_.Working());
  UpdateCommandStates();
}

void CEditImageDlg::FitToWindow() {
  if (!session_.HasPicture()) return;
  RECT parent = {0, 0, 0, 0};
  GetClientRect(parent_, &parent);
  const FitSpace space = EditorFitSpace(parent.right, parent.bottom, PanelOpen());
  SetZoom(FitZoom(session_.Working().Width(), session_.Working().Height(), space.width, space.height));
}

void CEditImageDlg::SetZoom(double zoom) {
  zoom_ = zoom;
  canvas_.ScrollToPosition({0, 0});
  canvas_.ZoomChanged();
  UpdateCommandStates();
}

bool CEditImageDlg::Change(bool done) {
  if (!done) {
    // The session clears its error at every operation: only this operation's failure is told.
    if (!session_.Error().empty()) Fail(session_.Error());
    return false;
  }
  ShowWorkingPicture();
  return true;
}

bool CEditImageDlg::IsCommandEnabled(UINT id) const {
  const bool open = PanelOpen();
  switch (id) {
    case kCmdUndo: return session_.CanUndo();
    case kCmdRedo: return session_.CanRedo();
    case kCmdRemoveText: return canvas_.HasTextMark();
    case kCmdRemoveMark: return canvas_.HasPictureMark();
    case kCmdRemoveFrame: return canvas_.HasFrame();
    case kCmdCrop: return toolMode_ == kSelectionTool && !canvas_.Selection().IsEmpty();
    case kCmdPrevious: case kCmdPreviousAlt: return steps_ && steps_->HasPrevious();
    case kCmdNext: case kCmdNextAlt: return steps_ && steps_->HasNext();
    case kCmdSave: return !session_.IsSaved();
    case kCmdZoomIn: return CanZoomIn(zoom_) && !open;
    case kCmdZoomOut: return CanZoomOut(zoom_) && !open;
    case kCmdActualSize: return !IsActualSize(zoom_) && !open;
    default: return true;
  }
}

void CEditImageDlg::UpdateCommandStates() {
  if (!toolbar_) return;
  for (const ToolButton& tool : kToolButtons)
    SendMessageA(toolbar_, TB_ENABLEBUTTON, tool.command, IsCommandEnabled(tool.command) ? TRUE : FALSE);
}

void CEditImageDlg::ShowPixelText(const std::string& text) {
  if (statusSink_) statusSink_(text);
}

LRESULT CEditImageDlg::OnCanvasMenu(const fw::Message& m) {
  const POINT screen = {static_cast<short>(LOWORD(m.lParam)), static_cast<short>(HIWORD(m.lParam))};
  fw::Menu menus = fw::Menu::Load(fw::ThisModule(), IDR_EDIT_MENU);
  fw::Menu menu = menus.SubMenu(0);
  if (!menu) return 0;
  RemoveMenu(menu.Handle(), 0, MF_BYPOSITION);
  for (int i = 0; i < menu.ItemCount(); ++i) {
    const UINT id = GetMenuItemID(menu.Handle(), i);
    if (id != 0 && id != static_cast<UINT>(-1)) menu.Enable(id, IsCommandEnabled(id));
  }
  menu.SetItemText(kCmdFullScreen, CConfig::GetConfig()->GetFullScreenEdit() ? kLeaveFullScreenText : kFullScreenText);
  menu.Track(Handle(), screen.x, screen.y);
  return 0;
}

LRESULT CEditImageDlg::OnCommandMessage(const fw::Message& m) {
  RunCommand(LOWORD(m.wParam));
  return 0;
}

void CEditImageDlg::RunCommand(UINT id) {
  // Stepping past either end is answered with a box, so only the other commands wait for
  // their enabling.
  const bool step = id == kCmdPrevious || id == kCmdPreviousAlt || id == kCmdNext || id == kCmdNextAlt;
  if (!step && !IsCommandEnabled(id)) return;
  switch (id) {
    case kCmdFullScreen:
      SendMessageA(main_ ? main_ : parent_, kFullScreenSwitch, 0, 0);
      break;
    case kCmdLeave: case kCmdLeaveButton: Leave(); break;
    case kCmdPrevious: case kCmdPreviousAlt: Step(false); break;
    case kCmdNext: case kCmdNextAlt: Step(true); break;
    case kCmdUndo: Change(session_.Undo()); break;
    case kCmdRedo: Change(session_.Redo()); break;
    case kCmdRotateRight: Change(session_.Rotate(90.0)); break;
    case kCmdRotateLeft: Change(session_.Rotate(-90.0)); break;
    case kCmdRotateDialog: case kCmdRotateDialogAlt: {
      if (!session_.HasPicture()) break;
      CRotateDlg dialog;
      if (dialog.DoModal(Handle()) == IDOK) Change(session_.ApplyRotateChoice(dialog.Choice()));
      break;
    }
    case kCmdSizeDialog: case kCmdSizeDialogAlt: {
      if (!session_.HasPicture()) break;
      CImageSizeDlg dialog;
      dialog.SetStartSize(session_.Working().Width(), session_.Working().Height());
      if (dialog.DoModal(Handle()) != IDOK) break;
      // The previews go with the change; the fit follows the new size only while one was shown.
      const bool previewShown = canvas_.HasFrame() || canvas_.HasPictureMark() || canvas_.HasTextMark();
      if (Change(session_.Resize(dialog.NewWidth(), dialog.NewHeight())) && previewShown) FitToWindow();
      break;
    }
    case kCmdZoomIn: SetZoom(ZoomIn(zoom_)); break;
    case kCmdZoomOut: SetZoom(ZoomOut(zoom_)); break;
    case kCmdActualSize: SetZoom(1.0); break;
    case kCmdSelectTool: toolMode_ = kSelectionTool; break;
    case kCmdPointerTool: toolMode_ = kPointerTool; canvas_.ClearSelection(); break;
    case kCmdDropSelection: canvas_.ClearSelection(); break;
    case kCmdCrop: {
      const mb::PixelRect box = canvas_.Selection();
      canvas_.ClearSelection();
      Change(session_.Crop(box));
      break;
    }
    case kCmdSave: Save(); break;
    case kCmdSaveAs: SaveAs(); break;
    case kCmdRemoveText: canvas_.DropTextMark(); break;
    case kCmdRemoveMark: canvas_.DropPictureMark(); markPath_.clear(); break;
    case kCmdRemoveFrame: canvas_.DropFrame(); framePath_.clear(); break;
    case kCmdPanel: TogglePanel(); break;
    default: return;  // Enter and Escape (IDOK, IDCANCEL) are swallowed here too
  }
  UpdateCommandStates();
}

mb::Picture CEditImageDlg::Composed(const mb::Picture& base) const {
  mb::Picture composed = base;
  if (canvas_.HasPictureMark()) {
    mb::Picture mark = canvas_.PictureMark();
    SetMarkOpacity(mark, CConfig::GetConfig()->GetWatermarkOpacity());
    const Point at = canvas_.PictureMarkComposePoint();
    composed.Mix(mark, at.x, at.y, mb::MixMode::kSourceAlpha);
  }
  if (canvas_.HasTextMark() && !textRecord_.text.empty()) {
    const Point at = canvas_.TextMarkPoint();
    mb::DrawString(composed, at.x, at.y, textRecord_.text, StyleOf(textRecord_));
  }
  return composed;
}

bool CEditImageDlg::Save() {
  if (!session_.HasPicture()) return false;
  if (!session_.Save(Composed(canvas_.Displayed()))) {
    Fail(session_.Error());
    return false;
  }
  framePath_.clear();
  markPath_.clear();
  ShowWorkingPicture();
  panel_->SetImageFilePath(fw::CString(path_));
  panel_->Init();
  SendMessageA(parent_, kRefreshCurrentRow, 0, 0);
  return true;
}

void CEditImageDlg::SaveAs() {
  if (!session_.HasPicture()) return;
  const std::string extension = "." + mb::SplitPath(mb::GetFileNamePart(path_)).extension;
  char filter[128];
  std::snprintf(filter, sizeof filter, kSaveFilter, extension.c_str(), extension.c_str());
  std::string target = chooseSaveName_(Handle(), path_, filter);
  if (target.empty()) return;
  if (extension.size() > 1 && !HasExtension(target, extension)) target += extension;
  if (GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
    char question[MAX_PATH + 64];
    std::snprintf(question, sizeof question, kReplaceFile, target.c_str());
    if (AskMember(Handle(), question, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  }
  if (!session_.SaveCopy(Composed(canvas_.Displayed()), target)) Fail(session_.Error());
}

bool CEditImageDlg::AskToSaveChanges() {
  if (!session_.HasPicture() || session_.IsSaved()) return true;
  switch (AskMember(Handle(), kAskSaveChanges, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES: return Save();
    case IDNO: return true;
    default: return false;
  }
}

void CEditImageDlg::Step(bool forward) {
  if (!steps_) return;
  if (forward ? !steps_->HasNext() : !steps_->HasPrevious()) {
    AskMember(Handle(), forward ? kLastPicture : kFirstPicture, MB_OK | MB_ICONINFORMATION);
    return;
  }
  if (!AskToSaveChanges()) return;
  std::string path;
  if (!(forward ? steps_->StepNext(path) : steps_->StepPrevious(path))) return;
  OpenPicture(path, false);  // the member's zoom stays; the scroll sizes follow the new picture
  panel_->Init();
  panel_->SetImageFilePath(fw::CString(path));
}

void CEditImageDlg::ResetPanel() {
  canvas_.DropPreviews();
  framePath_.clear();
  markPath_.clear();
  panel_->Init();
}

void CEditImageDlg::TogglePanel() {
  const bool open = PanelOpen();
  if (open && (canvas_.HasFrame() || canvas_.HasPictureMark() || canvas_.HasTextMark())) {
    switch (AskMember(Handle(), kAskSavePreviews, MB_YESNOCANCEL | MB_ICONQUESTION)) {
      case IDYES: Save(); break;
      case IDNO: ResetPanel(); break;
      default: return;  // the panel stays open
    }
  }
  CConfig::GetConfig()->SetEditPanelOpen(open ? 0 : 1);
  FitToWindow();
  LayOut();
  UpdateCommandStates();
}

void CEditImageDlg::Leave() {
  if (!AskToSaveChanges()) return;
  zoom_ = 1.0;
  markPoint_ = {20, 20};
  session_.Close();
  if (toolMode_ == kSelectionTool) {
    SendMessageA(toolbar_, TB_CHECKBUTTON, kCmdPointerTool, TRUE);
  }
  ShowWindow(Handle(), SW_HIDE);
  canvas_.ClearPicture();
  toolMode_ = kPointerTool;
  panel_->Init();
  HWND main = main_ ? main_ : parent_;
  SendMessageA(main, kFullScreenSwitch, 1, 0);
  SendMessageA(parent_, kShowPictureList, 0, 0);
  SendMessageA(parent_, WM_UPLOAD_STATUS, 0, 0);
  SendMessageA(main, kEditingState, 1, 0);
}

LRESULT CEditImageDlg::OnDestroy(const fw::Message&) {
  if (session_.HasPicture() && !session_.IsSaved() &&
      AskMember(Handle(), kAskSaveChanges, MB_YESNO | MB_ICONQUESTION) == IDYES) {
    Save();
  }
  session_.Close();
  return 0;
}

LRESULT CEditImageDlg::OnLButtonDown(const fw::Message& m) {
  const POINT at = {static_cast<short>(LOWORD(m.lParam)), static_cast<short>(HIWORD(m.lParam))};
  RECT panel, close;
  GetWindowRect(Panel(), &panel);
  GetWindowRect(closeButton_, &close);
  MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&panel), 2);
  MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&close), 2);
  if (PtInRect(&panel, at)) {
    TogglePanel();
  } else if (PtInRect(&close, at)) {
    Leave();
  }
  return 0;
}

bool CEditImageDlg::LoadPanelPicture(const fw::Message& m, std::string& path, mb::Picture& picture) const {
  if (!session_.HasPicture() || !m.lParam) return false;
  path = reinterpret_cast<const char*>(m.lParam);
  if (picture.Load(path)) return true;
  Fail(picture.LastError());
  return false;
}

LRESULT CEditImageDlg::OnAddPictureMark(const fw::Message& m) {
  std::string path;
  mb::Picture mark;
  if (!LoadPanelPicture(m, path, mark)) return 0;
  if (mark.Width() > session_.Working().Width() || mark.Height() > session_.Working().Height()) {
    AskMember(Handle(), kMarkTooLarge, MB_OK | MB_ICONWARNING);
    return 0;
  }
  canvas_.DropPictureMark();
  markPath_ = path;
  markKind_ = 0;
  if (canvas_.ShowPictureMark(mark, static_cast<int>(m.wParam))) session_.MarkChanged();
  UpdateCommandStates();
  return 0;
}

LRESULT CEditImageDlg::OnSetFrame(const fw::Message& m) {
  std::string path;
  mb::Picture frame;
  if (!LoadPanelPicture(m, path, frame)) return 0;
  framePath_ = path;
  canvas_.SetFrame(frame);
  session_.MarkChanged();
  UpdateCommandStates();
  return 0;
}

LRESULT CEditImageDlg::OnMovePictureMark(const fw::Message& m) {
  canvas_.Send(CImageEditView::kPlaceMarkMessage, m.wParam);
  return 0;
}

LRESULT CEditImageDlg::OnRemoveMarkOrFrame(const fw::Message& m) {
  RunCommand(m.wParam == 1 ? kCmdRemoveMark : kCmdRemoveFrame);
  return 0;
}

void CEditImageDlg::RenderTextMark() {
  const std::string canvasFile = fw::Module::ProgramFolder() + "test.png";
  mb::Picture text;
  if (!text.Load(canvasFile)) {
    char message[MAX_PATH + 64];
    std::snprintf(message, sizeof message, kNoTextCanvas, canvasFile.c_str());
    Fail(message);
    return;
  }
  mb::DrawString(text, 0, 0, textRecord_.text, StyleOf(textRecord_));
  canvas_.ShowTextMark(text, markPoint_);
}

LRESULT CEditImageDlg::OnTextMark(const fw::Message& m) {
  if (!session_.HasPicture() || !m.lParam) return 0;
  markKind_ = 1;
  textTool_ = static_cast<int>(m.wParam);
  const TextWatermarkRecord record = ParseTextWatermarkRecord(reinterpret_cast<const void*>(m.lParam));
  if (record.text.empty()) {
    canvas_.DropTextMark();
  } else {
    textRecord_ = record;
    RenderTextMark();
    if (canvas_.HasTextMark()) session_.MarkChanged();
  }
  UpdateCommandStates();
  return 0;
}

LRESULT CEditImageDlg::OnMoveToPoint(const fw::Message& m) {
  if (m.wParam != 1) {
    SendMessageA(Panel(), kMoveToPoint, m.wParam, m.lParam);
    return 0;
  }
  if (!m.lParam) return 0;
  const auto* point = reinterpret_cast<const std::int32_t*>(m.lParam);
  markPoint_ = {point[0], point[1]};
  if (markKind_ == 1) {
    if (canvas_.HasTextMark()) RenderTextMark();
  } else {
    canvas_.MovePictureMarkTo(markPoint_);
  }
  return 0;
}

LRESULT CEditImageDlg::OnDropMarkPreview(const fw::Message&) {
  canvas_.DropPictureMark();
  UpdateCommandStates();
  return 0;
}

LRESULT CEditImageDlg::OnPanelReady(const fw::Message&) {
  EnableWindow(toolbar_, TRUE);
  BringWindowToTop(toolbar_);
  return 0;
}

LRESULT CEditImageDlg::OnPlaceMarkAgain(const fw::Message&) {
  canvas_.PlacePictureMark(canvas_.LastPlaceCode());
  return 0;
}

LRESULT CEditImageDlg::OnHeadClose(const fw::Message&) {
  TogglePanel();
  return 0;
}
