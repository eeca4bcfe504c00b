#include "uploader/image_view/folder_scan.h"


#include "common/win/thread_start.h"
#include "thumblist/win/list_image_ctrl.h"

namespace hoistly {

bool WaitHandlingSentMessages(HANDLE handle, DWORD ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD spent = GetTickCount() - start;
    const DWORD left = spent >= ms ? 0 : ms - spent;
    const DWORD result = MsgWaitForMultipleObjects(1, &handle, FALSE, left, QS_SENDMESSAGE);
    if (result == WAIT_OBJECT_0) return true;
    if (result != WAIT_OBJECT_0 + 1) return false;
    MSG ignored;
    PeekMessageA(&ignored, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

FolderScan::FolderScan(HWND view, CListImageCtrl* list, std::vector<std::string> paths)
    : view_(view), list_(list), paths_(std::move(paths)) {}

FolderScan::~FolderScan() {
  if (!thread_) return;
  RequestStop();
  WaitHandlingSentMessages(thread_, INFINITE);
  CloseHandle(thread_);
}

bool FolderScan::Start() {
  thread_ = mb::BeginThread(&FolderScan::Entry, this);
  return thread_ != nullptr;
}

bool FolderScan::WaitForEnd(DWORD ms) const { return !thread_ || WaitHandlingSentMessages(thread_, ms); }

DWORD WINAPI FolderScan::Entry(void* self) {
  static_cast<FolderScan*>(self)->Run();
  return 0;
}

void FolderScan::Run() {
  for (const std::string& path : paths_) {
    if (stop_.load()) break;
    list_->AddImage(fw::CString(path));
    if (!list_->GetLastLoadError().IsEmpty()) unreadable_.push_back(path);
    PostMessageA(view_, kScanStepMessage, Id(), 0);
  }
  PostMessageA(view_, kScanDoneMessage, Id(), 0);
}

}  // namespace hoistly
