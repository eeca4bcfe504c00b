#include "thumblist/win/list_image_ctrl.h"

#include <shellapi.h>

#include <algorithm>
#include <map>

#include "common/gbk_text.h"
#include "conf/win/config.h"
#include "framework/module.h"
#include "thumblist/core/image_info_record.h"
#include "thumblist/core/upload_rule.h"
#include "thumblist/win/list_cell_editors.h"
#include "thumblist/win/list_header_ctrl.h"
#include "thumblist/win/list_messages.h"
#include "thumblist/win/picture_loader.h"
#include "thumblist/win/thumbrill_resource.h"

using namespace mb::thumblist;

namespace {
// The list's own wake-up: rows made ready on a scan thread wait in the queue.
constexpr UINT kRowsPrepared = WM_USER + 0x250;
constexpr char kColumnTwoChoices[] = "String1$String2$String3$String4";

HWND MainWindow() { return fw::Module::MainWindow(); }
}  // namespace

struct CListImageCtrl::ListRow {
  RowTexts texts;                     // the sort keys, kept in step with the cells
  std::map<int, std::string> choices; // combo choices by column, "$"-joined
};

CListImageCtrl::CListImageCtrl() { RegisterHandlers(); }

CListImageCtrl::CListImageCtrl(const fw::CString& path) : path_(path) { RegisterHandlers(); }

CListImageCtrl::~CListImageCtrl() {
  if (IsWindow()) DestroyWindow(Handle());
}

HWND CListImageCtrl::Create(HWND parent, const RECT& rect, DWORD style, UINT id) {
  windowThread_ = GetCurrentThreadId();
  if (!fw::ListView::Create(parent, rect, style | LVS_SHAREIMAGELISTS, id)) return nullptr;
  ShowScrollBar(Handle(), SB_HORZ, TRUE);
  listIcon_.Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
  if (HICON icon = LoadIconA(fw::ThisModule(), MAKEINTRESOURCEA(IDI_LIST_ICON))) listIcon_.AddIcon(icon);
  DragAcceptFiles(Handle(), TRUE);
  if ((style & LVS_TYPEMASK) == LVS_REPORT) SubclassHeader();
  return Handle();
}

ColumnFlags CListImageCtrl::CurrentFlags() const {
  CConfig* config = CConfig::GetConfig();
  return {config->GetShowFileName() != 0,  config->GetShowFilePath() != 0, config->GetShowFileSize() != 0,
          config->GetShowImageSize() != 0, config->GetShowTitle() != 0,    config->GetShowRemark() != 0,
          config->GetShowFileType() != 0,  config->GetShowImageSource() != 0, config->GetShowPK() != 0};
}

void CListImageCtrl::CreateColumn() {
  columnCount_ = 0;
  for (const ColumnSpec& column : ParseColumnHeadings(ColumnHeadingText(CurrentFlags()))) {
    if (InsertColumn(columnCount_, column.heading.c_str(), LVCFMT_LEFT, column.width) < 0) break;
    ++columnCount_;
  }
  thumbnails_.Create(thumbWidth_, thumbHeight_, ILC_COLOR32, 0, 16);
  icons_.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 8);
  icons_.SetBackground(RGB(255, 255, 255));
  SetImageList(thumbnails_, LVSIL_NORMAL);
  SetImageList(icons_, LVSIL_SMALL);
}

void CListImageCtrl::RefreshColumn() {
  HideEditBox();
  const ColumnFlags flags = CurrentFlags();
  for (int column = kFirstRefreshedColumn; column <= kLastRefreshedColumn; ++column) {
    SetColumnWidth(column, RefreshWidth(column, flags));
  }
  // Exactly 0, past the margin rule: straight to the header (not yet bound in icon mode).
  HDITEMA closed = {};
  closed.mask = HDI_WIDTH;
  for (int column = kFirstRefreshedColumn; column <= kLastRefreshedColumn; ++column) {
    if (flags[column]) continue;
    if (header_) {
      header_->SetItemWidth(column, 0);
    } else {
      SendMessageA(GetHeader(), HDM_SETITEMA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&closed));
    }
  }
}

void CListImageCtrl::SetColumnWidth(int column, int width) {
  SetColumnWidthExact(column, width);
  SetColumnWidthExact(column, WidthWithMargin(GetColumnWidth(column)));
}

void CListImageCtrl::SetImageList2(int thumbnails) {
  HideEditBox();
  SetImageList(thumbnails ? thumbnails_.Handle() : icons_.Handle(), LVSIL_NORMAL);
}

void CListImageCtrl::SetThumSize(int width, int height) {
  thumbWidth_ = width;
  thumbHeight_ = height;
}

void CListImageCtrl::SubclassHeader() {
  if (header_) return;
  auto header = std::make_unique<CListHeaderCtrl>();
  if (!header->Subclass(GetHeader())) return;
  header_ = std::move(header);
  header_->SetAlignment(headerAlignment_);
  header_->SetTextColor(headerTextColour_);
  const int headerId = GetDlgCtrlID(GetHeader());
  Notify(static_cast<UINT>(headerId), HDN_BEGINTRACKA, &CListImageCtrl::OnHeaderBeginTrack);
  Notify(static_cast<UINT>(headerId), HDN_BEGINTRACKW, &CListImageCtrl::OnHeaderBeginTrack);
  Notify(static_cast<UINT>(headerId), NM_RCLICK, &CListImageCtrl::OnHeaderRightClick);
}

LRESULT CListImageCtrl::OnHeaderRightClick(NMHDR*) {
  HideEditBox();
  header_->ShowColumnMenu();
  return 1;
}

void CListImageCtrl::ShowSortArrow(int column, bool ascending) {
  if (header_) header_->SetSortImage(column, ascending);
}

void CListImageCtrl::SetHeaderAlignment(UINT alignment) {
  headerAlignment_ = alignment;
  if (header_) header_->SetAlignment(alignment);
}

void CListImageCtrl::SetHeaderTextColor(COLORREF colour) {
  headerTextColour_ = colour;
  if (header_) header_->SetTextColor(colour);
}

CListImageCtrl::ListRow* CListImageCtrl::RowAt(int row) const {
  if (row < 0 || row >= GetItemCount()) return nullptr;
  return reinterpret_cast<ListRow*>(GetItemData(row));
}

const RowTexts* CListImageCtrl::GetRowTexts(int row) const {
  const ListRow* data = RowAt(row);
  return data ? &data->texts : nullptr;
}

// Rows.

HBITMAP CListImageCtrl::LoadPicture(const fw::CString& path, fw::CString& dimensions) {
  std::string error;
  std::string size;
  HBITMAP bitmap = LoadThumbnailBitmap(path.Str(), thumbWidth_, thumbHeight_, size, error);
  dimensions = size;
  SetLastLoadError(bitmap ? std::string() : path.Str(), error);
  return bitmap;
}

void CListImageCtrl::SetLastLoadError(const std::string& path, const std::string& reason) {
  std::lock_guard<std::mutex> hold(errorLock_);
  lastLoadError_ = path.empty() ? std::string() : path + ": " + reason;
}

fw::CString CListImageCtrl::GetLastLoadError() const {
  std::lock_guard<std::mutex> hold(errorLock_);
  return fw::CString(lastLoadError_);
}

bool CListImageCtrl::PrepareRow(const std::string& path, PreparedRow& row) {
  row.path = path;
  fw::CString dimensions;
  std::string sizeText;
  if (!HasPercentSign(path)) {
    if (IsRefusedPngPath(path)) {
      SetLastLoadError(path, "PNG pictures are not taken");
      return false;
    }
    row.thumbnail = LoadPicture(path, dimensions);
    if (!row.thumbnail) return false;
    sizeText = SizeTextOf(path);
  }
  row.texts = MakeNewPictureRow(path, sizeText, dimensions.Str());
  return true;
}

void CListImageCtrl::AddImage(const fw::CString& path, int) {
  SendStatusText("正在载入图片文件 ： " + path.Str() + " ...");
  PreparedRow row;
  if (!PrepareRow(path.Str(), row)) {
    SendStatusText("就绪");
    return;
  }
  if (GetCurrentThreadId() == windowThread_) {
    InsertPrepared(std::move(row));
    return;
  }
  prepared_.Push(std::move(row));
  Post(kRowsPrepared);
}

LRESULT CListImageCtrl::OnRowsPrepared(const fw::Message&) {
  PreparedRow row;
  while (prepared_.Pop(row)) {
    InsertPrepared(std::move(row));
    row = PreparedRow();
  }
  return 0;
}

void CListImageCtrl::InsertPrepared(PreparedRow row) {
  int image = 0;  // a name with "%" has no thumbnail of its own
  if (row.thumbnail) {
    image = thumbnails_.Add(row.thumbnail);
    DeleteObject(row.thumbnail);
    HICON icon = SmallShellIconOf(row.path);
    const int iconIndex = icons_.AddIcon(icon ? icon : LoadIconA(nullptr, IDI_APPLICATION));
    if (icon) DestroyIcon(icon);
    (void)iconIndex;  // one icon per thumbnail keeps both lists on the same indexes
  }
  const int added = AddItem(image, row.texts);
  if (added >= 0) {
    EnsureVisible(added, FALSE);
    UpdateWindow(Handle());
  }
}

int CListImageCtrl::AddItem(int image, const RowTexts& texts) {
  auto data = std::make_unique<ListRow>();
  data->texts = texts;
  data->choices[kColSize] = kColumnTwoChoices;
  const int row = InsertItem(GetItemCount(), texts[0].c_str(), image, reinterpret_cast<LPARAM>(data.get()));
  if (row < 0) return -1;
  data.release();
  for (int column = 1; column < columnCount_ && column < kColumnCount; ++column) {
    fw::ListView::SetItemText(row, column, texts[column].c_str());
  }
  return row;
}

bool CListImageCtrl::SetItemText(int row, int column, const char* text) {
  ListRow* data = RowAt(row);
  if (!data || column < 0 || column >= kColumnCount) return false;
  data->texts[column] = text ? text : "";
  return fw::ListView::SetItemText(row, column, data->texts[column].c_str());
}

void CListImageCtrl::SetTextArray(int row, const RowTexts& texts) {
  for (int column = 0; column < kColumnCount; ++column) SetItemText(row, column, texts[column].c_str());
}

void CListImageCtrl::SetItemImage(const fw::CString& path, int row, int) {
  ListRow* data = RowAt(row);
  if (!data || HasPercentSign(path.Str())) return;
  fw::CString dimensions;
  HBITMAP bitmap = LoadPicture(path, dimensions);
  if (!bitmap) return;
  const int image = GetItemImage(row);
  if (image >= 0 && image < thumbnails_.Count()) {
    thumbnails_.Replace(image, bitmap);
  } else {
    fw::ListView::SetItemImage(row, thumbnails_.Add(bitmap));
    HICON icon = SmallShellIconOf(path.Str());
    icons_.AddIcon(icon ? icon : LoadIconA(nullptr, IDI_APPLICATION));
    if (icon) DestroyIcon(icon);
  }
  DeleteObject(bitmap);
  SetItemText(row, kColDimensions, dimensions);
  const std::string sizeText = SizeTextOf(path.Str());
  if (!sizeText.empty()) SetItemText(row, kColSize, sizeText.c_str());
  Send(LVM_REDRAWITEMS, static_cast<WPARAM>(row), static_cast<LPARAM>(row));
  ShowRowInPanes(row);
}

void CListImageCtrl::SetCurrentItemImage() {
  if (currentIndex_ >= 0) SetItemImage(GetItemFilePath(currentIndex_), currentIndex_);
}

fw::CString CListImageCtrl::GetItemFilePath(int row) const {
  const ListRow* data = RowAt(row);
  return data ? fw::CString(RowFilePath(data->texts)) : fw::CString();
}

int CListImageCtrl::HighlightedRow() const { return GetNextItem(-1, LVNI_SELECTED); }

bool CListImageCtrl::AnyTicked() const { return GetSelectedItemNumber() > 0; }

int CListImageCtrl::GetSelectedItem() {
  const int row = HighlightedRow();
  currentIndex_ = row;
  if (row < 0) lastReportedRow_ = -1;
  return row;
}

int CListImageCtrl::GetSelectedItemNumber() const {
  int ticked = 0;
  for (int row = 0; row < GetItemCount(); ++row) ticked += GetCheck(row) ? 1 : 0;
  return ticked;
}

int CListImageCtrl::GetPreFilePath(fw::CString& path) {
  if (currentIndex_ <= 0 || currentIndex_ >= GetItemCount()) return 0;
  --currentIndex_;
  path = GetItemFilePath(currentIndex_);
  ShowRowInPanes(currentIndex_);
  return 1;
}

int CListImageCtrl::GetNextFilePath(fw::CString& path) {
  if (currentIndex_ + 1 >= GetItemCount()) return 0;
  ++currentIndex_;
  path = GetItemFilePath(currentIndex_);
  ShowRowInPanes(currentIndex_);
  return 1;
}

std::uint64_t CListImageCtrl::GetFilesPathList(std::vector<fw::CString>& paths) const {
  std::uint64_t total = 0;
  for (int row = 0; row < GetItemCount(); ++row) {
    paths.push_back(GetItemFilePath(row));
    total += FileSizeOf(paths.back().Str()).value_or(0);
  }
  return total;
}

int CListImageCtrl::ContinueUpload(std::vector<fw::CString>& refused, int* accepted) {
  std::vector<UploadCandidate> ticked;
  for (int row = 0; row < GetItemCount(); ++row) {
    const ListRow* data = RowAt(row);
    if (!data || !GetCheck(row)) continue;
    const std::string path = RowFilePath(data->texts);
    ticked.push_back({path, data->texts[kColDimensions], FileSizeOf(path)});
  }
  const UploadCheck check = CheckUploadCandidates(ticked);
  refused.insert(refused.end(), check.refused.begin(), check.refused.end());
  if (accepted) *accepted = check.accepted;
  return check.allAccepted ? 1 : 0;
}

// Removal.

void CListImageCtrl::FreeRows() {
  for (int row = 0; row < GetItemCount(); ++row) {
    delete RowAt(row);
    SetItemData(row, 0);
  }
}

void CListImageCtrl::DeleteRow(int row) {
  delete RowAt(row);
  SetItemData(row, 0);
  DeleteItem(row);
  for (int* index : {&currentIndex_, &lastReportedRow_}) {
    if (*index == row) *index = -1;
    else if (*index > row) --*index;
  }
}

void CListImageCtrl::RemoveAll() {
  FlushPendingRows();
  HideEditBox();
  FreeRows();
  DeleteAllItems();
  if (thumbnails_.Handle()) ImageList_RemoveAll(thumbnails_);
  if (icons_.Handle()) ImageList_RemoveAll(icons_);
  currentIndex_ = lastReportedRow_ = -1;
}

void CListImageCtrl::EditDelete(int row) {
  if (!RowAt(row)) return;
  FlushPendingRows();
  HideEditBox();
  DeleteRow(row);
}

void CListImageCtrl::EditDelete(const fw::CString& path) {
  FlushPendingRows();
  HideEditBox();
  for (int row = GetItemCount() - 1; row >= 0; --row) {
    if (GetItemFilePath(row).Str() == path.Str()) DeleteRow(row);
  }
}

void CListImageCtrl::OnEditSelectall() {
  for (int row = 0; row < GetItemCount(); ++row) SetCheck(row, true);
  NotifyParentStatus();
}

void CListImageCtrl::OnEditUnselectall() {
  for (int row = 0; row < GetItemCount(); ++row) SetCheck(row, false);
  NotifyParentStatus();
}

// Sorting.

struct CListImageCtrl::SortContext {
  int column;
  const SortOrder* order;
};

int CALLBACK CListImageCtrl::CompareRows(LPARAM left, LPARAM right, LPARAM context) {
  const auto* sort = reinterpret_cast<const SortContext*>(context);
  const auto* a = reinterpret_cast<const ListRow*>(left);
  const auto* b = reinterpret_cast<const ListRow*>(right);
  if (!a || !b) return 0;
  return sort->order->Apply(lstrcmpA(a->texts[sort->column].c_str(), b->texts[sort->column].c_str()));
}

void CListImageCtrl::SortColumn(int column, int ascending) {
  if (column < 0 || column >= kColumnCount) return;
  FlushPendingRows();
  HideEditBox();
  sortOrder_.Set(column, ascending != 0);
  SortContext context{column, &sortOrder_};
  SortItems(CompareRows, reinterpret_cast<LPARAM>(&context));
  currentIndex_ = lastReportedRow_ = -1;
}

void CListImageCtrl::Sort(int column, int ascending) {
  SortColumn(column, ascending);
  ShowSortArrow(column, ascending != 0);
}

void CListImageCtrl::DrawWindow() {
  SetFocus(Handle());
  SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// Editors and cell tables.

bool CListImageCtrl::CellEditorRect(int row, int column, RECT& rect) {
  if (!RowAt(row) || column < 0 || column >= columnCount_) return false;
  EnsureVisible(row, FALSE);
  // The first column's bounds are the whole row's: its label is the cell.
  return GetSubItemRect(row, column, column == 0 ? LVIR_LABEL : LVIR_BOUNDS, rect);
}

HWND CListImageCtrl::OpenEditor(std::unique_ptr<ListCellEditor> editor) {
  editor_ = std::move(editor);
  return editor_->Handle();
}

HWND CListImageCtrl::DisplayEditBox(int row, int column) {
  HideEditBox();
  RECT cell;
  if (!CellEditorRect(row, column, cell)) return nullptr;
  auto edit = std::make_unique<CListCellEdit>(*this, row, column);
  HFONT font = reinterpret_cast<HFONT>(Send(WM_GETFONT));
  if (!edit->Create(cell, RowAt(row)->texts[column], font)) return nullptr;
  return OpenEditor(std::move(edit));
}

HWND CListImageCtrl::DisplayComboBox(int row, int column) {
  HideEditBox();
  RECT cell;
  if (!CellEditorRect(row, column, cell)) return nullptr;
  const ComboFill fill = ComboFillFor(ChoicesOf(row, column), RowAt(row)->texts[column]);
  auto combo = std::make_unique<CListCellCombo>(*this, row, column);
  HFONT font = reinterpret_cast<HFONT>(Send(WM_GETFONT));
  if (!combo->Create(cell, fill.items, fill.selected, font)) return nullptr;
  return OpenEditor(std::move(combo));
}

void CListImageCtrl::GetCellInfo(int& row, int& column) const {
  row = editor_ ? editor_->Row() : -1;
  column = editor_ ? editor_->Column() : -1;
}

void CListImageCtrl::HideEditBox() {
  std::unique_ptr<ListCellEditor> editor = std::move(editor_);
  if (!editor) return;
  editor->Commit();
  editor->Destroy();
}

LRESULT CListImageCtrl::OnEditorEnded(const fw::Message& m) {
  if (editor_ && editor_->Handle() == reinterpret_cast<HWND>(m.wParam)) HideEditBox();
  return 0;
}

void CListImageCtrl::AddEditableCell(int row, int column) { editableCells_.Add(row, column); }

bool CListImageCtrl::IsEditable(int row, int column) const { return editableCells_.Contains(row, column); }

void CListImageCtrl::SetComboBox(int row, int column, const std::string& choices) {
  if (row >= 0) {
    if (ListRow* data = RowAt(row)) data->choices[column] = choices;
    return;
  }
  anyRowChoices_.Add(row, column, choices);
}

std::string CListImageCtrl::ChoicesOf(int row, int column) const {
  if (const ListRow* data = RowAt(row)) {
    auto found = data->choices.find(column);
    if (found != data->choices.end()) return found->second;
  }
  const std::string* kept = anyRowChoices_.Find(row, column);
  return kept ? *kept : std::string();
}

bool CListImageCtrl::IsComboSet(int row, int column) const { return !GetComboChoices(row, column).empty(); }

std::vector<std::string> CListImageCtrl::GetComboChoices(int row, int column) const {
  return SplitChoices(ChoicesOf(row, column));
}

// Reports.

void CListImageCtrl::SendRowInfo(HWND target, WPARAM wParam, int row) {
  const ListRow* data = RowAt(row);
  if (!data || !target) return;
  stImageInfo info = MakeImageInfo(data->texts);
  SendMessageA(target, WM_SHOW_IMAGE_INFO, wParam, reinterpret_cast<LPARAM>(&info));
}

void CListImageCtrl::ReportRow(int row) {
  lastReportedRow_ = row;
  ShowRowInPanes(row);
}

// The settings pane edits the rows it was shown for: what the member typed there goes back to
// those rows before the pane shows another one, whatever moved it (mouse, keys, the editor's
// steps, a refreshed thumbnail). The rows are the highlighted ones when the row is among them.
void CListImageCtrl::ShowRowInPanes(int row) {
  StorePendingEdits();
  pendingRows_.clear();
  if (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) {
    for (int at = HighlightedRow(); at >= 0; at = GetNextItem(at, LVNI_SELECTED)) pendingRows_.push_back(at);
  } else {
    pendingRows_.push_back(row);
  }
  SendRowInfo(MainWindow(), static_cast<WPARAM>(row), row);
}

void CListImageCtrl::SendStatusText(const std::string& text) {
  if (HWND main = MainWindow()) SendMessageA(main, WM_UPLOAD_STATUS, LIST_STATUS_TEXT, reinterpret_cast<LPARAM>(text.c_str()));
}

void CListImageCtrl::NotifyParentStatus() {
  SendMessageA(GetParent(Handle()), WM_UPLOAD_STATUS, LIST_STATUS_FOLDER_COUNT, 0);
}

void CListImageCtrl::StorePendingEdits() {
  CConfig* config = CConfig::GetConfig();
  HWND main = MainWindow();
  for (int row : pendingRows_) {
    if (config->GetSettingsEdited() == 1 && main) SendMessageA(main, WM_STORE_IMAGE_INFO, static_cast<WPARAM>(row), 0);
  }
  config->SetSettingsEdited(0);
}

void CListImageCtrl::FlushPendingRows() {
  StorePendingEdits();
  pendingRows_.clear();
}
