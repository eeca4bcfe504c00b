#include "client/ui/manager/win/wallpaper_manager_page.h"

#include <algorithm>

#include "client/core/carousel_times.h"
#include "client/core/client_config.h"
#include "client/core/download_request.h"
#include "client/core/path_text.h"
#include "client/core/win/shell_operations.h"
#include "client/core/win/system_utils.h"
#include "client/core/win/tray_frame.h"
#include "client/core/win/wallpaper_carousel.h"
#include "client/core/win/skin_engine.h"
#include "client/ui/manager/preview_paging.h"
#include "client/ui/skin/win/skin_fonts.h"
#include "client/ui/win/small_window_calls.h"
#include "framework/gdi.h"
#include "framework/menu.h"
#include "client/ui/res/resource.h"

namespace mb {

namespace {

const char kPageCaption[] = "墨岚屏[Pelora]-系统消息";

enum Control : int {
  kCarouselOn = 1035,
  kCarouselOff = 1036,
  kSecondsBox = 1016,
  kMinutesBox = 1018,
  kGoBox = 1022,
  kDateFilterList = 1017,
  kPageChooser = 1045,
  kApplyButton = 1047,
  kPreviewButton = 1048,
};

// The carousel switch and time boxes: shown in layouts 2 and 3 only, over the thumbnail panel's
// top band, where the panel's own labels name them.
constexpr int kCarouselControls[] = {kCarouselOn, kCarouselOff, kSecondsBox, kMinutesBox};

enum PageCommand : UINT {
  kSearch = 20100,
  kFirstPage = 20101,
  kPreviousPage = 20102,
  kNextPage = 20103,
  kLastPage = 20104,
  kGo = 20105,
  kPanelLeft = 20106,
  kPanelRight = 20107,
  kApplyElement = 20108,
  kStopElement = 20109,
  kTimeElement = 20110,
  kPreviewElement = 20111,
};

struct PagePlaces {
  RECT tree, list, panel;
};

// Left, top, right, bottom of the tree, the picture list and the strip in each layout. Layout 1's
// strip lies between the page's arrows, below its carousel buttons. In layouts 2 and 3 the strip
// lines its marks up with the carousel radios, and the list starts where the page chooser falls
// between the list's two page arrows.
PagePlaces PlacesOf(int layout) {
  if (layout == 1) return {{11, 6, 161, 144}, {168, 6, 521, 146}, {63, 210, 453, 270}};
  if (layout == 3) return {{0, 0, 143, 158}, {143, 0, 679, 160}, {0, 160, 675, 318}};
  return {{0, 6, 143, 155}, {143, 6, 679, 156}, {0, 157, 675, 297}};
}

std::string ItemText(HWND window, int id) {
  char text[64] = {};
  GetDlgItemTextA(window, id, text, sizeof text);
  return text;
}

int ItemNumber(HWND window, int id) { return atoi(ItemText(window, id).c_str()); }

void MoveItem(HWND window, int id, int x, int y, int width, int height) {
  MoveWindow(GetDlgItem(window, id), x, y, width, height, TRUE);
}

WallpaperCarousel* Carousel() {
  TrayFrame* frame = GetTrayFrame();
  return frame ? frame->Carousel() : nullptr;
}

}  // namespace

void ManagerPageShell::ShowInFolder(const std::string& path) { ShowFileInFolder(path); }

bool ManagerPageShell::DeleteFolder(const std::string& folder) {
  return ShellDeletePath(folder, false) && !PathExists(folder);
}

WallpaperManagerPage::WallpaperManagerPage(std::unique_ptr<ManagerPageShell> shell)
    : Dialog(IDD_WALLPAPER_MANAGER_PAGE),
      layout_(GetClientConfig()->skinLayout),
      shell_(shell ? std::move(shell) : std::make_unique<ManagerPageShell>()),
      skin_(layout_),
      preview_(std::make_unique<ThumbnailPreviewList>(layout_, shell_.get())),
      panel_(std::make_unique<ThumbnailPanel>(layout_)) {
  Handle(WM_INITDIALOG, &WallpaperManagerPage::OnInitDialog);
  Handle(WM_ERASEBKGND, &WallpaperManagerPage::OnEraseBackground);
  Handle(WM_PANEL_APPLY_CAROUSEL, &WallpaperManagerPage::OnApplyCarousel);
  Handle(WM_PANEL_APPLY_MARK, &WallpaperManagerPage::OnApplyCarousel);
  Handle(WM_PREVIEW_PAGE_PREV, &WallpaperManagerPage::OnPagePrevious);
  Handle(WM_PREVIEW_PAGE_NEXT, &WallpaperManagerPage::OnPageNext);
  Handle(WM_PANEL_SCROLL_LEFT, &WallpaperManagerPage::OnPanelMessage);
  Handle(WM_PANEL_SCROLL_RIGHT, &WallpaperManagerPage::OnPanelMessage);
  Handle(WM_PANEL_CAROUSEL_ON, &WallpaperManagerPage::OnPanelMessage);
  Handle(WM_PANEL_CAROUSEL_OFF, &WallpaperManagerPage::OnPanelMessage);
  Handle(WM_DOWNLOAD_FINISHED, &WallpaperManagerPage::OnDownloadFinished);
  Handle(WM_PREVIEW_ADD_SELECTED, &WallpaperManagerPage::OnAddSelected);
  Handle(WM_COMMAND, &WallpaperManagerPage::OnCommandMessage);
  Handle(WM_NOTIFY, &WallpaperManagerPage::OnNotifyMessage);
  Handle(WM_PREVIEW_PICTURE_DELETED, &WallpaperManagerPage::OnPictureDeleted);
  Handle(WM_MOUSEMOVE, &WallpaperManagerPage::OnMouse);
  Handle(WM_LBUTTONDOWN, &WallpaperManagerPage::OnMouse);
  Handle(WM_LBUTTONUP, &WallpaperManagerPage::OnMouse);
  Handle(WM_CTLCOLORSTATIC, &WallpaperManagerPage::OnControlColour);
  Handle(WM_DESTROY, &WallpaperManagerPage::OnDestroyPage);
}

WallpaperManagerPage::~WallpaperManagerPage() {
  panel_.reset();  // the strip's order goes back to the wallpaper list first
  preview_.reset();
  Destroy();
}

int WallpaperManagerPage::Notice(const std::string& text, UINT flags) {
  return MessageBoxA(Handle(), text.c_str(), kPageCaption, flags);
}

std::string WallpaperManagerPage::FolderOf(const std::string& category) const {
  return GetClientConfig()->downloadPath + category;
}

LRESULT WallpaperManagerPage::OnInitDialog(const fw::Message&) {
  const ClientConfig& config = *GetClientConfig();
  RemoveSkinFromDialog(Handle());
  PlaceControls();
  char number[16];
  const bool bothZero = config.minutes == 0 && config.seconds == 0;
  wsprintfA(number, "%d", bothZero ? 0 : config.minutes);
  SetItemText(kMinutesBox, number);
  wsprintfA(number, "%d", bothZero ? 0 : config.seconds);
  SetItemText(kSecondsBox, number);

  const PagePlaces places = PlacesOf(layout_);
  const HWND tree = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                                    WS_CHILD | WS_VISIBLE | TVS_SHOWSELALWAYS | TVS_LINESATROOT,
                                    places.tree.left, places.tree.top, places.tree.right - places.tree.left,
                                    places.tree.bottom - places.tree.top, Handle(),
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCategoryTreeId)),
                                    GetModuleHandleA(nullptr), nullptr);
  tree_.Attach(tree);
  SendMessageA(tree, TVM_SETITEMHEIGHT, 18, 0);
  if (layout_ == 3) {
    SendMessageA(tree, TVM_SETTEXTCOLOR, 0, 0x2F2F2F);
    SendMessageA(tree, TVM_SETBKCOLOR, 0, 0xFFF1D7);
  }
  preview_->CreateList(Handle(), places.list);
  panel_->CreatePanel(Handle(), places.panel);
  SetWindowPos(tree, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetWindowPos(Item(kPageChooser), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  for (int id : kCarouselControls) SetWindowPos(Item(id), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  skin_.Attach(Handle());
  skin_.AddLayoutElements(skin::SkinWindow::kWallpaperManagerPage);
  FillTree();
  return TRUE;
}

void WallpaperManagerPage::PlaceControls() {
  const HWND page = Handle();
  const bool radios = layout_ != 1;
  for (int id : kCarouselControls) ShowWindow(Item(id), radios ? SW_SHOW : SW_HIDE);
  ShowWindow(Item(kPageChooser), radios ? SW_SHOW : SW_HIDE);
  ShowWindow(Item(kApplyButton), SW_HIDE);
  ShowWindow(Item(kPreviewButton), SW_HIDE);
  if (layout_ == 2) {
    MoveItem(page, kCarouselOn, 70, 160, 13, 12);
    MoveItem(page, kCarouselOff, 180, 160, 13, 12);
    MoveItem(page, kSecondsBox, 530, 158, 32, 18);
    MoveItem(page, kMinutesBox, 470, 158, 32, 18);
    MoveItem(page, kPageChooser, 590, 10, 64, 200);
  } else if (layout_ == 3) {
    MoveItem(page, kCarouselOn, 82, 176, 12, 12);
    MoveItem(page, kCarouselOff, 189, 176, 12, 12);
    MoveItem(page, kSecondsBox, 520, 171, 32, 18);
    MoveItem(page, kMinutesBox, 465, 171, 32, 18);
    MoveItem(page, kPageChooser, 572, 12, 64, 200);
  }
  if (radios) CheckRadioButton(page, kCarouselOn, kCarouselOff, kCarouselOn);
  MoveItem(page, kGoBox, 420, 149, 30, 18);
  // Only layout 1 has the "GO" element that reads the box.
  ShowWindow(Item(kGoBox), radios ? SW_HIDE : SW_SHOW);
  if (layout_ == 1) {
    MoveItem(page, kDateFilterList, 17, 148, 90, 200);
    for (const std::string& text : manager::DateFilterTexts()) {
      SendMessageA(Item(kDateFilterList), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageA(Item(kDateFilterList), CB_SETCURSEL, 0, 0);
  } else {
    ShowWindow(Item(kDateFilterList), SW_HIDE);
  }
}

void WallpaperManagerPage::FillTree() {
  ClientConfig& config = *GetClientConfig();
  config.categoryFolderNames.clear();
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA(FolderSearchPattern(config.downloadPath).c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == "." || name == "..") continue;
      config.categoryFolderNames.push_back(name);
      tree_.InsertCategoryItem(name, CountFolderFiles(FolderOf(name)));
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  const HTREEITEM first = TreeView_GetRoot(Tree());
  if (first) {
    TreeView_SelectItem(Tree(), first);
  } else {
    preview_->Clear();
    RefreshPageInformation();
  }
}

std::string WallpaperManagerPage::SelectedCategory() const {
  return tree_.CategoryOf(TreeView_GetSelection(Tree()));
}

void WallpaperManagerPage::ShowCategory(HTREEITEM item, bool setCaption) {
  const std::string category = tree_.CategoryOf(item);
  if (category.empty()) return;
  const std::string folder = FolderOf(category);
  preview_->ScanCategoryFolder(folder);
  if (setCaption) {
    caption_ = manager::PreviewCaption(GetClientConfig()->GetCurrentUserName(), category,
                                       CountFolderFiles(folder));
    preview_->SetCaption(caption_);
  }
  RefreshPageInformation();
}

void WallpaperManagerPage::RefreshPageInformation() {
  const manager::PreviewPaging& paging = preview_->Paging();
  const HWND chooser = Item(kPageChooser);
  SendMessageA(chooser, CB_RESETCONTENT, 0, 0);
  for (const std::string& entry : manager::PageChooserEntries(paging.Count())) {
    SendMessageA(chooser, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }
  SendMessageA(chooser, CB_SETCURSEL, 0, 0);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void WallpaperManagerPage::GoToPage(int page, bool selectInChooser) {
  if (!preview_->ShowPage(page)) return;
  if (selectInChooser) SendMessageA(Item(kPageChooser), CB_SETCURSEL, page, 0);
  const RECT pageText = {255, 149, 420, 167};
  InvalidateRect(Handle(), &pageText, TRUE);
}

void WallpaperManagerPage::GoToTypedPage() {
  const std::optional<int> page = manager::ParseGoPage(ItemText(Handle(), kGoBox));
  if (!page) {
    Notice("请输入数字", MB_OK | MB_ICONWARNING);
    return;
  }
  GoToPage(*page, false);
}

void WallpaperManagerPage::ApplyDateFilter() {
  manager::DateFilter filter;
  const int choice = static_cast<int>(SendMessageA(Item(kDateFilterList), CB_GETCURSEL, 0, 0));
  if (!manager::DateFilterForChoice(choice, &filter)) return;
  preview_->ApplyDateFilter(filter);
  RefreshPageInformation();
}

void WallpaperManagerPage::StepChooser(int step) {
  const HWND chooser = Item(kPageChooser);
  const int selection = static_cast<int>(SendMessageA(chooser, CB_GETCURSEL, 0, 0));
  const int entries = static_cast<int>(SendMessageA(chooser, CB_GETCOUNT, 0, 0));
  const manager::ChooserStep next = manager::StepChooser(selection, entries, step);
  if (!next.notice.empty()) {
    Notice(next.notice, MB_OK | MB_ICONINFORMATION);
    return;
  }
  GoToPage(next.selection, true);
}

LRESULT WallpaperManagerPage::OnPagePrevious(const fw::Message&) {
  StepChooser(-1);
  return 0;
}

LRESULT WallpaperManagerPage::OnPageNext(const fw::Message&) {
  StepChooser(+1);
  return 0;
}

void WallpaperManagerPage::StartCarousel() {
  ClientConfig& config = *GetClientConfig();
  config.wallpaperApply = 1;
  panel_->Save();
  if (WallpaperCarousel* carousel = Carousel()) carousel->StartCarousel(0, true);
}

void WallpaperManagerPage::StopCarousel() {
  GetClientConfig()->wallpaperApply = 0;
  if (WallpaperCarousel* carousel = Carousel()) carousel->StopCarousel();
}

LRESULT WallpaperManagerPage::OnApplyCarousel(const fw::Message&) {
  const CarouselTimes times = {ItemNumber(Handle(), kMinutesBox), ItemNumber(Handle(), kSecondsBox)};
  const bool on = IsDlgButtonChecked(Handle(), kCarouselOn) == BST_CHECKED;
  const std::string refusal = CheckCarouselTimes(times, true, on);
  if (!refusal.empty()) {
    Notice(refusal, MB_OK | MB_ICONINFORMATION);
    return 0;
  }
  // The interval is stored before the carousel starts, so its timer runs with it.
  ClientConfig& config = *GetClientConfig();
  config.minutes = times.minutes;
  config.seconds = times.seconds;
  if (on) {
    StartCarousel();
  } else {
    StopCarousel();
  }
  if (WallpaperCarousel* carousel = Carousel()) carousel->RestartCarouselTimer();
  if (!config.SaveClientConfig()) {
    Notice("保存设置失败", MB_OK | MB_ICONWARNING);
    return 0;
  }
  Notice("保存设置成功", MB_OK | MB_ICONINFORMATION);
  return 0;
}

LRESULT WallpaperManagerPage::OnPanelMessage(const fw::Message& m) {
  switch (m.id) {
    case WM_PANEL_SCROLL_LEFT: ScrollPanelForward(); break;
    case WM_PANEL_SCROLL_RIGHT: ScrollPanelBack(); break;
    case WM_PANEL_CAROUSEL_ON: CheckRadioButton(Handle(), kCarouselOn, kCarouselOff, kCarouselOn); break;
    case WM_PANEL_CAROUSEL_OFF: CheckRadioButton(Handle(), kCarouselOn, kCarouselOff, kCarouselOff); break;
    default: break;
  }
  return 0;
}

void WallpaperManagerPage::ScrollPanelForward() { panel_->ScrollForward(); }
void WallpaperManagerPage::ScrollPanelBack() { panel_->ScrollBack(); }

LRESULT WallpaperManagerPage::OnDownloadFinished(const fw::Message&) {
  ReloadSelectedCategory();
  return 0;
}

void WallpaperManagerPage::ReloadSelectedCategory() {
  const HTREEITEM item = TreeView_GetSelection(Tree());
  const std::string category = tree_.CategoryOf(item);
  if (category.empty()) return;
  tree_.Relabel(item, CountFolderFiles(FolderOf(category)));
  ShowCategory(item, true);
}

LRESULT WallpaperManagerPage::OnAddSelected(const fw::Message& m) {
  const char* path = reinterpret_cast<const char*>(m.lParam);
  if (path && panel_->AddPicture(path)) panel_->Save();
  return 0;
}

void WallpaperManagerPage::InsertCategoryItem(const std::string& category) {
  if (!IsSafeLocalName(category)) return;
  const std::string folder = FolderOf(category);
  if (!PathExists(folder)) CreateDirectoryA(folder.c_str(), nullptr);
  ClientConfig& config = *GetClientConfig();
  auto& names = config.categoryFolderNames;
  if (std::find(names.begin(), names.end(), category) == names.end()) names.push_back(category);
  tree_.InsertCategoryItem(category, CountFolderFiles(folder));
}

void WallpaperManagerPage::SelectCategoryInTree(const std::string& category) {
  if (tree_.SelectCategoryInTree(category) == CategoryTree::Selection::kAlreadySelected) ReloadSelectedCategory();
}

void WallpaperManagerPage::OnPictureDownloaded(const std::string& path) {
  if (!panel_->AddPicture(path)) return;
  panel_->Save();
  if (WallpaperCarousel* carousel = Carousel()) carousel->StartCarousel(panel_->GetCount() - 1, true);
}

bool WallpaperManagerPage::DeleteCategory(HTREEITEM item) {
  const std::string category = tree_.CategoryOf(item);
  if (category.empty()) return false;
  const std::string question = "删除该分类,会删除该分类里面所有壁纸,确定要删除分类[" + category + "]吗?";
  if (Notice(question, MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
  // The list lets go of the folder's pictures before the folder goes.
  preview_->Clear();
  const std::string folder = FolderOf(category);
  if (!shell_->DeleteFolder(folder)) {
    Notice("删除分类[" + category + "]失败，请关闭正在使用该分类壁纸的程序后重试", MB_OK | MB_ICONWARNING);
    ShowCategory(TreeView_GetSelection(Tree()), false);
    return false;
  }
  followSelection_ = false;
  TreeView_DeleteItem(Tree(), item);
  followSelection_ = true;
  panel_->RemoveFolderPictures(folder);
  auto& names = GetClientConfig()->categoryFolderNames;
  names.erase(std::remove(names.begin(), names.end(), category), names.end());
  ShowCategory(TreeView_GetSelection(Tree()), true);
  if (!TreeView_GetSelection(Tree())) RefreshPageInformation();
  return true;
}

void WallpaperManagerPage::ShowCategoryMenu() {
  POINT at;
  GetCursorPos(&at);
  TVHITTESTINFO hit = {};
  hit.pt = at;
  ScreenToClient(Tree(), &hit.pt);
  const HTREEITEM item = TreeView_HitTest(Tree(), &hit);
  if (!item || !(hit.flags & (TVHT_ONITEMLABEL | TVHT_ONITEMICON))) return;
  const HTREEITEM previous = TreeView_GetSelection(Tree());
  followSelection_ = false;
  TreeView_SelectItem(Tree(), item);
  menuItem_ = item;
  fw::Menu menu = fw::Menu::CreatePopup();
  menu.AppendItem(kDeleteCategoryCommand, "删除该分类");
  menu.AppendItem(kOpenCategoryFolderCommand, "打开该分类所在文件夹");
  const UINT command = menu.TrackForCommand(Handle(), at.x, at.y);
  if (previous && previous != item) TreeView_SelectItem(Tree(), previous);
  followSelection_ = true;
  if (command == kDeleteCategoryCommand) DeleteCategory(menuItem_);
  if (command == kOpenCategoryFolderCommand) shell_->ShowInFolder(FolderOf(tree_.CategoryOf(menuItem_)));
}

LRESULT WallpaperManagerPage::OnCommandMessage(const fw::Message& m) {
  const UINT id = LOWORD(m.wParam);
  const UINT code = HIWORD(m.wParam);
  const manager::PreviewPaging& paging = preview_->Paging();
  switch (id) {
    case kSearch: ApplyDateFilter(); break;
    case kFirstPage: GoToPage(0, false); break;
    case kPreviousPage: GoToPage(paging.Current() - 1, false); break;
    case kNextPage: GoToPage(paging.Current() + 1, false); break;
    case kLastPage: GoToPage(paging.Count() - 1, false); break;
    case kGo: GoToTypedPage(); break;
    case kPanelLeft: ScrollPanelForward(); break;
    case kPanelRight: ScrollPanelBack(); break;
    case kApplyElement: StartCarousel(); break;
    case kStopElement: StopCarousel(); break;
    case kTimeElement: ShowCarouselTimeDialog(Handle()); break;
    case kPreviewElement:
    case kPreviewButton: panel_->PreviewAll(); break;
    case kApplyButton: Send(WM_PANEL_APPLY_CAROUSEL); break;
    case kPageChooser:
      if (code == CBN_SELCHANGE) GoToPage(static_cast<int>(SendMessageA(Item(kPageChooser), CB_GETCURSEL, 0, 0)), false);
      break;
    case kDeleteCategoryCommand: DeleteCategory(menuItem_); break;
    case kOpenCategoryFolderCommand: shell_->ShowInFolder(FolderOf(tree_.CategoryOf(menuItem_))); break;
    default: break;
  }
  return 0;
}

LRESULT WallpaperManagerPage::OnNotifyMessage(const fw::Message& m) {
  const NMHDR* header = reinterpret_cast<const NMHDR*>(m.lParam);
  if (header->idFrom == kCategoryTreeId && header->code == TVN_SELCHANGEDA && followSelection_) {
    ShowCategory(reinterpret_cast<const NMTREEVIEWA*>(header)->itemNew.hItem, true);
  } else if (header->idFrom == kCategoryTreeId && header->code == NM_RCLICK) {
    ShowCategoryMenu();
  }
  return 0;
}

LRESULT WallpaperManagerPage::OnEraseBackground(const fw::Message& m) {
  const HDC dc = reinterpret_cast<HDC>(m.wParam);
  RECT client;
  GetClientRect(Handle(), &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  {
    SkinSchemeRef scheme;
    if (scheme) {
      scheme->DrawImageAt(dc, "dlg_bk", 0, 0);
      const POINT tree = layout_ == 1 ? POINT{11, 6} : layout_ == 2 ? POINT{0, 6} : POINT{0, 0};
      scheme->DrawImageAt(dc, "tree_bk", tree.x, tree.y);
    }
  }
  skin_.Draw(dc);
  if (layout_ != 1) return TRUE;
  const manager::PreviewPaging& paging = preview_->Paging();
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = SetTextColor(dc, RGB(255, 255, 255));
  const fw::Font songTi(skin::CreateSkinFont(skin::SkinFont::kSongTi9, dc));
  const fw::ScopedSelect font(dc, songTi);
  const std::string count = manager::PictureCountText(preview_->PictureCount());
  const std::string position = manager::PagePositionText(paging.Current(), paging.Count());
  RECT countBox = {255, 149, 320, 167}, positionBox = {360, 149, 420, 167};
  DrawTextA(dc, count.c_str(), -1, &countBox, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
  DrawTextA(dc, position.c_str(), -1, &positionBox, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
  return TRUE;
}

LRESULT WallpaperManagerPage::OnMouse(const fw::Message& m) {
  skin_.OnMouseMessage(m.id, m.wParam, m.lParam);
  return 0;
}

LRESULT WallpaperManagerPage::OnControlColour(const fw::Message& m) {
  const HDC dc = reinterpret_cast<HDC>(m.wParam);
  const HWND control = reinterpret_cast<HWND>(m.lParam);
  if (control == Item(kCarouselOn) || control == Item(kCarouselOff)) {
    // The radios stand on the panel's marks: the panel's backdrop shows around their circles.
    POINT origin = {0, 0};
    MapWindowPoints(panel_->Handle(), control, &origin, 1);
    panel_->DrawBackdrop(dc, origin);
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, layout_ == 1 ? RGB(255, 255, 255) : RGB(255, 0, 0));
  return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

LRESULT WallpaperManagerPage::OnDestroyPage(const fw::Message&) {
  skin_.Elements().RemoveAll();
  return 0;
}

LRESULT WallpaperManagerPage::OnPictureDeleted(const fw::Message& m) {
  const char* path = reinterpret_cast<const char*>(m.lParam);
  if (path) panel_->RemovePicture(path);
  ReloadSelectedCategory();
  return 0;
}

}  // namespace mb
