#include "client/ui/upload/win/upload_page.h"

#include <windowsx.h>
#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <optional>
#include <utility>

#include "client/core/client_config.h"
#include "client/core/path_text.h"
#include "client/core/win/skin_engine.h"
#include "client/core/win/system_utils.h"
#include "client/core/win/tray_frame.h"
#include "client/ui/browser/win/browser_dialog.h"
#include "client/ui/download/win/category_dialogs.h"
#include "client/ui/progress/win/progress_bar_view.h"
#include "client/ui/res/resource.h"
#include "client/ui/skin/win/skin_fonts.h"
#include "client/ui/upload/win/add_album_dialog.h"
#include "client/ui/upload/win/album_requests.h"
#include "client/ui/upload/win/upload_job.h"
#include "client/ui/win/small_window_calls.h"
#include "client/ui/win/uploader_launch.h"
#include "common/atomic_file.h"
#include "common/gbk_text.h"
#include "framework/gdi.h"
#include "image/picture.h"

namespace mb {

// The album list asked for when the page opens: filled on a worker, taken by the page when
// WM_ALBUMS_FETCHED arrives.
struct AlbumFetch {
  std::mutex lock;
  std::optional<AlbumList> albums;
};

namespace {

constexpr UINT WM_ALBUMS_FETCHED = WM_APP + 0x30;
constexpr int kHelpCommand = 20031;
constexpr int kUploadCommand = 20025;
constexpr int kViewUploadsCommand = 20026;

const char kUploadCancelled[] = "壁纸上传取消";
const char kHelpPath[] = "/kivane/upload_help.html";
const char kHelpText[] = "上传帮助";

struct ControlPlace {
  int id, x, y, width, height;
};

// Skin layout 2 (pixels): the labels in the left column of the page's panel, clear of the
// "上传须知" element below them, the form right of them, the picture and the batch uploader's
// buttons at the right.
const ControlPlace kPlaces2[] = {
    {IDC_UPLOAD_LABEL_PATH, 18, 34, 64, 16},        {IDC_UPLOAD_PATH, 92, 30, 300, 22},
    {IDC_UPLOAD_BROWSE, 396, 30, 28, 22},           {IDC_UPLOAD_LABEL_TITLE, 18, 60, 64, 16},
    {IDC_UPLOAD_TITLE, 92, 56, 332, 22},            {IDC_UPLOAD_LABEL_DESCRIPTION, 18, 86, 64, 16},
    {IDC_UPLOAD_DESCRIPTION, 92, 82, 332, 48},      {IDC_UPLOAD_LABEL_TAG, 18, 138, 64, 16},
    {IDC_UPLOAD_TAG, 92, 134, 110, 22},             {IDC_UPLOAD_LABEL_SOURCE, 210, 138, 36, 16},
    {IDC_UPLOAD_SOURCE, 248, 134, 76, 200},         {IDC_UPLOAD_LABEL_VISIBILITY, 330, 138, 34, 16},
    {IDC_UPLOAD_VISIBILITY, 366, 134, 58, 200},     {IDC_UPLOAD_LABEL_CATEGORY, 18, 164, 64, 16},
    {IDC_UPLOAD_CATEGORY1, 92, 160, 108, 200},      {IDC_UPLOAD_CATEGORY2, 204, 160, 108, 200},
    {IDC_UPLOAD_CATEGORY3, 316, 160, 108, 200},     {IDC_UPLOAD_LABEL_ALBUM, 18, 190, 64, 16},
    {IDC_UPLOAD_ALBUM, 92, 186, 150, 200},          {IDC_UPLOAD_ADD_ALBUM, 246, 186, 50, 22},
    {IDC_UPLOAD_LABEL_SORT, 302, 190, 36, 16},      {IDC_UPLOAD_SORT, 340, 186, 84, 200},
    {IDC_UPLOAD_START, 92, 232, 80, 26},            {IDC_UPLOAD_CANCEL, 178, 232, 80, 26},
    {IDC_UPLOAD_VIEW_UPLOADS, 264, 232, 104, 26},   {IDC_UPLOAD_BATCH, 440, 212, 110, 26},
    {IDC_UPLOAD_EDIT_PICTURE, 558, 212, 110, 26},   {IDC_UPLOAD_PERCENT, 430, 266, 70, 16},
};
// Skin layout 3: the skin's labels name the rows (path, three categories, title, source and
// type, album, description, tag), so the form follows them; only the visibility keeps its static.
const ControlPlace kPlaces3[] = {
    {IDC_UPLOAD_PATH, 80, 29, 300, 20},             {IDC_UPLOAD_BROWSE, 384, 29, 28, 20},
    {IDC_UPLOAD_CATEGORY1, 80, 50, 200, 200},       {IDC_UPLOAD_CATEGORY2, 80, 72, 200, 200},
    {IDC_UPLOAD_CATEGORY3, 80, 94, 200, 200},       {IDC_UPLOAD_TITLE, 80, 115, 332, 20},
    {IDC_UPLOAD_SOURCE, 80, 137, 52, 200},          {IDC_UPLOAD_SORT, 192, 137, 90, 200},
    {IDC_UPLOAD_LABEL_VISIBILITY, 290, 140, 32, 16}, {IDC_UPLOAD_VISIBILITY, 324, 137, 60, 200},
    {IDC_UPLOAD_ALBUM, 80, 160, 150, 200},          {IDC_UPLOAD_ADD_ALBUM, 234, 160, 50, 20},
    {IDC_UPLOAD_DESCRIPTION, 80, 186, 332, 50},     {IDC_UPLOAD_TAG, 80, 240, 70, 20},
    {IDC_UPLOAD_START, 80, 268, 80, 24},            {IDC_UPLOAD_CANCEL, 166, 268, 80, 24},
    {IDC_UPLOAD_VIEW_UPLOADS, 252, 268, 104, 24},   {IDC_UPLOAD_BATCH, 440, 212, 110, 26},
    {IDC_UPLOAD_EDIT_PICTURE, 558, 212, 110, 26},   {IDC_UPLOAD_PERCENT, 430, 296, 70, 16},
};
// The statics whose words the skin's labels carry in layout 3.
const int kLabelsOfLayout3[] = {IDC_UPLOAD_LABEL_PATH,     IDC_UPLOAD_LABEL_TITLE,    IDC_UPLOAD_LABEL_DESCRIPTION,
                                IDC_UPLOAD_LABEL_TAG,      IDC_UPLOAD_LABEL_SOURCE,   IDC_UPLOAD_LABEL_CATEGORY,
                                IDC_UPLOAD_LABEL_ALBUM,    IDC_UPLOAD_LABEL_SORT};
const RECT kPictureRect = {440, 30, 668, 201};
const RECT kProgressRect2 = {92, 266, 424, 282};
const RECT kProgressRect3 = {80, 298, 412, 314};
// Skin layout 1 (dialog units of the template).
const RECT kPictureUnits = {204, 14, 296, 84};
const RECT kProgressUnits = {32, 146, 196, 156};

int ComboIndex(HWND combo) { return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)); }

std::string ItemText(HWND item, std::size_t limit) {
  std::string text(limit + 1, '\0');
  const int length = GetWindowTextA(item, text.data(), static_cast<int>(text.size()));
  text.resize(std::max(length, 0));
  return text;
}

std::string WholeItemText(HWND item) {
  return ItemText(item, static_cast<std::size_t>(std::max(GetWindowTextLengthA(item), 0)));
}

std::string SiteRoot() { return GetClientConfig()->SharedText(&ClientConfig::homeAddress); }

std::string MemberName() { return GetClientConfig()->GetCurrentUserName(); }

// The file facts the form's check needs; the picture's size only of a file small enough to send.
void ReadFileFacts(UploadFormInput& in, std::uint64_t maxBytes) {
  const DWORD attributes = GetFileAttributesA(in.path.c_str());
  in.fileExists = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  if (!in.fileExists) return;
  const HANDLE file = CreateFileA(in.path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  in.fileReadable = file != INVALID_HANDLE_VALUE;
  if (!in.fileReadable) return;
  LARGE_INTEGER size{};
  GetFileSizeEx(file, &size);
  CloseHandle(file);
  in.fileSize = static_cast<std::uint64_t>(size.QuadPart);
  if (in.fileSize > maxBytes) return;
  Picture picture;
  LoadThumbnail(in.path, 8, 8, picture, &in.width, &in.height);
}

}  // namespace

UploadPage::UploadPage() : Dialog(IDD_UPLOAD_PAGE), layout_(GetClientConfig()->skinLayout), skin_(layout_) {
  Handle(WM_INITDIALOG, &UploadPage::OnInitDialog);
  Handle(WM_ERASEBKGND, &UploadPage::OnEraseBackground);
  Handle(WM_CTLCOLORSTATIC, &UploadPage::OnControlColour);
  Handle(WM_LBUTTONDOWN, &UploadPage::OnLButtonDown);
  Handle(WM_LBUTTONUP, &UploadPage::OnLButtonUp);
  Handle(WM_MOUSEMOVE, &UploadPage::OnMouseMove);
  Handle(WM_UPLOAD_DONE, &UploadPage::OnUploadDone);
  Handle(WM_UPLOAD_FAILED, &UploadPage::OnUploadFailed);
  Handle(WM_UPLOAD_ENDED, &UploadPage::OnUploadEnded);
  Handle(WM_PROGRESS_PERCENT, &UploadPage::OnUploadProgress);
  Handle(WM_ALBUMS_FETCHED, &UploadPage::OnAlbumsFetched);
  Handle(WM_DESTROY, &UploadPage::OnDestroy);
  Command(IDOK, &UploadPage::OnSwallowedCommand);
  Command(IDCANCEL, &UploadPage::OnCancel);
  Command(IDC_UPLOAD_START, &UploadPage::OnUpload);
  Command(kUploadCommand, &UploadPage::OnUpload);
  Command(IDC_UPLOAD_BROWSE, &UploadPage::OnBrowseFile);
  Command(IDC_UPLOAD_VIEW_UPLOADS, &UploadPage::OnViewUploads);
  Command(kViewUploadsCommand, &UploadPage::OnViewUploads);
  Command(IDC_UPLOAD_CANCEL, &UploadPage::OnCancelUpload);
  Command(IDC_UPLOAD_ADD_ALBUM, &UploadPage::OnAddAlbum);
  Command(IDC_UPLOAD_BATCH, &UploadPage::OnBatchUpload);
  Command(IDC_UPLOAD_EDIT_PICTURE, &UploadPage::OnSendToBatchUploader);
  Command(kHelpCommand, &UploadPage::OnHelp);
  Command(IDC_UPLOAD_CATEGORY1, CBN_SELCHANGE, &UploadPage::OnCategoryChange);
  Command(IDC_UPLOAD_CATEGORY2, CBN_SELCHANGE, &UploadPage::OnSubCategoryChange);
}

UploadPage::~UploadPage() { StopUpload(kCancelWaitMs, false); }

LRESULT UploadPage::OnInitDialog(const fw::Message&) {
  FillCombo(IDC_UPLOAD_SOURCE, {"原创", "转载"});
  SendMessageA(Item(IDC_UPLOAD_SOURCE), CB_SETCURSEL, 1, 0);
  std::vector<std::string> sorts;
  for (const UploadSort& sort : GetClientConfig()->uploadSorts) sorts.push_back(sort.name);
  FillCombo(IDC_UPLOAD_SORT, sorts);
  FillCombo(IDC_UPLOAD_VISIBILITY, {"公开", "私人"});
  EnableWindow(Item(IDC_UPLOAD_CANCEL), FALSE);
  PlaceControls();
  skin_.Attach(Handle());
  skin_.AddLayoutElements(skin::SkinWindow::kUploadPage);
  FillCategories();

  // The album list comes from the service off this thread.
  albumFetch_ = std::make_shared<AlbumFetch>();
  const HWND page = Handle();
  StartDetachedWork([fetch = albumFetch_, page, site = SiteRoot(), user = MemberName()] {
    std::optional<AlbumList> albums = FetchAlbumList(site, user);
    {
      std::lock_guard<std::mutex> hold(fetch->lock);
      fetch->albums = std::move(albums);
    }
    PostMessageA(page, WM_ALBUMS_FETCHED, 0, 0);
  });
  return TRUE;
}

void UploadPage::PlaceControls() {
  RECT picture = kPictureRect, progress = layout_ == 3 ? kProgressRect3 : kProgressRect2;
  if (layout_ == 2 || layout_ == 3) {
    const auto place = [this](const auto& places) {
      for (const ControlPlace& p : places) {
        SetWindowPos(Item(p.id), nullptr, p.x, p.y, p.width, p.height, SWP_NOZORDER | SWP_NOACTIVATE);
      }
    };
    if (layout_ == 2) {
      place(kPlaces2);
    } else {
      place(kPlaces3);
      for (int id : kLabelsOfLayout3) ShowWindow(Item(id), SW_HIDE);
    }
    SetItemText(IDC_UPLOAD_BROWSE, "...");
  } else {
    picture = kPictureUnits;
    progress = kProgressUnits;
    MapDialogRect(Handle(), &picture);
    MapDialogRect(Handle(), &progress);
  }
  pictureView_ = CreatePictureView(Handle(), picture, IDC_UPLOAD_PICTURE);
  progress_ = std::make_unique<ProgressBarView>(layout_);
  if (layout_ != 1) progress_->SetNotifyWindow(Handle());
  progress_->Create(Handle(), "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, &progress,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_UPLOAD_PROGRESS)));
  progress_->SetPos(-1);
}

void UploadPage::FillCombo(int id, const std::vector<std::string>& names) {
  const HWND combo = Item(id);
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  for (const std::string& name : names) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  SendMessageA(combo, CB_SETCURSEL, 0, 0);
}

void UploadPage::FillCategories() {
  const std::optional<std::string> classify = ReadWholeFile(GetClientConfig()->FilePath("classify.dat"));
  categories_.Parse(classify.value_or(std::string()));
  FillCombo(IDC_UPLOAD_CATEGORY1, categories_.TopLevel());
  OnCategoryChange();
}

void UploadPage::OnCategoryChange() {
  FillCombo(IDC_UPLOAD_CATEGORY2,
            categories_.ChildrenOf(TrimBlanks(SelectedComboText(Item(IDC_UPLOAD_CATEGORY1)))));
  OnSubCategoryChange();
}

void UploadPage::OnSubCategoryChange() {
  FillCombo(IDC_UPLOAD_CATEGORY3,
            categories_.ChildrenOf(TrimBlanks(SelectedComboText(Item(IDC_UPLOAD_CATEGORY2)))));
}

void UploadPage::FillAlbums(const AlbumList& albums) {
  albums_ = albums;
  std::vector<std::string> names;
  for (const AlbumItem& album : albums_.Items()) names.push_back(album.name);
  FillCombo(IDC_UPLOAD_ALBUM, names);
  albumsFetched_ = true;
}

LRESULT UploadPage::OnAlbumsFetched(const fw::Message&) {
  if (!albumFetch_) return 0;
  std::optional<AlbumList> albums;
  {
    std::lock_guard<std::mutex> hold(albumFetch_->lock);
    albums = std::move(albumFetch_->albums);
  }
  albumFetch_.reset();
  if (albums) FillAlbums(*albums);
  return 0;
}

bool UploadPage::FetchAlbumsNow() {
  auto fetched = std::make_shared<std::optional<AlbumList>>();
  const bool ended = RunOffUiThread([fetched, site = SiteRoot(), user = MemberName()] {
    *fetched = FetchAlbumList(site, user);
  }, kAlbumRequestWaitMs);
  if (!ended || !*fetched) return false;
  albumFetch_.reset();  // a list asked for at the start is older than this one
  FillAlbums(**fetched);
  return true;
}

void UploadPage::OnAddAlbum() {
  AddAlbumDialog dialog(albums_);
  if (dialog.DoModal(GetActiveWindow()) != IDOK) return;
  for (int tries = 0; tries < 3 && !albumsFetched_; ++tries) FetchAlbumsNow();
  if (!albumsFetched_) {
    ShowFormMessage("不能添加专辑,请检查网络是否畅通!", MB_ICONINFORMATION);
    return;
  }
  auto number = std::make_shared<int>(-1);
  RunOffUiThread([number, site = SiteRoot(), user = MemberName(), name = dialog.Name()] {
    *number = AddAlbumRequest(site, user, name);
  }, kAlbumRequestWaitMs);
  if (*number == -1) {
    FetchAlbumsNow();
    ShowFormMessage("添加专辑失败,请稍后再试!", MB_ICONINFORMATION);
    return;
  }
  const HWND combo = Item(IDC_UPLOAD_ALBUM);
  const LRESULT index = SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(dialog.Name().c_str()));
  SendMessageA(combo, CB_SETCURSEL, index, 0);
  albums_.Add(*number, dialog.Name());
}

void UploadPage::ShowFormMessage(const std::string& text, UINT icon) const {
  MessageBoxA(Handle(), text.c_str(), kDownloadMessageCaption, icon);
}

void UploadPage::LoadPicture(const std::string& path) { LoadPictureView(pictureView_, path); }

bool UploadPage::TakePicture(const std::string& path) {
  Picture picture;
  if (!IsPictureFileName(GetFileNamePart(path)) || !LoadThumbnail(path, 8, 8, picture)) {
    char text[MAX_PATH + 64];
    std::snprintf(text, sizeof text, "%s 不是有效的图片文件!", path.c_str());
    ShowFormMessage(text, MB_ICONERROR);
    return false;
  }
  SetItemText(IDC_UPLOAD_PATH, path.c_str());
  LoadPicture(path);
  if (GetWindowTextLengthA(Item(IDC_UPLOAD_TITLE)) == 0) SetItemText(IDC_UPLOAD_TITLE, GetFileNamePart(path).c_str());
  return true;
}

void UploadPage::OnBrowseFile() {
  char path[MAX_PATH] = {};
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = Handle();
  dialog.lpstrFilter = "图片文件 (*.jpg;*.jpeg;*.bmp;*.png;*.gif)\0*.jpg;*.jpeg;*.bmp;*.png;*.gif\0所有文件 (*.*)\0*.*\0";
  dialog.lpstrFile = path;
  dialog.nMaxFile = sizeof path;
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (GetOpenFileNameA(&dialog)) TakePicture(path);
}

UploadFormInput UploadPage::ReadForm() const {
  const ClientConfig& config = *GetClientConfig();
  UploadFormInput in;
  in.path = ItemText(Item(IDC_UPLOAD_PATH), MAX_PATH);
  if (!in.path.empty()) ReadFileFacts(in, static_cast<std::uint64_t>(config.uploadSizeLimitKb) * 1024);
  in.title = ItemText(Item(IDC_UPLOAD_TITLE), MAX_PATH);
  in.description = WholeItemText(Item(IDC_UPLOAD_DESCRIPTION));
  in.tag = ItemText(Item(IDC_UPLOAD_TAG), 256);
  in.sourceIndex = ComboIndex(Item(IDC_UPLOAD_SOURCE));
  in.sourceText = SelectedComboText(Item(IDC_UPLOAD_SOURCE));
  in.visibilityIndex = ComboIndex(Item(IDC_UPLOAD_VISIBILITY));
  in.category1 = SelectedComboText(Item(IDC_UPLOAD_CATEGORY1));
  in.category2 = SelectedComboText(Item(IDC_UPLOAD_CATEGORY2));
  in.category3 = SelectedComboText(Item(IDC_UPLOAD_CATEGORY3));
  if (ComboIndex(Item(IDC_UPLOAD_ALBUM)) >= 0) in.album = SelectedComboText(Item(IDC_UPLOAD_ALBUM));
  in.user = MemberName();
  in.uploadUrl = config.SharedText(&ClientConfig::uploadUrl);
  return in;
}

void UploadPage::OnUpload() {
  if (job_) return;  // one upload at a time
  if (ValidateForm()) {
    EnableWindow(Item(IDC_UPLOAD_START), FALSE);
    EnableWindow(Item(IDC_UPLOAD_CANCEL), TRUE);
  }
}

int UploadPage::ValidateForm() {
  const ClientConfig& config = *GetClientConfig();
  const UploadLimits limits{config.uploadSizeLimitKb, config.uploadMinWidth, config.uploadMinHeight};
  const FormCheck check = ValidateUploadForm(ReadForm(), limits, categories_, albums_);
  if (!check.ok()) {
    ShowFormMessage(check.message, MB_ICONWARNING);
    if (check.focus == FormFocus::kPath) SetFocus(Item(IDC_UPLOAD_PATH));
    if (check.focus == FormFocus::kDescription) SetFocus(Item(IDC_UPLOAD_DESCRIPTION));
    return 0;
  }
  checkedSize_ = check.form.fileSize;
  InvalidateRect(Handle(), nullptr, TRUE);
  auto job = std::make_shared<UploadJob>(Handle(), nextSerial_++, check.form, SiteRoot());
  worker_ = StartUploadWorker(job);
  if (!worker_) return 0;
  job_ = job;
  progress_->SetPos(0);
  return 1;
}

bool UploadPage::IsCurrentJob(WPARAM serial) const {
  return job_ && job_->Serial() == serial && !job_->StopRequested();
}

LRESULT UploadPage::OnUploadDone(const fw::Message& m) {
  if (IsCurrentJob(m.wParam)) ShowFormMessage("上传文件成功!", MB_OK);
  return 0;
}

LRESULT UploadPage::OnUploadFailed(const fw::Message& m) {
  if (!IsCurrentJob(m.wParam)) return 0;
  if (job_->Failure() == UploadFailure::kRegistration) {
    ShowFormMessage("写入数据库失败,上传失败!", MB_OK);
  } else {
    ShowFormMessage(job_->TransferError(), MB_ICONERROR);
  }
  return 0;
}

LRESULT UploadPage::OnUploadEnded(const fw::Message& m) {
  if (!IsCurrentJob(m.wParam)) return 0;
  StopUpload(kCancelWaitMs);  // the worker has posted its last word: it ends at once
  SetIdle();
  return 0;
}

LRESULT UploadPage::OnUploadProgress(const fw::Message& m) {
  const int percent = static_cast<int>(m.wParam);
  if (progress_ && progress_->GetPos() != percent) progress_->SetPos(percent);
  const std::string text = "已完成" + std::to_string(percent) + "%";
  SetItemText(IDC_UPLOAD_PERCENT, text.c_str());
  ShowWindow(Item(IDC_UPLOAD_PERCENT), SW_HIDE);
  ShowWindow(Item(IDC_UPLOAD_PERCENT), SW_SHOW);
  return 0;
}

void UploadPage::StopUpload(DWORD waitMs, bool pumpMessages) {
  // Taken first: the page's messages are dispatched during the wait and find no upload.
  const std::shared_ptr<UploadJob> job = std::move(job_);
  const HANDLE worker = std::exchange(worker_, nullptr);
  if (job) job->Stop();
  if (worker) {
    // The worker only posts to the page, so a plain wait cannot block it.
    if (pumpMessages) {
      WaitPumpingMessages(worker, waitMs);
    } else {
      WaitForSingleObject(worker, waitMs);
    }
    CloseHandle(worker);  // a worker still sending ends alone at its next question
  }
}

void UploadPage::SetIdle() {
  EnableWindow(Item(IDC_UPLOAD_START), TRUE);
  EnableWindow(Item(IDC_UPLOAD_CANCEL), FALSE);
}

void UploadPage::OnCancelUpload() {
  StopUpload(kCancelWaitMs);
  SetIdle();
  ShowFormMessage(kUploadCancelled, MB_ICONWARNING);
}

void UploadPage::OnCancel() {
  StopUpload(kCancelWaitMs);
  SetIdle();
}

LRESULT UploadPage::OnDestroy(const fw::Message&) {
  StopUpload(kCancelWaitMs, false);
  return 0;
}

void UploadPage::OnViewUploads() {
  RunBrowserDialog(Handle(), GetClientConfig()->SharedText(&ClientConfig::viewUploadUrl));
}

void UploadPage::OnHelp() { RunBrowserDialog(Handle(), SiteRoot() + kHelpPath); }

void UploadPage::OnBatchUpload() {
  StartUploaderThread();
  GetClientConfig()->uploaderRunning = 0;
}

void UploadPage::OnSendToBatchUploader() {
  const std::string path = ItemText(Item(IDC_UPLOAD_PATH), 256);
  const std::string picture(TrimBlanks(path));
  // The hand-over starts the uploader unless a running one can take the picture.
  if (!FindWindowA(nullptr, kUploaderWindowTitle) || picture.empty() || !FileExists(picture)) {
    GetClientConfig()->uploaderRunning = 0;
  }
  SendPictureToBatchUploader(path);
}

RECT UploadPage::HelpRect() {
  if (layout_ == 1) return RECT{440, 290, 520, 306};
  const skin::SkinElement* help = skin_.Elements().GetElement(kHelpCommand);
  if (!help) return RECT{};
  const skin::Rect r = help->CurrentRect();
  return RECT{r.left, r.top, r.right, r.bottom};
}

LRESULT UploadPage::OnLButtonDown(const fw::Message& m) {
  // In layouts 2 and 3 the help is an element: its click comes as command 20031.
  if (layout_ != 1) {
    skin_.OnMouseMessage(m.id, m.wParam, m.lParam);
    return 0;
  }
  const RECT help = HelpRect();
  const POINT at = {GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
  if (PtInRect(&help, at)) OnHelp();
  return 0;
}

LRESULT UploadPage::OnLButtonUp(const fw::Message& m) {
  skin_.OnMouseMessage(m.id, m.wParam, m.lParam);
  return 0;
}

LRESULT UploadPage::OnMouseMove(const fw::Message& m) {
  skin_.OnMouseMessage(m.id, m.wParam, m.lParam);
  const RECT help = HelpRect();
  const POINT at = {GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
  if (PtInRect(&help, at)) SetCursor(LoadCursor(nullptr, IDC_HAND));
  return 0;
}

LRESULT UploadPage::OnEraseBackground(const fw::Message& m) {
  const HDC dc = reinterpret_cast<HDC>(m.wParam);
  RECT all;
  GetClientRect(Handle(), &all);
  SkinSchemeRef scheme;
  if (scheme) {
    scheme->DrawImage(dc, "dlg_bk", 0, 0, 0, 0, SRCCOPY);
    scheme->DrawImage(dc, "upload_bk", 0, 0, 0, 0, SRCCOPY);
  } else {
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
  }
  skin_.Draw(dc);
  fw::GdiObject font(skin::CreateSkinFont(skin::SkinFont::kSongTi9, dc));
  fw::ScopedSelect select(dc, font.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  char size[64];
  std::snprintf(size, sizeof size, "上传壁纸大小 %dK", static_cast<int>(checkedSize_ / 1024));
  RECT sizeRect = {120, 3, 400, 19};
  DrawTextA(dc, size, -1, &sizeRect, DT_SINGLELINE | DT_LEFT | DT_VCENTER | DT_NOPREFIX);
  if (layout_ == 1) {
    // The help link on layout 1's blue page: white, as the page's other words.
    RECT help = HelpRect();
    DrawTextA(dc, kHelpText, -1, &help, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
  }
  return 1;
}

LRESULT UploadPage::OnControlColour(const fw::Message& m) {
  const HDC dc = reinterpret_cast<HDC>(m.wParam);
  SetBkMode(dc, TRANSPARENT);
  // Layout 3's pale form takes the dark grey of its skin labels.
  if (layout_ == 3) SetTextColor(dc, RGB(0x2F, 0x2F, 0x2F));
  if (layout_ == 1) SetBkColor(dc, RGB(255, 255, 255));
  return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

}  // namespace mb
