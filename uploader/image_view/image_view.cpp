#include "uploader/image_view/image_view.h"

#include "thumblist/win/list_image_ctrl.h"
#include "upload/win/upload_pool.h"

class CImageView::Impl {
 public:
  CListImageCtrl ownList;
};

CImageView::CImageView() : impl_(std::make_unique<Impl>()) {}
CImageView::~CImageView() = default;

HWND CImageView::Create(HWND parent, const RECT& rect, UINT id) {
  return fw::Window::Create(parent, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, &rect,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

void CImageView::SetEditorFactory(hoistly::PictureEditorFactory) {}
void CImageView::SetSideStripFactory(hoistly::SideStripFactory) {}
void CImageView::OpenFolder(const std::string&) {}
CListImageCtrl* CImageView::CurrentList() const { return nullptr; }
int CImageView::RowCount() const { return 0; }
int CImageView::TickedCount() const { return 0; }
int CImageView::HighlightedCount() const { return 0; }
void CImageView::RefreshColumns() {}
bool CImageView::AddPictureFile(const std::string&) { return false; }
bool CImageView::IsEditWindowVisible() const { return false; }
bool CImageView::IsEditCommandEnabled(UINT) const { return false; }
int CImageView::CurrentListIndex() const { return -1; }
int CImageView::StoredListCount() const { return 0; }
void CImageView::ShowSideStrip(bool) {}
bool CImageView::IsSideStripVisible() const { return false; }
std::uint64_t CImageView::BlocksSent() const { return 0; }
std::uint64_t CImageView::BlocksTotal() const { return 0; }
void CImageView::ResetUploadCounters() {}
int CImageView::AskMember(const std::string& text, UINT type) {
  return MessageBoxA(nullptr, text.c_str(), "墨岚屏[Pelora]-系统消息", type);
}
CZELUploadThreadsPool* CImageView::CreatePool() { return new CZELUploadThreadsPool(); }
