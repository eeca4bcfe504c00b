#include "uploader/main_frame.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <string>

#include "common/gbk_text.h"
#include "conf/win/config.h"
#include "editor/win/shell_folder_tree.h"
#include "framework/module.h"
#include "settings/win/config_dlg.h"
#include "uibase/win/menu_xp.h"
#include "uibase/win/xp_button.h"
#include "thumblist/core/image_info_record.h"
#include "uibase/win/zel_head_ctrl.h"
#include "uploader/browser_page.h"
#include "uploader/data_files.h"
#include "uploader/frame_panes.h"
#include "uploader/hoistly_app.h"
#include "uploader/hoistly_resource.h"
#include "uploader/member/win/login_dlg.h"
#include "uploader/picture_import.h"
#include "uploader/program_folder.h"
#include "uploader/service_places.h"
#include "uploader/status/image_facts.h"
#include "uploader/uploader_messages.h"
#include "uploader/view_mediator.h"

namespace {

const char kSystemCaption[] = "墨岚屏[Pelora]-系统消息";
const int kToolBarHeight = 56;
const int kInnerColumnMargin = 420;
const int kLoginMenu = 3;     // the fourth top-level menu holds the login item
const int kPlainMenuCount = 5;  // the menu bar without the editing menu
const char kEditingMenuTitle[] = "图像(&I)";
const UINT kEditingMenuId = 149;

// Commands passed to the picture view as they come.
const UINT kViewCommands[] = {32793, 32794, 32806, 32807, 32815, 32816, 32817, 32836, 32838, 32839, 32840,
                              32841, 32843, 32844, 32877, 32878, 32882, 32921, 32930, 57643, 57644, 32940, 32941};

struct ToolButton {
  UINT id;
  const char* text;
  const char* icon;
  const char* hotIcon;
};
const ToolButton kToolButtons[] = {
    {32887, "导  入", "op.ico", "d_op.ico"},      {32895, "上  传", "tran.ico", "d_tran.ico"},
    {32891, "全  选", "add.ico", "d_add.ico"},    {32892, "取  消", "cancel.ico", "d_cancel.ico"},
    {32893, "左  旋", "l.ico", "d_l.ico"},        {32894, " 右  旋 ", "r.ico", "d_r.ico"},
    {32933, "查  看", "view.ico", "view_d.ico"},  {32889, "设  置", "setup.ico", "d_setup.ico"},
    {32890, "关  于", "about.ico", "about_d.ico"}, {32888, "退  出", "off.ico", "d_off.ico"},
    {32939, "上  层", nullptr, nullptr},          {32940, "前  进", nullptr, nullptr},
    {32941, "后  退", nullptr, nullptr},
};
const char* const kCategories[] = {"全部", "活动", "原创", "壁纸", "主题"};

// The commands of the "图像(&I)" menu: the picture editor enables them.
const UINT kEditingCommands[] = {32793, 32794, 32806, 32807, 32808, 32809, 32817, 32836, 32838, 32839, 32840, 32841,
                                 32842, 32843, 32844, 32877, 32878, 32882, 32930, 32948, 32949, 32951, 1001,
                                 57643, 57644};

// The folder tree can go one level up when its chosen folder has a parent item.
bool FolderTreeCanGoUp(HWND folderTree) {
  HWND tree = folderTree ? FindWindowExA(folderTree, nullptr, WC_TREEVIEWA, nullptr) : nullptr;
  if (!tree) return false;
  const LPARAM chosen = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
  return chosen && SendMessageA(tree, TVM_GETNEXTITEM, TVGN_PARENT, chosen) != 0;
}

// "%sRes\%s": the icon beside the program, or a blank image when it is missing.
HICON LoadResIcon(const char* name, int size) {
  const std::string path = hoistly::ProgramFolder() + "\\Res\\" + name;
  return static_cast<HICON>(LoadImageA(nullptr, path.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE));
}

fw::ImageList MakeImageList(int size, bool hot) {
  fw::ImageList list;
  list.Create(size, size, ILC_COLOR32 | ILC_MASK, 10, 2);
  list.SetBackground(RGB(255, 203, 50));
  for (const ToolButton& button : kToolButtons) {
    if (!button.icon) continue;
    HICON icon = LoadResIcon(hot ? button.hotIcon : button.icon, size);
    if (icon) {
      list.AddIcon(icon);
      DestroyIcon(icon);
    } else {
      // Keeps the images of the following buttons at their indexes.
      HDC screen = GetDC(nullptr);
      HBITMAP blank = CreateCompatibleBitmap(screen, size, size);
      ReleaseDC(nullptr, screen);
      list.AddMasked(blank, RGB(0, 0, 0));
      DeleteObject(blank);
    }
  }
  return list;
}

int MessageBoxOf(HWND owner, const char* text, UINT type) { return MessageBoxA(owner, text, kSystemCaption, type); }

}  // namespace

CMainFrame::CMainFrame() : panes_(std::make_unique<PaneSet>()) {
  editBrush_ = CreateSolidBrush(RGB(128, 0, 128));
  Handle(WM_CREATE, &CMainFrame::OnCreate);
  Handle(WM_SIZE, &CMainFrame::OnSize);
  Handle(WM_CLOSE, &CMainFrame::OnClose);
  Handle(WM_CTLCOLOREDIT, &CMainFrame::OnCtlColorEdit);
  Handle(WM_SYSCOMMAND, &CMainFrame::OnSysCommand);
  Handle(WM_UPLOAD_STATUS, &CMainFrame::OnUploadStatus);
  Handle(WM_UPLOAD_BLOCK_SENT, &CMainFrame::OnUploadBlockSent);
  Handle(WM_UPLOAD_QUEUE_EMPTY, &CMainFrame::OnUploadQueueEmpty);
  Handle(WM_UPLOAD_CONNECT_FAILED, &CMainFrame::OnUploadConnectFailed);
  Handle(WM_LIST_ROTATED, &CMainFrame::ForwardToImageView);
  Handle(WM_RESAVE_PICTURE, &CMainFrame::ForwardToImageView);
  Handle(WM_APPLY_ROW_SETTINGS, &CMainFrame::ForwardToImageView);
  Handle(WM_SHOW_IMAGE_INFO, &CMainFrame::OnShowImageInfo);
  Handle(WM_STORE_IMAGE_INFO, &CMainFrame::OnStoreImageInfo);
  Handle(WM_REFRESH_COLUMNS, &CMainFrame::OnRefreshColumns);
  Handle(WM_REFRESH_FOLDER, &CMainFrame::OnRefreshFolder);
  Handle(WM_HEAD_CLOSE, &CMainFrame::OnHeadClose);
  Handle(WM_OPEN_PICTURE_PATH, &CMainFrame::OnOpenPicturePath);
  Handle(WM_CLOSE_UPLOADER, &CMainFrame::OnCloseUploader);
  Handle(WM_FULL_SCREEN_EDIT, &CMainFrame::OnFullScreenEdit);
  Handle(WM_GETMINMAXINFO, &CMainFrame::OnGetMinMaxInfo);
  Handle(WM_EDITING_STATE, &CMainFrame::OnEditingMenu);
  Handle(WM_TOGGLE_FRAME, &CMainFrame::OnToggleFrame);
  Handle(WM_UPLOADER_QUIET, &CMainFrame::OnQuiet);
  Handle(ShellFolderTree::kFolderChosenMessage, &CMainFrame::OnFolderChosen);
  Notify(ID_VIEW_TOOLBAR, TBN_DROPDOWN, &CMainFrame::OnViewDropDown);
  MapCommands();
  DefineCommandStates();
}

CMainFrame::~CMainFrame() {
  if (CViewMediator::Get().Frame() == this) CViewMediator::Get().RegisterFrame(nullptr);
  CViewMediator::Get().RegisterImageView(nullptr);
  if (searchFont_) DeleteObject(searchFont_);
  DeleteObject(editBrush_);
}

void CMainFrame::MapCommands() {
  for (UINT id : kViewCommands) {
    Map().OnCommand(id, [this, id](UINT, HWND) { SendToImageView(WM_COMMAND, id, 0); });
  }
  Map().OnCommand(32808, [this](UINT, HWND) { SendToImageView(WM_COMMAND, 32793, 0); });
  Map().OnCommand(32809, [this](UINT, HWND) { SendToImageView(WM_COMMAND, 32794, 0); });
  Map().OnCommand(32939, [](UINT, HWND) {
    if (HWND tree = CViewMediator::Get().FolderTree()) SendMessageA(tree, WM_COMMAND, 32938, 0);
  });
  Map().OnCommand(32772, [this](UINT, HWND) { SendToImageView(WM_TOGGLE_LIST_MODE, 0, 0); });
  for (UINT id : {32773u, 32891u}) Map().OnCommand(id, [this](UINT, HWND) { SendToImageView(WM_TICK_ALL_ROWS, 1, 0); });
  for (UINT id : {32775u, 32892u}) Map().OnCommand(id, [this](UINT, HWND) { SendToImageView(WM_TICK_ALL_ROWS, 0, 0); });
  for (UINT id : {32784u, 32893u}) {
    Map().OnCommand(id, [this](UINT, HWND) { SendToImageView(WM_LIST_ROTATED, static_cast<WPARAM>(-90), 0); });
  }
  for (UINT id : {32785u, 32894u}) Map().OnCommand(id, [this](UINT, HWND) { SendToImageView(WM_LIST_ROTATED, 90, 0); });
  for (UINT id : {32786u, 32889u}) Command(id, &CMainFrame::OnSettings);
  for (UINT id : {32787u, 32902u}) Command(id, &CMainFrame::OnViewDetail);
  for (UINT id : {32899u, 32903u}) Command(id, &CMainFrame::OnViewThumb);
  Command(32933, &CMainFrame::OnViewToggle);
  for (UINT id : {32818u, 32895u}) Command(id, &CMainFrame::OnToolUpload);
  for (UINT id : {32802u, 32888u}) Command(id, &CMainFrame::OnExit);
  Map().OnCommand(32803, [this](UINT, HWND) { ShowWindow(Handle(), SW_SHOW); });
  Map().OnCommand(32804, [this](UINT, HWND) { ShowWindow(Handle(), SW_HIDE); });
  for (UINT id : {32821u, 32887u}) Command(id, &CMainFrame::OnImport);
  Map().OnCommand(32824, [](UINT, HWND) { hoistly::OpenBrowserPage(hoistly::ServiceUrl("/")); });
  Map().OnCommand(32828, [](UINT, HWND) { hoistly::OpenBrowserPage(hoistly::ServiceUrl("/service.html")); });
  Command(ID_SEARCH_BUTTON, &CMainFrame::OnSearch);
  Command(32853, &CMainFrame::OnLogin);
  Command(32898, &CMainFrame::OnToggleFloatWindow);
  Command(32906, &CMainFrame::OnToggleInfoPane);
  Command(32907, &CMainFrame::OnToggleSettingsPane);
  Command(ID_VIEW_TOOLBAR, &CMainFrame::OnToggleToolBar);
  for (UINT id : {ID_APP_ABOUT, ID_TOOL_ABOUT}) Command(id, &CMainFrame::OnAbout);
}

void CMainFrame::DefineCommandStates() {
  CViewMediator& views = CViewMediator::Get();
  CConfig* config = CConfig::GetConfig();
  fw::CommandState& state = Commands();
  auto define = [&state](std::initializer_list<UINT> ids, fw::CommandState::Rule rule) {
    for (UINT id : ids) state.Define(id, rule);
  };
  auto editing = [&views] { return views.IsEditWindowVisible(); };
  define({32818, 32895}, [&views, config] { return fw::EnabledIf(config->GetLogin() && views.RowCount() > 0); });
  define({32821, 32887, 32933}, [editing] { return fw::EnabledIf(!editing()); });
  define({32773, 32891}, [&views, editing] {
    return fw::EnabledIf(!editing() && views.RowCount() > 0 && views.TickedCount() < views.RowCount());
  });
  define({32775, 32892, 32816}, [&views, editing] { return fw::EnabledIf(!editing() && views.TickedCount() > 0); });
  define({32815, 32857}, [&views, editing] { return fw::EnabledIf(!editing() && views.HighlightedCount() > 0); });
  define({32784, 32785, 32893, 32894}, [&views, editing] {
    return fw::EnabledIf(!editing() && (views.TickedCount() > 0 || views.HighlightedCount() > 0));
  });
  define({32940}, [&views] { return fw::EnabledIf(views.StoredListCount() >= 2 && views.CurrentListIndex() >= 1); });
  define({32941}, [&views] {
    return fw::EnabledIf(views.StoredListCount() >= 2 && views.CurrentListIndex() < views.StoredListCount() - 1);
  });
  define({32939}, [&views] { return fw::EnabledIf(FolderTreeCanGoUp(views.FolderTree())); });
  for (UINT id : kEditingCommands) {
    state.Define(id, [&views, id] { return fw::EnabledIf(views.IsEditCommandEnabled(id)); });
  }
  define({32921}, [config] { return fw::CheckedIf(config->GetShowGridLine() != 0, config->GetListView() != 0); });
  define({32787}, [config] { return fw::CheckedIf(config->GetDefaultListView() != 0); });
  define({32899}, [config] { return fw::CheckedIf(config->GetListView() == 0); });
  define({32906}, [this, config] {
    return fw::CheckedIf(config->GetInfoPaneShown() != 0, GetMenuItemCount(GetMenu(Handle())) == kPlainMenuCount);
  });
  define({32907}, [this, config] {
    return fw::CheckedIf(config->GetSettingsPaneShown() != 0, GetMenuItemCount(GetMenu(Handle())) == kPlainMenuCount);
  });
  define({ID_VIEW_TOOLBAR}, [config] { return fw::CheckedIf(config->GetUploaderWord(0) != 0); });
}

LRESULT CMainFrame::OnCreate(const fw::Message&) {
  if (!status_.Create(Handle(), ID_VIEW_STATUS_BAR, 4)) return -1;
  SetStatusBar(&status_);
  if (!progress_.Create(status_.Handle(), ID_STATUS_PROGRESS)) return -1;
  LayOutStatusPanes(false);
  UpdateLoginMenu();
  if (!CreateToolBar()) return -1;
  CreateSearchBox();
  if (!inner_.Create(Handle(), 1, 3, ID_INNER_SPLITTER) || !outer_.Create(inner_.Handle(), 2, 1, ID_OUTER_SPLITTER)) {
    return -1;
  }
  SetClientPane(inner_.Handle());
  RECT client;
  GetClientRect(Handle(), &client);
  if (!panes_->Create(inner_, outer_, client.right, Handle())) return -1;
  CViewMediator& views = CViewMediator::Get();
  views.RegisterFrame(this);
  views.RegisterImageView(panes_->ImageView());
  views.RegisterFolderTree(panes_->FolderTree());
  SendMessageA(panes_->FolderTree(), WM_SELECT_TREE_ITEM, 0, 0);
  SetFocus(panes_->FolderTree());
  SendMessageA(panes_->LimitPane(), WM_HEAD_CLOSE, HEAD_CLOSE_START, 0);

  if (hoistly::DataFileCheck().Run(hoistly::ServiceUrl("/admin/version.txt"), hoistly::ProgramFolder()) > 0) {
    // New lists arrived (on a first run the pane was filled from none): the settings pane
    // offers them from now on.
    CConfig* config = CConfig::GetConfig();
    config->LoadClassify();
    config->LoadActives();
    config->LoadThemes();
    SendMessageA(panes_->LimitPane(), WM_HEAD_CLOSE, HEAD_CLOSE_START, 0);
  }
  SendMessageA(Handle(), WM_COMMAND, ID_VIEW_TOOLBAR, 0);
  return 0;
}

bool CMainFrame::CreateToolBar() {
  if (!toolBar_.Create(Handle(), ID_VIEW_TOOLBAR)) return false;
  toolBar_.SetImageLists(MakeImageList(32, false), MakeImageList(32, true));
  smallImages_ = MakeImageList(16, false);
  smallHotImages_ = MakeImageList(16, true);
  toolBar_.SetSizes({48, 48}, {30, 30});
  int image = 0;
  for (const ToolButton& button : kToolButtons) toolBar_.AddButton(button.id, button.icon ? image++ : I_IMAGENONE, button.text);
  toolBar_.SetDropDown(32933);
  for (UINT id : {32939u, 32940u, 32941u}) toolBar_.HideButton(id, true);
  SetToolBar(&toolBar_, kToolBarHeight);
  return true;
}

void CMainFrame::CreateSearchBox() {
  LOGFONTA font = {};
  HDC screen = GetDC(nullptr);
  font.lfHeight = -MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  font.lfCharSet = GB2312_CHARSET;
  lstrcpyA(font.lfFaceName, "宋体");
  searchFont_ = CreateFontIndirectA(&font);
  // Children of the frame laid over the toolbar, so that their notifications reach the frame.
  auto make = [this](DWORD exStyle, const char* cls, DWORD style, UINT id) {
    HWND control = CreateWindowExA(exStyle, cls, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, Handle(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), fw::Module::Instance(), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(searchFont_), FALSE);
    return control;
  };
  searchEdit_ = make(WS_EX_CLIENTEDGE, "EDIT", ES_AUTOHSCROLL | WS_TABSTOP, ID_SEARCH_EDIT);
  categoryCombo_ = make(0, "COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, ID_SEARCH_CATEGORY);
  for (const char* category : kCategories) SendMessageA(categoryCombo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(category));
  SendMessageA(categoryCombo_, CB_SETCURSEL, 3, 0);
  searchButton_ = std::make_unique<CXPButton>();
  const RECT none = {0, 0, 0, 0};
  searchButton_->Create("壁纸搜索", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, none, Handle(), ID_SEARCH_BUTTON);
  SendMessageA(searchButton_->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(searchFont_), FALSE);
}

void CMainFrame::PlaceSearchBox() {
  const bool shown = toolBar_.IsVisible();
  for (HWND control : {searchEdit_, categoryCombo_, searchButton_ ? searchButton_->Handle() : nullptr}) {
    if (control) ShowWindow(control, shown ? SW_SHOWNA : SW_HIDE);
  }
  if (!shown) return;
  RECT bar;
  GetClientRect(toolBar_.Handle(), &bar);
  const int top = (kToolBarHeight - 20) / 2;
  MoveWindow(searchEdit_, bar.right - 360, top, 148, 20, TRUE);
  MoveWindow(categoryCombo_, bar.right - 208, top, 100, 300, TRUE);
  MoveWindow(searchButton_->Handle(), bar.right - 100, top - 1, 80, 22, TRUE);
  for (HWND control : {searchEdit_, categoryCombo_, searchButton_->Handle()}) {
    SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void CMainFrame::UpdateLoginMenu() {
  HMENU bar = GetMenu(Handle());
  if (!bar) return;
  HMENU login = GetSubMenu(bar, kLoginMenu);
  if (login) {
    const char* text = CConfig::GetConfig()->GetLogin() ? "注销(&L)..." : "登录(&L)...";
    ModifyMenuA(login, 32853, MF_BYCOMMAND | MF_STRING, 32853, text);
  }
  for (UINT id : {32853u, 32858u, 32898u}) RemoveMenu(bar, id, MF_BYCOMMAND);
  CMenuXP::UpdateMenuBar(Handle());
  DrawMenuBar(Handle());
}

void CMainFrame::LayOutStatusPanes(bool forStatusText) {
  RECT window;
  GetWindowRect(Handle(), &window);
  const int width = window.right - window.left;
  const int half = (width - 100) / 2;
  const int last = forStatusText ? 75 : 165 + (width - 100) % 2;
  status_.SetPanes({half - 50, half - 40, 75, last}, {fw::kPaneNormal, fw::kPaneNoText, fw::kPanePopOut, fw::kPanePopOut});
  PlaceProgress();
}

void CMainFrame::PlaceProgress() {
  const RECT pane = status_.PaneRect(1);
  MoveWindow(progress_, pane.left, pane.top, pane.right - pane.left, pane.bottom - pane.top, TRUE);
}

LRESULT CMainFrame::OnSize(const fw::Message& m) {
  if (m.wParam == SIZE_MINIMIZED) return 0;
  SetToolBarHeight(kToolBarHeight);
  RecalcLayout();
  LayOutStatusPanes(false);
  PlaceSearchBox();
  if (!fullScreen_) {
    RECT client;
    GetClientRect(Handle(), &client);
    inner_.SetColumnInfo(0, 200, 100);
    inner_.SetColumnInfo(1, client.right > kInnerColumnMargin + 200 ? client.right - kInnerColumnMargin : 200, 200);
    if (!inner_.IsColumnHidden(2)) inner_.SetColumnInfo(2, 220, 100);
    inner_.LayOut();
  }
  return 0;
}

void CMainFrame::SetStatusText(const char* text) {
  LayOutStatusPanes(true);
  status_.SetPaneText(0, text);
  status_.SetPaneText(1, "");
}

void CMainFrame::SetPaneText(int pane, const char* text) { status_.SetPaneText(pane, text); }

void CMainFrame::SetProgressRange(unsigned short n) { SendMessageA(progress_, PBM_SETRANGE32, 0, n); }

void CMainFrame::SetProgressPos(int pos) { SendMessageA(progress_, PBM_SETPOS, pos, 0); }

int CMainFrame::ProgressPos() const { return static_cast<int>(SendMessageA(progress_, PBM_GETPOS, 0, 0)); }

void CMainFrame::ShowProgress(bool show) {
  if (show) PlaceProgress();
  ShowWindow(progress_, show ? SW_SHOWNA : SW_HIDE);
}

// Both side panes hear of it, shown or not: a row they show belongs to the folder that is left.
void CMainFrame::OnFolderOpened() {
  for (int row = 0; row < 2; ++row) SendToOuterPane(row, WM_PANE_FOLDER_OPENED, 0, 0);
}

void CMainFrame::SendToOuterPane(int row, UINT message, WPARAM wParam, LPARAM lParam) {
  if (HWND pane = outer_.Pane(row, 0)) SendMessageA(pane, message, wParam, lParam);
}

LRESULT CMainFrame::SendToImageView(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND view = panes_->ImageViewWindow();
  return view ? SendMessageA(view, message, wParam, lParam) : 0;
}

LRESULT CMainFrame::ForwardToImageView(const fw::Message& m) { return SendToImageView(m.id, m.wParam, m.lParam); }

LRESULT CMainFrame::OnQuiet(const fw::Message&) { return 0; }

LRESULT CMainFrame::OnCtlColorEdit(const fw::Message& m) {
  HDC dc = reinterpret_cast<HDC>(m.wParam);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 0, 0));
  return reinterpret_cast<LRESULT>(editBrush_);
}

LRESULT CMainFrame::OnSysCommand(const fw::Message& m) {
  if ((m.wParam & 0xFFF0) == SC_MINIMIZE) {
    ShowWindow(Handle(), SW_HIDE);
    return 0;
  }
  return CallDefault(m);
}

bool CMainFrame::InitialRect(RECT& rect) const {
  return SystemParametersInfoA(SPI_GETWORKAREA, 0, &rect, 0) != FALSE;
}

bool CMainFrame::PreTranslateMessage(MSG& msg) {
  return msg.message == WM_KEYDOWN && (msg.wParam == VK_ESCAPE || msg.wParam == VK_RETURN);
}

LRESULT CMainFrame::OnViewDropDown(NMHDR* header) {
  const auto* dropDown = reinterpret_cast<NMTOOLBARA*>(header);
  if (dropDown->iItem != 32933) return TBDDRET_NODEFAULT;
  HMENU menu = LoadMenuA(fw::Module::ResourceInstance(), MAKEINTRESOURCEA(IDR_VIEW_MENU));
  if (!menu) return TBDDRET_DEFAULT;
  RECT button = toolBar_.ButtonRect(32933);
  MapWindowPoints(toolBar_.Handle(), nullptr, reinterpret_cast<POINT*>(&button), 2);
  HMENU popup = GetSubMenu(menu, 0);
  Commands().Apply(popup);
  TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN, button.left, button.bottom, 0, Handle(), nullptr);
  DestroyMenu(menu);
  return TBDDRET_DEFAULT;
}

LRESULT CMainFrame::OnUploadStatus(const fw::Message& m) {
  CViewMediator& views = CViewMediator::Get();
  switch (m.wParam) {
    case LIST_STATUS_TEXT:
      status_.SetPaneText(0, reinterpret_cast<const char*>(m.lParam));
      return 0;
    case UPLOAD_STATUS_ALL_SENT: {
      if (views.BlocksTotal() > views.BlocksSent()) {
        // The bar and its text read the batch's own count: both show the whole batch.
        views.CompleteBatch();
        SetProgressPos(static_cast<int>(SendMessageA(progress_, PBM_GETRANGE, FALSE, 0)));
        Sleep(300);
      }
      views.SetUploading(0);
      views.ResetUploadCounters();
      SetStatusText("传送完成！");
      ShowProgress(false);
      status_.SetPaneText(2, "");
      status_.SetPaneText(3, "");
      return 0;
    }
    case UPLOAD_STATUS_CONNECTED:
      SetStatusText("连接服务器成功,开始传送文件!");
      Sleep(200);
      return 0;
    default:
      return SendToImageView(m.id, m.wParam, m.lParam);
  }
}

LRESULT CMainFrame::OnUploadBlockSent(const fw::Message& m) {
  ShowProgress(true);
  return SendToImageView(m.id, m.wParam, m.lParam);
}

LRESULT CMainFrame::OnUploadQueueEmpty(const fw::Message& m) { return SendToImageView(m.id, m.wParam, m.lParam); }

LRESULT CMainFrame::OnUploadConnectFailed(const fw::Message& m) {
  CViewMediator::Get().SetUploading(0);
  SendToImageView(m.id, m.wParam, m.lParam);
  status_.SetPaneText(2, "");
  SetStatusText("上传失败!");
  ShowProgress(false);
  return 0;
}

LRESULT CMainFrame::OnShowImageInfo(const fw::Message& m) {
  const auto* info = reinterpret_cast<const stImageInfo*>(m.lParam);
  const int row = static_cast<int>(m.wParam);
  if (row == -1 || inner_.HiddenColumnCount() != 0) ShowFactsInStatusBar(info);
  // The side panes hear of every row, also while the editor hides their column: they show the
  // current picture's facts (and the settings pane edits the list's current rows) when they are
  // back.
  if (row == -1) return 0;
  if (m.wParam == kStoreOnlyRow) {
    SendToOuterPane(1, m.id, m.wParam, m.lParam);
    return 0;
  }
  switch (outer_.HiddenRowCount() == 0 ? -1 : outer_.IsRowHidden(0) ? 0 : 1) {
    case -1:
      SendToOuterPane(0, m.id, m.wParam, m.lParam);
      SendToOuterPane(1, m.id, m.wParam, m.lParam);
      break;
    case 0:
      SendToOuterPane(1, m.id, m.wParam, m.lParam);
      break;
    default:
      SendToOuterPane(0, m.id, m.wParam, m.lParam);
      break;
  }
  return 0;
}

void CMainFrame::ShowFactsInStatusBar(const stImageInfo* info) {
  hoistly::ImageFacts facts;
  if (!info || !hoistly::ReadImageFacts(*info, facts)) return;
  RECT client;
  GetClientRect(Handle(), &client);
  status_.SetPanes({180, client.right - 500, 136, 180},
                   {fw::kPaneNormal, fw::kPaneNoText, fw::kPanePopOut, fw::kPanePopOut});
  status_.SetPaneText(0, ("文件名：" + facts.name).c_str());
  status_.SetPaneText(1, ("文件路径：" + facts.folder).c_str());
  status_.SetPaneText(2, ("文件大小：" + facts.size).c_str());
  status_.SetPaneText(3, ("图像大小：" + facts.dimensions).c_str());
  ShowProgress(false);
}

LRESULT CMainFrame::OnStoreImageInfo(const fw::Message& m) {
  SendToOuterPane(1, m.id, m.wParam, m.lParam);
  return 0;
}

LRESULT CMainFrame::OnRefreshColumns(const fw::Message&) {
  CViewMediator::Get().RefreshColumns();
  return 0;
}

LRESULT CMainFrame::OnRefreshFolder(const fw::Message& m) { return SendToImageView(m.id, m.wParam, m.lParam); }

void CMainFrame::SetPaneShown(int row, bool shown) {
  CConfig* config = CConfig::GetConfig();
  if (row == 0) {
    config->SetInfoPaneShown(shown);
  } else {
    config->SetSettingsPaneShown(shown);
  }
  ImageViewLink* view = CViewMediator::Get().ImageView();
  if (shown) {
    ShowFolderPane();
    if (inner_.IsColumnHidden(2)) inner_.ShowColumn(2);
    outer_.ShowRow(row);
    if (view) view->ShowSideStrip(false);
  } else {
    outer_.HideRow(row);
    if (!config->GetInfoPaneShown() && !config->GetSettingsPaneShown()) {
      inner_.HideColumn(2);
      if (view) view->ShowSideStrip(true);
    }
  }
  AfterPaneChange();
}

void CMainFrame::AfterPaneChange() {
  CConfig* config = CConfig::GetConfig();
  if (config->GetInfoPaneShown() && config->GetSettingsPaneShown()) {
    SendToOuterPane(0, WM_PANE_HEAD_STATE, 5, 0);
    SendToOuterPane(1, WM_PANE_HEAD_STATE, 5, 0);
  } else if (config->GetInfoPaneShown() || config->GetSettingsPaneShown()) {
    SendToOuterPane(config->GetInfoPaneShown() ? 0 : 1, WM_PANE_HEAD_STATE, 6, 0);
  }
}

void CMainFrame::ResetPanes() {
  ShowFolderPane();
  if (inner_.IsColumnHidden(2)) inner_.ShowColumn(2);
  for (int row = 0; row < 2; ++row) {
    if (outer_.IsRowHidden(row)) outer_.ShowRow(row);
  }
  CConfig* config = CConfig::GetConfig();
  config->SetInfoPaneShown(1);
  config->SetSettingsPaneShown(1);
  HMENU bar = GetMenu(Handle());
  for (UINT id : {32906u, 32907u}) CheckMenuItem(bar, id, MF_BYCOMMAND | MF_CHECKED);
  if (ImageViewLink* view = CViewMediator::Get().ImageView()) view->ShowSideStrip(false);
  AfterPaneChange();
}

void CMainFrame::OnToggleInfoPane() { SetPaneShown(0, !CConfig::GetConfig()->GetInfoPaneShown()); }

void CMainFrame::OnToggleSettingsPane() { SetPaneShown(1, !CConfig::GetConfig()->GetSettingsPaneShown()); }

// The folder pane, closed by its title bar, comes back wherever the side panes are shown again.
void CMainFrame::ShowFolderPane() {
  if (inner_.IsColumnHidden(0)) inner_.ShowColumn(0);
}

LRESULT CMainFrame::OnHeadClose(const fw::Message& m) {
  if (m.wParam == HEAD_CLOSE_FOLDER_PANE && !inner_.IsColumnHidden(0)) inner_.HideColumn(0);
  if (m.wParam == HEAD_CLOSE_INFO_PANE) OnToggleInfoPane();
  if (m.wParam == HEAD_CLOSE_SETTINGS_PANE) OnToggleSettingsPane();
  return 0;
}

LRESULT CMainFrame::OnOpenPicturePath(const fw::Message&) {
  char path[MAX_PATH + 1] = "";
  GetWindowTextA(Handle(), path, sizeof path);
  SendToImageView(WM_EDIT_PICTURE, 0, reinterpret_cast<LPARAM>(path));
  Sleep(500);
  SetTitle(kMainFrameTitle);
  return 0;
}

LRESULT CMainFrame::OnCloseUploader(const fw::Message&) {
  Destroy();
  return 0;
}

LRESULT CMainFrame::OnFullScreenEdit(const fw::Message& m) {
  CConfig* config = CConfig::GetConfig();
  if (fullScreen_ || m.wParam == 1) {
    fullScreen_ = false;
    config->SetFullScreenEdit(0);
    status_.Show(true);
    toolBar_.Show(true);
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    desktop.bottom -= 28;
    savedPlacement_.showCmd = SW_SHOWNORMAL;
    savedPlacement_.rcNormalPosition = desktop;
    SetWindowPlacement(Handle(), &savedPlacement_);
    RecalcLayout();
    PlaceSearchBox();
    return 0;
  }
  fullScreen_ = true;
  config->SetFullScreenEdit(1);
  status_.Show(false);
  toolBar_.Show(false);
  PlaceSearchBox();
  savedPlacement_.length = sizeof savedPlacement_;
  GetWindowPlacement(Handle(), &savedPlacement_);
  RECT screen;
  GetWindowRect(GetDesktopWindow(), &screen);
  // The window grown by its own borders, caption and menu as they stand (a maximised frame draws
  // them thinner than a normal one would), so that the client area is the screen.
  RECT window, inside;
  GetWindowRect(Handle(), &window);
  GetClientRect(Handle(), &inside);
  MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&inside), 2);
  const RECT frame = {screen.left - (inside.left - window.left), screen.top - (inside.top - window.top),
                      screen.right + (window.right - inside.right), screen.bottom + (window.bottom - inside.bottom)};
  fullScreenRect_ = frame;
  SetWindowPos(Handle(), HWND_TOP, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
               SWP_SHOWWINDOW);
  RECT client;
  GetClientRect(Handle(), &client);
  inner_.SetColumnInfo(0, 0, 0);
  inner_.SetColumnInfo(1, client.right, 0);
  inner_.SetColumnInfo(2, 0, 0);
  RecalcLayout();
  inner_.LayOut();
  return 0;
}

// In full screen the frame is larger than the screen by its borders, caption and menu, so that its
// client area covers the screen: the system's own limit (the screen and the borders) would leave
// the bottom of the screen uncovered.
LRESULT CMainFrame::OnGetMinMaxInfo(const fw::Message& m) {
  const LRESULT result = CallDefault(m);
  if (fullScreen_) {
    auto* info = reinterpret_cast<MINMAXINFO*>(m.lParam);
    const SIZE size = {fullScreenRect_.right - fullScreenRect_.left, fullScreenRect_.bottom - fullScreenRect_.top};
    info->ptMaxTrackSize = {std::max(info->ptMaxTrackSize.x, size.cx), std::max(info->ptMaxTrackSize.y, size.cy)};
    info->ptMaxSize = info->ptMaxTrackSize;
  }
  return result;
}

LRESULT CMainFrame::OnEditingMenu(const fw::Message& m) {
  HMENU bar = GetMenu(Handle());
  CConfig* config = CConfig::GetConfig();
  ImageViewLink* view = CViewMediator::Get().ImageView();
  const bool paneShown = config->GetInfoPaneShown() || config->GetSettingsPaneShown();
  if (m.wParam == 0) {
    HMENU editing = LoadMenuA(fw::Module::ResourceInstance(), MAKEINTRESOURCEA(kEditingMenuId));
    if (!editing) {
      MessageBoxOf(Handle(), "菜单装入失败!", MB_OK | MB_ICONERROR);
      return 0;
    }
    HMENU popup = GetSubMenu(editing, 0);
    RemoveMenu(editing, 0, MF_BYPOSITION);
    DestroyMenu(editing);
    InsertMenuA(bar, 4, MF_BYPOSITION | MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), kEditingMenuTitle);
    if (paneShown) {
      inner_.HideColumn(2);
    } else if (view) {
      view->ShowSideStrip(false);
    }
  } else {
    for (int i = GetMenuItemCount(bar) - 1; i >= 0; --i) {
      char title[64] = "";
      GetMenuStringA(bar, i, title, sizeof title, MF_BYPOSITION);
      if (lstrcmpA(title, kEditingMenuTitle) == 0) DeleteMenu(bar, i, MF_BYPOSITION);
    }
    if (!paneShown) {
      if (view) view->ShowSideStrip(true);
    } else if (inner_.IsColumnHidden(2)) {
      inner_.ShowColumn(2);
    }
    // The status bar had the edited picture's facts in its own layout: the ordinary panes come
    // back whole, with the folder's count.
    LayOutStatusPanes(false);
    for (int pane = 1; pane < 4; ++pane) status_.SetPaneText(pane, "");
    SendToImageView(WM_UPLOAD_STATUS, LIST_STATUS_FOLDER_COUNT, 0);
  }
  CMenuXP::UpdateMenuBar(Handle());
  DrawMenuBar(Handle());
  return 0;
}

LRESULT CMainFrame::OnToggleFrame(const fw::Message&) {
  if (IsWindowVisible(Handle())) {
    ShowWindow(Handle(), SW_HIDE);
    return 0;
  }
  using AllowForeground = BOOL(WINAPI*)(DWORD);
  if (HMODULE user = GetModuleHandleA("User32")) {
    if (auto allow = reinterpret_cast<AllowForeground>(GetProcAddress(user, "AllowSetForegroundWindow"))) {
      allow(static_cast<DWORD>(-1));
    }
  }
  SetForegroundWindow(Handle());
  if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
  ShowWindow(Handle(), SW_SHOW);
  return 0;
}

void CMainFrame::OnSettings() {
  SetActiveWindow(Handle());
  CConfig* config = CConfig::GetConfig();
  CConfigDlg dialog(Handle());
  if (config->GetOpenAtBrowse()) {  // the list asked for its column choice
    dialog.SetDefaultSet(1);
    config->SetOpenAtBrowse(0);
  }
  dialog.DoModal();
}

void CMainFrame::ApplyListView(int report) {
  CConfig::GetConfig()->SetListView(report);
  HMENU bar = GetMenu(Handle());
  CheckMenuItem(bar, 32787, MF_BYCOMMAND | (report ? MF_CHECKED : MF_UNCHECKED));
  CheckMenuItem(bar, 32899, MF_BYCOMMAND | (report ? MF_UNCHECKED : MF_CHECKED));
  SendToImageView(WM_SET_LIST_VIEW, report, 0);
}

void CMainFrame::OnViewDetail() { ApplyListView(1); }

void CMainFrame::OnViewThumb() { ApplyListView(0); }

void CMainFrame::OnViewToggle() { ApplyListView(CConfig::GetConfig()->GetListView() ? 0 : 1); }

void CMainFrame::OnToolUpload() {
  CViewMediator& views = CViewMediator::Get();
  if (views.GetUploading()) {
    MessageBoxOf(Handle(), "图片正在上传中...", MB_OK | MB_ICONINFORMATION);
    return;
  }
  SetProgressPos(0);
  HWND view = panes_->ImageViewWindow();
  // A full queue refuses the post for a moment; the start must not be lost.
  for (int tries = 0; view && tries < 100 && !PostMessageA(view, WM_START_UPLOAD, 0, 0); ++tries) Sleep(10);
}

bool CMainFrame::ExitConfirmed() {
  if (!CConfig::GetConfig()->GetExitTip()) return true;
  return MessageBoxA(Handle(), "您确定要退出墨岚屏？", kSystemCaption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

LRESULT CMainFrame::OnClose(const fw::Message&) {
  if (CConfig::GetConfig()->GetTray()) {
    ShowWindow(Handle(), SW_HIDE);
    return 0;
  }
  if (ExitConfirmed()) Destroy();
  return 0;
}

void CMainFrame::OnExit() {
  if (ExitConfirmed()) Destroy();
}

void CMainFrame::OnImport() {
  const std::string folder = CViewMediator::Get().CurrentFolder();
  if (folder.empty()) return;
  const hoistly::ImportResult result = hoistly::ImportPictures(Handle(), folder);
  if (result.sameFolder) {
    MessageBoxOf(Handle(), "相同的文件夹不能导入！", MB_OK | MB_ICONINFORMATION);
    return;
  }
  for (const std::string& path : result.copied) CViewMediator::Get().AddPictureFile(path);
  SendToImageView(WM_UPLOAD_STATUS, 2, 0);
}

void CMainFrame::OnSearch() {
  char typed[256] = "";
  GetWindowTextA(searchEdit_, typed, sizeof typed);
  const std::string keyword(mb::TrimBlanks(typed));
  if (keyword.empty()) {
    MessageBoxOf(Handle(), "请输入搜索关键字！", MB_OK | MB_ICONINFORMATION);
    return;
  }
  const int category = static_cast<int>(SendMessageA(categoryCombo_, CB_GETCURSEL, 0, 0));
  hoistly::OpenBrowserPage(hoistly::ServiceUrl("/result.jsp?keyword=") + hoistly::QueryValue(keyword) +
                           "&category=" + std::to_string(category < 0 ? 0 : category));
}

void CMainFrame::OnLogin() {
  CLoginDlg::RunLoginCommand(Handle());
  UpdateLoginMenu();
}

LRESULT CMainFrame::OnFolderChosen(const fw::Message& m) {
  if (m.wParam != 1) return 0;
  const std::string folder = panes_->ChosenFolder();
  if (!folder.empty()) CViewMediator::Get().OpenFolder(folder);
  return 0;
}

void CMainFrame::OnToggleFloatWindow() {
  CConfig* config = CConfig::GetConfig();
  config->ShowFloatWnd(config->IsShowFloatWnd() ? 0 : 1);
}

void CMainFrame::OnToggleToolBar() {
  CConfig* config = CConfig::GetConfig();
  const int shown = config->GetUploaderWord(0) ? 0 : 1;
  config->SetUploaderWord(0, shown);
  CheckMenuItem(GetMenu(Handle()), ID_VIEW_TOOLBAR, MF_BYCOMMAND | (shown ? MF_CHECKED : MF_UNCHECKED));
  toolBar_.Show(shown != 0);
  RecalcLayout();
  PlaceSearchBox();
}

void CMainFrame::OnAbout() { CHoistlyApp::ShowAbout(Handle()); }
