#include "client/ui/win/main_window.h"

#include <windowsx.h>

#include <cstdio>
#include <cstring>

#include "client/core/client_config.h"
#include "client/core/command_line.h"
#include "client/core/download_request.h"
#include "client/core/win/client_windows.h"
#include "client/core/win/shell_operations.h"
#include "client/core/win/skin_engine.h"
#include "client/core/win/startup.h"
#include "client/core/win/system_utils.h"
#include "client/core/win/top_list_fetch.h"
#include "client/core/win/tray_frame.h"
#include "client/ui/browser/win/browser_dialog.h"
#include "client/ui/download/win/download_category_dialog.h"
#include "client/ui/float/win/float_window.h"
#include "client/ui/skin/skin_tab_bar.h"
#include "client/ui/skin/win/skin_element_host.h"
#include "client/ui/win/browser_toolbar_button.h"
#include "client/ui/win/main_window_pages.h"
#include "client/ui/win/small_window_calls.h"
#include "client/ui/win/uploader_launch.h"

namespace mb {

namespace {

const char kNotLoggedIn[] = "您还没有登陆,请先登陆";
const char* const kTabTexts[] = {"壁纸设置", "壁纸下载", "壁纸上传", "壁纸排行", "参数设置", "个人管理"};
const RECT kCaptionRect{230, 72, 305, 92};
const RECT kDefaultPageRect{6, 136, 526, 500};

constexpr UINT_PTR kStartupTimer = 1;
constexpr UINT kStartupTimerMs = 100;
constexpr int kCloseElement = 20006;
constexpr int kMinimiseElement = 20007;
constexpr int kStripLeftArrow = 20008;
constexpr int kStripRightArrow = 20009;
constexpr int kLinkElement = 20010;
// Copied command lines are run once the sender's WM_COPYDATA has returned.
constexpr UINT WM_DRAIN_LINKS = WM_APP + 0x107;

ClientConfig& Config() { return *GetClientConfig(); }
bool LoggedIn() { return Config().loggedIn != 0; }

bool TabNeedsLogin(UINT tab) { return tab != kTabWallpaperSettings && tab != kTabParameters; }
int TabIndex(UINT tab) { return static_cast<int>(tab - kTabWallpaperSettings); }
bool IsTab(UINT id) { return id >= kTabWallpaperSettings && id <= kTabPersonal; }

void ShowNotLoggedIn(HWND owner) { MessageBoxA(owner, kNotLoggedIn, kMessageBoxCaption, MB_OK); }

// Tray commands 32792-32796 and 32798 and the tabs they open.
UINT TabOfTrayCommand(UINT command) {
  switch (command) {
    case 32792: return kTabDownload;
    case 32793: return kTabUpload;
    case 32794: return kTabWallpaperSettings;
    case 32795: return kTabRanking;
    case 32796: return kTabParameters;
    case 32798: return kTabPersonal;
    default: return 0;
  }
}

// A combo box whose list is dropped, or the edit box of one: Esc closes that list, as a member
// expects of any dropped list, instead of falling to the main window's rule.
bool IsDroppedComboBox(HWND hwnd) {
  for (HWND window : {hwnd, GetParent(hwnd)}) {
    char className[16] = {};
    if (window && GetClassNameA(window, className, sizeof className) && lstrcmpiA(className, "ComboBox") == 0)
      return SendMessageA(window, CB_GETDROPPEDSTATE, 0, 0) != 0;
  }
  return false;
}

}  // namespace

MainWindowLinks DefaultMainWindowLinks() {
  MainWindowLinks links;
  links.createTrayFrame = [] { CreateTrayFrame(); };
  links.handleLink = [](const std::string& link) {
    MainWindow* window = CurrentMainWindow();
    HandleMainWindowLink(link, window ? window->ManagerLink() : nullptr, window ? window->Handle() : nullptr);
  };
  links.showPopupPage = [](HWND owner, const std::string& address) { RunBrowserDialog(owner, address); };
  links.startUploader = [] { StartUploaderThread(); };
  return links;
}

class MainWindowParts {
 public:
  explicit MainWindowParts(int layout) : layout(layout), skin(layout) {}
  ~MainWindowParts() {
    if (captionFont) DeleteObject(captionFont);
  }
  const int layout;
  skin::SkinElementHost skin;
  MainWindowPages pages;
  HFONT captionFont = nullptr;
  int currentPage = kPageNumberBase;
};

MainWindow::MainWindow(MainWindowLinks links)
    : Dialog(IDD_MAIN_WINDOW), links_(std::move(links)), parts_(std::make_unique<MainWindowParts>(Config().skinLayout)) {
  Handle(WM_INITDIALOG, &MainWindow::OnInitDialog);
  Handle(WM_COMMAND, &MainWindow::OnCommand);
  Handle(WM_LBUTTONDOWN, &MainWindow::OnMouse);
  Handle(WM_MOUSEMOVE, &MainWindow::OnMouse);
  Handle(WM_LBUTTONUP, &MainWindow::OnMouse);
  Handle(WM_ERASEBKGND, &MainWindow::OnEraseBackground);
  Handle(WM_CTLCOLORSTATIC, &MainWindow::OnCtlColorStatic);
  Handle(WM_TIMER, &MainWindow::OnTimer);
  Handle(WM_COPYDATA, &MainWindow::OnCopyData);
  Handle(WM_DOWNLOAD_FINISHED, &MainWindow::OnDownloadFinishedMessage);
  Handle(WM_RUN_PENDING_REQUESTS, &MainWindow::OnRunPendingRequests);
  Handle(WM_DRAIN_LINKS, &MainWindow::OnDrainLinks);
  Handle(WM_TOP_LIST_READ, &MainWindow::OnTopListRead);
  Handle(WM_DESTROY, &MainWindow::OnDestroy);
}

MainWindow::~MainWindow() {
  if (IsWindow()) {
    quitting = 1;
    Close();
  }
}

std::string MainWindow::CopyDataText(const COPYDATASTRUCT* data) {
  if (!data || !data->lpData || data->cbData == 0) return {};
  const char* bytes = static_cast<const char*>(data->lpData);
  const void* zero = std::memchr(bytes, 0, data->cbData);
  return std::string(bytes, zero ? static_cast<const char*>(zero) - bytes : data->cbData);
}

LRESULT MainWindow::OnInitDialog(const fw::Message&) {
  const HWND window = Handle();
  ClientConfig& config = Config();
  SetPropA(window, kMainWindowProperty, reinterpret_cast<HANDLE>(1));
  RemoveSkinFromDialog(window);
  quitting = 0;
  RegisterBrowserToolbarButton(GetModuleFilePath());

  const HINSTANCE module = GetModuleHandleA(nullptr);
  const auto bigIcon = LoadImageA(module, MAKEINTRESOURCEA(IDI_MAIN), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                  GetSystemMetrics(SM_CYICON), LR_SHARED);
  const auto smallIcon = LoadImageA(module, MAKEINTRESOURCEA(IDI_MAIN), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                    GetSystemMetrics(SM_CYSMICON), LR_SHARED);
  SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
  SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));

  PlaceWindow();
  parts_->skin.Attach(window);
  parts_->skin.AddLayoutElements(skin::SkinWindow::kMainWindow);
  ComputePageRect();
  LOGFONTA font{};
  GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
  font.lfHeight = 17;
  font.lfWeight = FW_BOLD;
  parts_->captionFont = CreateFontIndirectA(&font);

  if (parts_->layout == 1) {
    if (HWND page = parts_->pages.Prepare(kTabWallpaperSettings)) ShowPage(page);
  } else {
    PressWallpaperSettingsPoint();
  }
  // Listening first, then reading: a list that arrives in between is not missed.
  SetTopListListener(window);
  ShowTopListLabel();
  if (FloatWindow* box = CreateFloatWindow(window, config.showFloatWindow != 0,
                                           {[this](const std::string& path) { OpenUploadWithPicture(path); }, {}})) {
    InvalidateRect(box->Handle(), nullptr, TRUE);
    UpdateWindow(box->Handle());
  }

  SetWindowTextA(window, kTabTexts[0]);
  RECT area{}, self{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  GetWindowRect(window, &self);
  SetWindowPos(window, nullptr, area.left + (area.right - area.left - (self.right - self.left)) / 2,
               area.top + (area.bottom - area.top - (self.bottom - self.top)) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetTimer(window, kStartupTimer, kStartupTimerMs, nullptr);
  if (links_.createTrayFrame) links_.createTrayFrame();
  return TRUE;
}

void MainWindow::PlaceWindow() {
  const HWND window = Handle();
  {
    SkinSchemeRef scheme;
    if (scheme) {
      if (HRGN region = scheme->GetImageRegion("main_bk")) SetWindowRgn(window, region, FALSE);
    }
  }
  const int width = parts_->layout == 1 ? 540 : 732;
  MoveWindow(window, 0, 0, width, 460, FALSE);
  SetWindowPos(window, nullptr, 0, 0, width, 460, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::ComputePageRect() {
  // The skin gives an image's size; the page area of the first layout begins where the
  // background leaves room for the tab strip.
  RECT page = kDefaultPageRect;
  SkinSchemeRef scheme;
  RECT size{};
  if (scheme && SUCCEEDED(scheme->GetImageRect(&size, "dlg_bk")) && size.right > 0) {
    page.right = page.left + size.right;
    page.bottom = page.top + size.bottom;
  }
  parts_->pages.Attach(Handle(), parts_->layout, page);
}

LRESULT MainWindow::OnCommand(const fw::Message& m) {
  const UINT id = LOWORD(m.wParam);
  if (IsTab(id)) return SelectTab(id) ? 0 : 1;
  if (const UINT tab = TabOfTrayCommand(id)) {
    ShowTabFromTray(tab);
    return 0;
  }
  switch (id) {
    case IDCANCEL:
    case kCloseElement:
      Close();
      break;
    case kMinimiseElement:
      ShowWindow(Handle(), SW_MINIMIZE);
      break;
    case kStripLeftArrow:
      if (WallpaperManagerPage* manager = parts_->pages.WallpaperManager()) manager->ScrollPanelForward();
      break;
    case kStripRightArrow:
      if (WallpaperManagerPage* manager = parts_->pages.WallpaperManager()) manager->ScrollPanelBack();
      break;
    case kLinkElement:
      OpenUrlInBrowser(Config().SharedText(&ClientConfig::homeAddress));
      break;
    case 32816:
      ShowOrRestore();
      break;
    case 32817:
      CloseFloatWindow();
      break;
    case 32828:
      if (links_.startUploader) links_.startUploader();
      Config().uploaderRunning = 0;
      break;
    case 32803:
      ExitApplication();
      break;
    default:
      // IDOK and the tray's other commands.
      break;
  }
  return 0;
}

bool MainWindow::SelectTab(UINT tab) {
  if (!IsTab(tab)) return false;
  if (TabNeedsLogin(tab) && !LoggedIn()) {
    ShowNotLoggedIn(Handle());
    return false;
  }
  const HWND page = parts_->pages.Prepare(tab);
  if (!page) return false;
  if (parts_->layout != 1 && LoggedIn()) ReleaseLeftTab();
  parts_->currentPage = kPageNumberBase + TabIndex(tab);
  ShowPage(page);
  SetWindowTextA(Handle(), kTabTexts[TabIndex(tab)]);
  RefreshCarouselBoxes(tab);
  return true;
}

bool MainWindow::TabElementOrigin(int elementId, POINT& topLeft) const {
  auto* bar = dynamic_cast<skin::SkinTabBar*>(parts_->skin.Elements().GetElement(elementId));
  if (!bar || bar->Tabs().empty()) return false;
  const skin::Rect& tab = bar->Tabs().front().normal;
  topLeft = {tab.left, tab.top};
  return true;
}

void MainWindow::ReleaseLeftTab() {
  auto* bar = dynamic_cast<skin::SkinTabBar*>(parts_->skin.Elements().GetElement(parts_->currentPage));
  if (!bar || bar->Tabs().empty()) return;
  const skin::Rect& corner = bar->Tabs().front().normal;
  // A release outside the tab clears its hot mark, so it is drawn released.
  bar->OnLButtonUp(MK_CONTROL, corner.left + 102, corner.top + 102);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void MainWindow::RefreshCarouselBoxes(UINT tab) {
  int minutesBox = 0, secondsBox = 0;
  if (tab == kTabWallpaperSettings) {
    minutesBox = IDC_PAGE_MINUTES_WALLPAPER;
    secondsBox = IDC_PAGE_SECONDS_WALLPAPER;
  } else if (tab == kTabParameters) {
    minutesBox = IDC_PAGE_MINUTES_SETTINGS;
    secondsBox = IDC_PAGE_SECONDS_SETTINGS;
  } else {
    return;
  }
  const HWND page = parts_->pages.Window(tab);
  char text[16];
  std::snprintf(text, sizeof(text), "%d", Config().minutes);
  SetDlgItemTextA(page, minutesBox, text);
  std::snprintf(text, sizeof(text), "%d", Config().seconds);
  SetDlgItemTextA(page, secondsBox, text);
}

void MainWindow::ShowPage(HWND page) {
  parts_->pages.Show(page);
  if (parts_->layout == 1) InvalidateRect(Handle(), &kCaptionRect, TRUE);
}

int MainWindow::CurrentPageNumber() const { return parts_->currentPage; }
HWND MainWindow::PageWindow(UINT tab) const { return parts_->pages.Window(tab); }

void MainWindow::ShowOrRestore() {
  if (!IsWindowVisible(Handle())) {
    ShowWindow(Handle(), SW_SHOWNORMAL);
    return;
  }
  ShowWindow(Handle(), SW_RESTORE);
  SetActiveWindow(Handle());
  SetForegroundWindow(Handle());
}

void MainWindow::SelectThroughTabBar(UINT tab) {
  const int barId = parts_->layout == 1 ? kPageNumberBase : kPageNumberBase + TabIndex(tab);
  if (auto* bar = dynamic_cast<skin::SkinTabBar*>(parts_->skin.Elements().GetElement(barId))) bar->SelectTab(tab);
}

ManagerPageLink* MainWindow::ManagerLink() { return parts_->pages.ManagerLink(); }

void MainWindow::ShowTabFromTray(UINT tab) {
  if (!IsTab(tab)) return;
  if (!IsWindowVisible(Handle())) ShowWindow(Handle(), SW_SHOW);
  if (!LoggedIn()) {
    ShowNotLoggedIn(Handle());
    if (TabNeedsLogin(tab)) return;
  }
  SelectThroughTabBar(tab);
}

void MainWindow::PressElements(int x, int y) {
  skin::SkinElementSet& set = parts_->skin.Elements();
  set.OnLButtonDown(0, x, y);
  set.OnLButtonUp(0, x, y);
}

void MainWindow::PressWallpaperSettingsPoint() {
  if (parts_->layout == 2) PressElements(183, 43);
  if (parts_->layout == 3) PressElements(148, 55);
}

void MainWindow::ResetPagesAfterLogin() {
  parts_->pages.MarkReload();
  Config().mainWindowShown = 1;
  if (parts_->layout != 1) {
    PressWallpaperSettingsPoint();
    return;
  }
  ShowWindow(Handle(), SW_SHOW);
  if (!LoggedIn()) ShowNotLoggedIn(Handle());
  SelectThroughTabBar(kTabWallpaperSettings);
}

void MainWindow::OnDownloadFinished(WPARAM wParam, LPARAM lParam) {
  if (parts_->currentPage != kPageNumberBase) PressWallpaperSettingsPoint();
  if (!IsWindowVisible(Handle())) ShowWindow(Handle(), SW_SHOWNORMAL);
  ShowWindow(Handle(), SW_SHOW);
  if (fw::Dialog* manager = parts_->pages.WallpaperManager(); manager && manager->IsWindow())
    manager->Send(WM_DOWNLOAD_FINISHED, wParam, lParam);
}

void MainWindow::OpenUploadWithPicture(const std::string& path) {
  ShowOrRestore();
  if (!LoggedIn()) {
    ShowNotLoggedIn(Handle());
    return;
  }
  Config().uploaderRunning = 1;
  if (parts_->layout == 1) SelectThroughTabBar(kTabUpload);
  if (parts_->layout == 2) PressElements(321, 38);
  if (parts_->layout == 3) PressElements(317, 55);
  const HWND page = parts_->pages.Prepare(kTabUpload);
  UploadPage* upload = parts_->pages.Upload();
  if (!page || !upload) return;
  const std::size_t slash = path.find_last_of('\\');
  upload->SetItemText(IDC_UPLOAD_PATH, path.c_str());
  upload->SetItemText(IDC_UPLOAD_TITLE, slash == std::string::npos ? path.c_str() : path.c_str() + slash + 1);
  upload->LoadPicture(path);
  InvalidateRect(page, nullptr, TRUE);
}

void MainWindow::CloseFloatWindow() {
  ClientConfig& config = Config();
  config.showFloatWindow = 0;
  SetFloatWindowShown(false);
  if (HWND menu = static_cast<HWND>(config.trayMenuWindow)) SendMessageA(menu, WM_LOGIN_STATE_CHANGED, 1, 0);
}

LRESULT MainWindow::OnMouse(const fw::Message& m) {
  const int x = GET_X_LPARAM(m.lParam);
  const int y = GET_Y_LPARAM(m.lParam);
  if (m.id == WM_MOUSEMOVE && parts_->layout != 1 && LoggedIn()) {
    const RECT strip = parts_->layout == 2 ? RECT{15, 385, 600, 402} : RECT{96, 400, 620, 420};
    const POINT point{x, y};
    if (PtInRect(&strip, point)) SetCursor(LoadCursor(nullptr, IDC_HAND));
  }
  const int hit = parts_->skin.OnMouseMessage(m.id, m.wParam, m.lParam);
  if (m.id == WM_LBUTTONDOWN && hit == -1) SendMessageA(Handle(), WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
  return 0;
}

LRESULT MainWindow::OnEraseBackground(const fw::Message& m) {
  const HDC dc = reinterpret_cast<HDC>(m.wParam);
  RECT client{};
  GetClientRect(Handle(), &client);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  {
    SkinSchemeRef scheme;
    if (scheme) scheme->DrawImage(dc, "main_bk", 0, 0, 0, 0, SRCCOPY);
  }
  if (parts_->layout == 1) {
    const HGDIOBJ old = SelectObject(dc, parts_->captionFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 124, 56));
    char title[64] = {};
    GetWindowTextA(Handle(), title, sizeof(title));
    RECT caption = kCaptionRect;
    DrawTextA(dc, title, -1, &caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    SelectObject(dc, old);
  }
  parts_->skin.Draw(dc);
  return 1;
}

LRESULT MainWindow::OnCtlColorStatic(const fw::Message& m) {
  if (parts_->layout != 1) {
    const HDC dc = reinterpret_cast<HDC>(m.wParam);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
  }
  return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

LRESULT MainWindow::OnTimer(const fw::Message& m) {
  if (m.wParam != kStartupTimer) return 0;
  KillTimer(Handle(), kStartupTimer);
  if (!PendingLinks().Empty()) Post(WM_RUN_PENDING_REQUESTS);
  return 0;
}

LRESULT MainWindow::OnCopyData(const fw::Message& m) {
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(m.lParam);
  if (!data || data->dwData != kCommandLineCopyData) return FALSE;
  ParseCommandLine(CopyDataText(data), PendingLinks());
  RunQueuedLinksLater();
  return TRUE;
}

LRESULT MainWindow::OnDownloadFinishedMessage(const fw::Message& m) {
  OnDownloadFinished(m.wParam, m.lParam);
  return 0;
}

LRESULT MainWindow::OnRunPendingRequests(const fw::Message&) {
  const std::string popup = Config().SharedText(&ClientConfig::noticePageUrl);
  if (LoggedIn() && !popup.empty() && links_.showPopupPage) links_.showPopupPage(GetActiveWindow(), popup);
  DrainPendingLinks();
  return 0;
}

void MainWindow::RunQueuedLinksLater() {
  if (!PendingLinks().Empty()) Post(WM_DRAIN_LINKS);
}

LRESULT MainWindow::OnDrainLinks(const fw::Message&) {
  DrainPendingLinks();
  return 0;
}

void MainWindow::DrainPendingLinks() {
  // First in, first out; a handler that runs a modal dialog may see more links arrive meanwhile.
  PendingLinkQueue& queue = PendingLinks();
  while (!queue.Empty()) {
    const std::string link = queue.Pop();
    if (links_.handleLink) links_.handleLink(link);
  }
}

bool MainWindow::PreTranslateBeforeChildren(MSG& msg) {
  // The keyboard rules hold whatever control inside a page has the focus, so they come before
  // the pages' own dialog keys.
  if (!IsWindow()) return false;
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) return !IsDroppedComboBox(msg.hwnd);
  const bool keyboard = msg.message >= WM_KEYDOWN && msg.message <= WM_SYSDEADCHAR;
  const bool mouse = msg.message >= WM_MOUSEFIRST && msg.message <= 525;
  const bool refresh = msg.message == WM_KEYDOWN && msg.wParam == VK_F5;
  const HWND browser = parts_->pages.VisibleBrowser();
  if (browser && ((keyboard && !refresh) || mouse)) {
    if (SendMessageA(browser, WM_FORWARD_TO_BROWSER, 0, reinterpret_cast<LPARAM>(&msg))) return true;
  }
  return refresh && browser;  // F5 never reloads a page
}

bool MainWindow::PreTranslateMessage(MSG& msg) {
  if (!IsWindow() || (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd))) return false;
  return IsDialogMessageA(Handle(), &msg) != FALSE;
}

void MainWindow::Close() {
  // The program's end belongs to the tray frame's exit sequence; closing only hides the window.
  if (!quitting) {
    ShowWindow(Handle(), SW_HIDE);
    TrimWorkingSet();
    return;
  }
  parts_->skin.Elements().RemoveAll();
  DestroyFloatWindow();
  parts_->pages.DestroyBrowserPages();
  DestroyWindow(Handle());
}

void MainWindow::ShowTopListLabel() {
  const std::string label = Config().SharedText(&ClientConfig::topListLabel);
  if (!label.empty()) parts_->skin.Elements().SetElementText(kLinkElement, label);
}

LRESULT MainWindow::OnTopListRead(const fw::Message&) {
  ShowTopListLabel();
  return 0;
}

LRESULT MainWindow::OnDestroy(const fw::Message&) {
  SetTopListListener(nullptr);
  KillTimer(Handle(), kStartupTimer);
  RemovePropA(Handle(), kMainWindowProperty);
  return 0;
}

}  // namespace mb
