#include "uploader/image_view/image_view.h"

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "common/gbk_text.h"
#include "conf/win/config.h"
#include "editor/win/rotate_file.h"
#include "framework/module.h"
#include "image/picture.h"
#include "thumblist/core/image_info_record.h"
#include "thumblist/win/list_image_ctrl.h"
#include "upload/win/upload_pool.h"
#include "uploader/image_view/batch_uploader.h"
#include "uploader/image_view/folder_list_store.h"
#include "uploader/image_view/folder_scan.h"
#include "uploader/image_view/load_image_dlg.h"
#include "uploader/image_view/picture_folder.h"
#include "uploader/view_mediator.h"

using mb::thumblist::RowTexts;

namespace {

constexpr UINT kOwnListId = 10000;
constexpr UINT kFolderListId = 10001;
constexpr int kSideStripWidth = 16;
constexpr int kLargestQuietFolder = 3;   // a new folder with more pictures is read by a scan
constexpr int kLargestQuietRefill = 2;   // more missing pictures of a known folder: a scan too
constexpr DWORD kScanStopWaitMs = 500;
constexpr std::size_t kNamesInNotice = 20;

constexpr UINT ID_EDIT_PICTURE = 32857;
constexpr UINT ID_TAKE_PICTURE_PATH = 32858;
constexpr UINT ID_REMOVE_HIGHLIGHTED = 32815;
constexpr UINT ID_REMOVE_TICKED = 32816;
constexpr UINT ID_GRID_LINES = 32921;
constexpr UINT ID_PREVIOUS_FOLDER = 32940;
constexpr UINT ID_NEXT_FOLDER = 32941;
constexpr UINT kEditCommands[] = {32793, 32794, 32806, 32807, 32808, 32809, 32817, 32836, 32838, 32839, 32840,
                                  32841, 32842, 32843, 32844, 32877, 32878, 32882, 32930, 32948, 32949, 32951,
                                  1001,  57643, 57644};

constexpr char kHighlightFirst[] = "请您高亮选中要编辑的图片！";
constexpr char kBadFolder[] = "无法打开这个文件夹（路径无效或过长）：\r\n";
constexpr char kUnlisted[] = "下列图片无法读取或路径过长，没有列出：\r\n";

CViewMediator& Mediator() { return CViewMediator::Get(); }

std::string NameList(const std::vector<std::string>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size() && i < kNamesInNotice; ++i) text += names[i] + "\r\n";
  if (names.size() > kNamesInNotice) text += "...\r\n";
  return text;
}

// The picture files of a folder, as the pane lists them: every entry that is not a folder, not
// hidden, and named like a picture. Names that cannot become a path are set aside.
struct FolderPictures {
  std::vector<std::string> paths;
  std::vector<std::string> unusable;
};

FolderPictures ReadFolder(const std::string& folder) {
  FolderPictures found;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((hoistly::FolderWithSeparator(folder) + "*.*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return found;
  do {
    if (entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN)) continue;
    if (!hoistly::IsPictureFileName(entry.cFileName)) continue;
    if (std::optional<std::string> path = hoistly::JoinPicturePath(folder, entry.cFileName)) {
      found.paths.push_back(*path);
    } else {
      found.unusable.push_back(hoistly::FolderWithSeparator(folder) + entry.cFileName);
    }
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  return found;
}

}  // namespace

class CImageView::Impl {
 public:
  explicit Impl(CImageView& view)
      : view_(view),
        uploader_(
            view, [&view](const std::string& text, UINT type) { return view.AskMember(text, type); },
            [&view] { return view.CreatePool(); }) {}
  ~Impl() {
    scans_.clear();  // before the lists they fill
    if (sideStrip_) DestroyWindow(sideStrip_);
  }

  void Register();

  // Lists.
  CListImageCtrl* Current() const { return current_; }
  void CreateList(CListImageCtrl& list, UINT id);
  void ShowOnly(CListImageCtrl* list);
  void LayOut();
  void ShowFolderCount();

  // Folders.
  void OpenFolder(const std::string& folder);
  void AddAtOnce(CListImageCtrl& list, const std::vector<std::string>& paths, std::vector<std::string> unusable);
  void StartScan(CListImageCtrl& list, std::vector<std::string> paths, std::vector<std::string> unusable);
  void StopScans();
  LRESULT OnScanStep(const fw::Message& m);
  LRESULT OnScanDone(const fw::Message& m);
  void NameUnlisted(const std::vector<std::string>& names);
  void StepFolder(int step);

  // Editing.
  void EndEditing();
  void EditPicture(const std::string& path);
  void EditHighlighted(bool open);
  bool EditorVisible() const { return editor_ && IsWindowVisible(editor_->Handle()); }
  void ShowSideStrip(bool show);

  LRESULT OnListStatus(const fw::Message& m);

  // Other messages.
  LRESULT OnCreate(const fw::Message& m);
  LRESULT OnSize(const fw::Message& m);
  LRESULT OnCommand(const fw::Message& m);
  LRESULT OnListRotated(const fw::Message& m);
  LRESULT OnSetListView(const fw::Message& m);
  LRESULT OnApplyRowSettings(const fw::Message& m);
  LRESULT OnResavePicture(const fw::Message& m);
  LRESULT PassToEditor(const fw::Message& m);

  CImageView& view_;
  CListImageCtrl ownList_;
  hoistly::FolderListStore store_;
  // The folder tree's item of each folder chosen there (folders compared without letter case).
  std::map<std::string, WPARAM> treeItems_;
  CListImageCtrl* current_ = nullptr;
  std::string shownFolder_;  // the folder last opened
  hoistly::PictureEditorFactory editorFactory_;
  hoistly::SideStripFactory stripFactory_;
  std::unique_ptr<hoistly::PictureEditor> editor_;
  HWND sideStrip_ = nullptr;
  bool sideStripShown_ = false;
  CLoadImageDlg loadDialog_;
  hoistly::FolderScan* dialogScan_ = nullptr;  // the scan the loading dialog follows
  std::vector<std::unique_ptr<hoistly::FolderScan>> scans_;
  hoistly::BatchUploader uploader_;
};

// ---- messages -------------------------------------------------------------------------------

void CImageView::Impl::Register() {
  fw::MessageMap& map = view_.Map();
  auto on = [&map, this](UINT message, LRESULT (Impl::*handler)(const fw::Message&)) {
    map.OnMessage(message, [this, handler](const fw::Message& m) { return (this->*handler)(m); });
  };
  auto plain = [&map](UINT message, std::function<void(const fw::Message&)> action) {
    map.OnMessage(message, [action](const fw::Message& m) {
      action(m);
      return LRESULT{0};
    });
  };
  on(WM_CREATE, &Impl::OnCreate);
  on(WM_SIZE, &Impl::OnSize);
  on(WM_COMMAND, &Impl::OnCommand);
  on(WM_UPLOAD_STATUS, &Impl::OnListStatus);
  plain(WM_UPLOAD_BLOCK_SENT, [this](const fw::Message&) { uploader_.OnBlockSent(); });
  plain(WM_UPLOAD_QUEUE_EMPTY, [this](const fw::Message& m) { uploader_.OnQueueEmpty(m.wParam == 8); });
  // A failed connection ends the batch's clock silently, like an empty queue.
  plain(WM_UPLOAD_CONNECT_FAILED, [this](const fw::Message&) { uploader_.OnQueueEmpty(true); });
  map.OnMessage(WM_TIMER, [this](const fw::Message& m) {
    if (m.wParam == hoistly::BatchUploader::kClockTimer) uploader_.OnClockTick();
    return view_.CallDefault(m);
  });
  on(WM_LIST_ROTATED, &Impl::OnListRotated);
  on(WM_SET_LIST_VIEW, &Impl::OnSetListView);
  on(WM_APPLY_ROW_SETTINGS, &Impl::OnApplyRowSettings);
  on(WM_RESAVE_PICTURE, &Impl::OnResavePicture);
  on(WM_EDITOR_PASS_ON, &Impl::PassToEditor);
  on(WM_EDITOR_FULL_SCREEN_FLAG, &Impl::PassToEditor);
  on(hoistly::kScanStepMessage, &Impl::OnScanStep);
  on(hoistly::kScanDoneMessage, &Impl::OnScanDone);
  plain(WM_START_UPLOAD, [this](const fw::Message&) { uploader_.Start(current_); });
  plain(WM_TICK_ALL_ROWS, [this](const fw::Message& m) {
    if (!current_) return;
    if (m.wParam == 1) {
      current_->OnEditSelectall();
    } else {
      current_->OnEditUnselectall();
    }
  });
  plain(WM_EDIT_PICTURE, [this](const fw::Message& m) {
    if (m.lParam) EditPicture(reinterpret_cast<const char*>(m.lParam));
  });
  plain(WM_LIST_PREVIEW, [](const fw::Message&) {});
  plain(WM_SHOW_PICTURE_LIST, [this](const fw::Message&) {
    if (editor_) ShowWindow(editor_->Handle(), SW_HIDE);
    ShowOnly(current_);
  });
  plain(WM_REFRESH_CURRENT_THUMB, [this](const fw::Message&) {
    if (current_) current_->SetCurrentItemImage();
  });
  plain(WM_STOP_FOLDER_SCAN, [this](const fw::Message&) { StopScans(); });
  // The frame's refresh: the folder on show gets the pictures its list lacks (the empty-folder
  // list too, when pictures came into its folder).
  plain(WM_REFRESH_FOLDER, [this](const fw::Message&) {
    if (!shownFolder_.empty()) OpenFolder(shownFolder_);
  });
}

LRESULT CImageView::Impl::OnCreate(const fw::Message&) {
  CreateList(ownList_, kOwnListId);
  current_ = &ownList_;
  ShowOnly(current_);
  return 0;
}

void CImageView::Impl::CreateList(CListImageCtrl& list, UINT id) {
  CConfig* config = CConfig::GetConfig();
  RECT area;
  GetClientRect(view_, &area);
  const DWORD mode = config->GetDefaultListView() ? LVS_REPORT : LVS_ICON;
  list.Create(view_, area, WS_TABSTOP | LVS_SHOWSELALWAYS | mode, id);
  DWORD extended = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT;
  if (config->GetShowGridLine()) extended |= LVS_EX_GRIDLINES;
  list.SetExtendedStyle(extended);
  list.CreateColumn();
  list.SetImageList2(mode == LVS_ICON);
}

void CImageView::Impl::ShowOnly(CListImageCtrl* list) {
  if (&ownList_ != list && ownList_.IsWindow()) ShowWindow(ownList_, SW_HIDE);
  for (int index = 0; index < store_.Count(); ++index) {
    if (store_.At(index) != list) ShowWindow(*store_.At(index), SW_HIDE);
  }
  current_ = list;
  store_.SetCurrent(list);
  LayOut();
  if (list && !EditorVisible()) ShowWindow(*list, SW_SHOW);
}

void CImageView::Impl::LayOut() {
  RECT area;
  GetClientRect(view_, &area);
  const int width = area.right, height = area.bottom;
  const int listWidth = sideStripShown_ ? std::max(0, width - kSideStripWidth) : width;
  if (current_) MoveWindow(*current_, 0, 0, listWidth, height, TRUE);
  if (sideStrip_) MoveWindow(sideStrip_, listWidth, 0, kSideStripWidth, height, TRUE);
  if (editor_) MoveWindow(editor_->Handle(), 0, 0, width, height, TRUE);
}

LRESULT CImageView::Impl::OnSize(const fw::Message&) {
  LayOut();
  return 0;
}

void CImageView::Impl::ShowFolderCount() {
  if (!current_) return;
  Mediator().ShowFolderCount(current_->GetItemCount(), current_->GetSelectedItemNumber());
}

LRESULT CImageView::Impl::OnCommand(const fw::Message& m) {
  if (m.lParam != 0) return view_.CallDefault(m);  // a child control's notification
  const UINT id = LOWORD(m.wParam);
  switch (id) {
    case ID_EDIT_PICTURE:
      EditHighlighted(true);
      return 0;
    case ID_TAKE_PICTURE_PATH:
      EditHighlighted(false);
      return 0;
    case ID_REMOVE_HIGHLIGHTED:
    case ID_REMOVE_TICKED:
      if (current_) current_->Send(WM_COMMAND, id, 0);
      return 0;
    case ID_GRID_LINES: {
      CConfig* config = CConfig::GetConfig();
      config->SetShowGridLine(config->GetShowGridLine() ? 0 : 1);
      if (current_) {
        const DWORD style = current_->GetExtendedStyle();
        current_->SetExtendedStyle(config->GetShowGridLine() ? style | LVS_EX_GRIDLINES : style & ~LVS_EX_GRIDLINES);
      }
      return 0;
    }
    case ID_PREVIOUS_FOLDER:
      StepFolder(-1);
      return 0;
    case ID_NEXT_FOLDER:
      StepFolder(1);
      return 0;
    default:
      break;
  }
  if (editor_ && std::find(std::begin(kEditCommands), std::end(kEditCommands), id) != std::end(kEditCommands)) {
    editor_->OnEditCommand(id);
    return 0;
  }
  return view_.CallDefault(m);
}

LRESULT CImageView::Impl::OnListRotated(const fw::Message& m) {
  const int how = static_cast<int>(m.wParam);
  if (how == 90 || how == -90) {
    if (!current_) return 0;
    if (how == 90) {
      current_->OnRotate90Right();
    } else {
      current_->OnRotate90Left();
    }
    return 0;
  }
  if (!m.lParam) return 0;
  mb::editor::RotateFileOnDisk(reinterpret_cast<const char*>(m.lParam), how == 1);
  return 0;
}

LRESULT CImageView::Impl::OnResavePicture(const fw::Message& m) {
  if (!m.lParam) return 0;
  const std::string path = reinterpret_cast<const char*>(m.lParam);
  mb::Picture picture;
  if (picture.Load(path)) picture.Save(path, picture.Format());
  return 0;
}

LRESULT CImageView::Impl::OnSetListView(const fw::Message& m) {
  if (!current_) return 0;
  const bool report = m.wParam == 1;
  const LONG_PTR style = GetWindowLongPtrA(*current_, GWL_STYLE);
  SetWindowLongPtrA(*current_, GWL_STYLE, (style & ~static_cast<LONG_PTR>(LVS_TYPEMASK)) | (report ? LVS_REPORT : LVS_ICON));
  current_->SetImageList2(report ? 0 : 1);
  InvalidateRect(*current_, nullptr, TRUE);
  return 0;
}

LRESULT CImageView::Impl::OnApplyRowSettings(const fw::Message& m) {
  const auto* info = reinterpret_cast<const stImageInfo*>(m.lParam);
  if (!current_ || !info) return 0;
  using namespace mb::thumblist;
  const int row = static_cast<int>(m.wParam);
  auto text = [](const char* field, std::size_t size) { return mb::ReadField(field, size); };
  auto number = [](int value) { return std::to_string(value); };
  current_->SetItemText(row, kColTitle, text(info->title, sizeof info->title).c_str());
  current_->SetItemText(row, kColRemark, text(info->remark, sizeof info->remark).c_str());
  current_->SetItemText(row, kColSource, text(info->source, sizeof info->source).c_str());
  current_->SetItemText(row, kColPk, PkText(info->pk != 0));
  current_->SetItemText(row, kColCategory, text(info->category, sizeof info->category).c_str());
  current_->SetItemText(row, kColPictureType, number(info->pictureType).c_str());
  current_->SetItemText(row, kColUploadType, number(info->uploadType).c_str());
  current_->SetItemText(row, kColAlbum, number(info->album).c_str());
  current_->SetItemText(row, kColTag, text(info->tag, sizeof info->tag).c_str());
  return 0;
}

LRESULT CImageView::Impl::PassToEditor(const fw::Message& m) {
  return editor_ ? editor_->OnViewMessage(m.id, m.wParam, m.lParam) : 0;
}

// ---- folders --------------------------------------------------------------------------------

void CImageView::Impl::OpenFolder(const std::string& folder) {
  // The settings pane's edits go back to their rows; rows of a folder that is left are forgotten.
  if (current_) current_->Send(WM_STORE_IMAGE_INFO, folder == shownFolder_ ? 0 : kStoreAndForgetRows, 0);
  EndEditing();
  if (!hoistly::IsUsableFolder(folder)) {
    view_.AskMember(kBadFolder + folder, MB_ICONINFORMATION);
    return;
  }
  shownFolder_ = folder;
  FolderPictures pictures = ReadFolder(folder);
  if (pictures.paths.empty()) {
    ownList_.RemoveAll();
    ShowOnly(&ownList_);
    Mediator().ShowFolderCount(0, 0);
    NameUnlisted(pictures.unusable);
    return;
  }
  const std::string key = hoistly::FolderWithSeparator(folder);
  CListImageCtrl* list = store_.Find(key);
  const bool known = list != nullptr;
  if (!known) {
    list = store_.Add(key, std::make_unique<CListImageCtrl>(fw::CString(key)));
    CreateList(*list, kFolderListId);
  }
  ShowOnly(list);
  // A scan of this list that was stopped may still be handing rows over: it shows the count
  // when it ends, and a later opening adds what it left out.
  if (std::any_of(scans_.begin(), scans_.end(), [list](const auto& scan) { return scan->List() == list; })) return;

  std::vector<std::string> missing;
  if (!known) {
    missing = std::move(pictures.paths);
  } else {
    for (const std::string& path : pictures.paths) {
      bool listed = false;
      for (int row = 0; row < list->GetItemCount() && !listed; ++row) listed = list->GetItemFilePath(row).Str() == path;
      if (!listed) missing.push_back(path);
    }
  }
  const int quietLimit = known ? kLargestQuietRefill : kLargestQuietFolder;
  if (static_cast<int>(missing.size()) > quietLimit) {
    StartScan(*list, std::move(missing), std::move(pictures.unusable));
  } else {
    AddAtOnce(*list, missing, std::move(pictures.unusable));
  }
}

void CImageView::Impl::AddAtOnce(CListImageCtrl& list, const std::vector<std::string>& paths,
                                 std::vector<std::string> unusable) {
  for (const std::string& path : paths) {
    list.AddImage(fw::CString(path));
    if (!list.GetLastLoadError().IsEmpty()) unusable.push_back(path);
  }
  if (!paths.empty()) {
    list.EnsureVisible(list.GetItemCount() - 1, false);
    InvalidateRect(list, nullptr, TRUE);
  }
  ShowFolderCount();
  NameUnlisted(unusable);
}

void CImageView::Impl::StartScan(CListImageCtrl& list, std::vector<std::string> paths,
                                 std::vector<std::string> unusable) {
  const int count = static_cast<int>(paths.size());
  auto scan = std::make_unique<hoistly::FolderScan>(view_, &list, std::move(paths));
  hoistly::FolderScan* started = scan.get();
  if (!scan->Start()) {
    AddAtOnce(list, {}, std::move(unusable));
    return;
  }
  scans_.push_back(std::move(scan));
  NameUnlisted(unusable);
  dialogScan_ = started;
  loadDialog_.SetUp(count, view_, [this, started] { return dialogScan_ == started; });
  loadDialog_.Run(GetAncestor(view_, GA_ROOT));
  if (dialogScan_ == started) dialogScan_ = nullptr;
}

void CImageView::Impl::StopScans() {
  for (auto& scan : scans_) scan->RequestStop();
  for (auto& scan : scans_) scan->WaitForEnd(kScanStopWaitMs);
  // Each scan is destroyed when its done message arrives.
}

LRESULT CImageView::Impl::OnScanStep(const fw::Message& m) {
  if (dialogScan_ && dialogScan_->Id() == m.wParam) loadDialog_.Step();
  return 0;
}

LRESULT CImageView::Impl::OnScanDone(const fw::Message& m) {
  auto found = std::find_if(scans_.begin(), scans_.end(), [&m](const auto& scan) { return scan->Id() == m.wParam; });
  if (found == scans_.end()) return 0;
  std::unique_ptr<hoistly::FolderScan> scan = std::move(*found);
  scans_.erase(found);
  scan->WaitForEnd(INFINITE);  // its last act was this message
  if (dialogScan_ == scan.get()) {
    dialogScan_ = nullptr;
    loadDialog_.Finish();
  }
  CListImageCtrl* list = scan->List();
  InvalidateRect(*list, nullptr, TRUE);
  if (list == current_) ShowFolderCount();
  NameUnlisted(scan->Unreadable());
  return 0;
}

void CImageView::Impl::NameUnlisted(const std::vector<std::string>& names) {
  if (!names.empty()) view_.AskMember(kUnlisted + NameList(names), MB_ICONINFORMATION);
}

void CImageView::Impl::StepFolder(int step) {
  const int index = store_.CurrentIndex() + step;
  CListImageCtrl* list = store_.At(index);
  if (!list) return;
  ShowOnly(list);
  if (HWND tree = Mediator().FolderTree()) {
    const auto item = treeItems_.find(mb::GbkToLowerAscii(store_.FolderAt(index)));
    SendMessageA(tree, WM_SELECT_TREE_ITEM, item == treeItems_.end() ? 0 : item->second,
                 reinterpret_cast<LPARAM>(store_.FolderAt(index).c_str()));
  }
}

// ---- editing --------------------------------------------------------------------------------

void CImageView::Impl::EndEditing() {
  if (!EditorVisible()) return;
  if (HWND main = fw::Module::MainWindow()) SendMessageA(main, WM_EDITING_STATE, 1, 0);
  ShowWindow(editor_->Handle(), SW_HIDE);
  ShowOnly(current_);
}

void CImageView::Impl::EditPicture(const std::string& path) {
  if (!editor_) {
    // A new editor opens the path it is made with: giving it the path again would read the
    // picture twice (and tell a failure twice).
    if (editorFactory_) editor_ = editorFactory_(view_, path, current_);
    if (!editor_) return;  // the editor window could not be made
  } else {
    editor_->SetImagePath(path);
  }
  editor_->InitTabs(current_);
  ShowWindow(editor_->Handle(), SW_SHOW);
  if (HWND main = fw::Module::MainWindow()) SendMessageA(main, WM_EDITING_STATE, 0, 0);
  editor_->LayOut();
  LayOut();
  if (current_) ShowWindow(*current_, SW_HIDE);
}

void CImageView::Impl::EditHighlighted(bool open) {
  const int row = current_ ? current_->GetNextItem(-1, LVNI_SELECTED) : -1;
  if (row < 0) {
    view_.AskMember(kHighlightFirst, MB_ICONINFORMATION);
    return;
  }
  const std::string path = current_->GetItemFilePath(row).Str();
  if (open) EditPicture(path);
}

void CImageView::Impl::ShowSideStrip(bool show) {
  if (show && !sideStrip_ && stripFactory_) sideStrip_ = stripFactory_(view_);
  sideStripShown_ = show && sideStrip_;
  if (sideStrip_) ShowWindow(sideStrip_, sideStripShown_ ? SW_SHOW : SW_HIDE);
  LayOut();
}

// ---- upload ---------------------------------------------------------------------------------

LRESULT CImageView::Impl::OnListStatus(const fw::Message& m) {
  switch (m.wParam) {
    case LIST_STATUS_FOLDER_COUNT:
    case 2:
      ShowFolderCount();
      break;
    case UPLOAD_STATUS_NEXT_PICTURE:
      uploader_.OnNextPicture();
      break;
    default:
      break;
  }
  return 0;
}

// ---- CImageView -----------------------------------------------------------------------------

CImageView::CImageView() : impl_(std::make_unique<Impl>(*this)) { impl_->Register(); }

CImageView::~CImageView() {
  impl_->scans_.clear();  // before the lists' windows go with the view's
  impl_->uploader_.StopPool();
  Destroy();
  impl_.reset();
}

HWND CImageView::Create(HWND parent, const RECT& rect, UINT id) {
  return fw::Window::Create(parent, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, &rect,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

void CImageView::SetEditorFactory(hoistly::PictureEditorFactory factory) { impl_->editorFactory_ = std::move(factory); }
void CImageView::SetSideStripFactory(hoistly::SideStripFactory factory) { impl_->stripFactory_ = std::move(factory); }
void CImageView::OpenFolder(const std::string& folder) { impl_->OpenFolder(folder); }

void CImageView::RecordTreeItem(const std::string& folder, WPARAM item) {
  impl_->treeItems_[mb::GbkToLowerAscii(hoistly::FolderWithSeparator(folder))] = item;
}
CListImageCtrl* CImageView::CurrentList() const { return impl_->Current(); }
int CImageView::RowCount() const { return impl_->Current() ? impl_->Current()->GetItemCount() : 0; }
int CImageView::TickedCount() const { return impl_->Current() ? impl_->Current()->GetSelectedItemNumber() : 0; }
int CImageView::HighlightedCount() const { return impl_->Current() ? impl_->Current()->GetSelectedCount() : 0; }

void CImageView::RefreshColumns() {
  if (impl_->Current()) impl_->Current()->RefreshColumn();
}

bool CImageView::AddPictureFile(const std::string& path) {
  CListImageCtrl* list = impl_->Current();
  if (!list || !hoistly::FitsPathField(path)) return false;
  list->AddImage(fw::CString(path));
  return list->GetLastLoadError().IsEmpty();
}

bool CImageView::IsEditWindowVisible() const { return impl_->EditorVisible(); }

bool CImageView::IsEditCommandEnabled(UINT id) const {
  return impl_->editor_ && impl_->editor_->IsEditCommandEnabled(id);
}

int CImageView::CurrentListIndex() const { return impl_->store_.CurrentIndex(); }
int CImageView::StoredListCount() const { return impl_->store_.Count(); }
void CImageView::ShowSideStrip(bool show) { impl_->ShowSideStrip(show); }
bool CImageView::IsSideStripVisible() const { return impl_->sideStripShown_; }
std::uint64_t CImageView::BlocksSent() const { return impl_->uploader_.Progress().BlocksSent(); }
std::uint64_t CImageView::BlocksTotal() const { return impl_->uploader_.Progress().TotalBlocks(); }
void CImageView::CompleteBatch() { impl_->uploader_.Complete(); }

void CImageView::StorePendingSettings() {
  if (impl_->current_) impl_->current_->Send(WM_STORE_IMAGE_INFO, 0, 0);
}
void CImageView::ResetUploadCounters() { impl_->uploader_.Reset(); }

int CImageView::AskMember(const std::string& text, UINT type) {
  return MessageBoxA(nullptr, text.c_str(), "墨岚屏[Pelora]-系统消息", type);
}

CZELUploadThreadsPool* CImageView::CreatePool() { return new CZELUploadThreadsPool(); }
