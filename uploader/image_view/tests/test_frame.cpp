#include "uploader/image_view/tests/test_frame.h"

#include <cstdio>

#include "conf/win/config.h"
#include "framework/module.h"
#include "uploader/image_view/image_view.h"
#include "uploader/view_mediator.h"

CMainFrame::CMainFrame() {
  Handle(WM_UPLOAD_STATUS, &CMainFrame::OnUploadStatus);
  Handle(WM_UPLOAD_CONNECT_FAILED, &CMainFrame::OnConnectFailed);
  Handle(WM_UPLOAD_BLOCK_SENT, &CMainFrame::Forward);
  Handle(WM_UPLOAD_QUEUE_EMPTY, &CMainFrame::Forward);
  Handle(WM_SIZE, &CMainFrame::OnSize);
}

CMainFrame::~CMainFrame() {
  CViewMediator::Get().RegisterFrame(nullptr);
  fw::Module::SetMainWindow(nullptr);
  Destroy();
}

fw::WindowClassSpec CMainFrame::ClassSpec() const {
  fw::WindowClassSpec spec;
  spec.name = "imageview.test.Frame";
  return spec;
}

void CMainFrame::Open(CImageView& view) {
  fw::Module::Init(GetModuleHandleA(nullptr));
  Create(nullptr, "Pelora--壁纸批量上传工具", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN);
  SetWindowPos(*this, nullptr, 0, 0, 900, 560, SWP_NOZORDER | SWP_NOMOVE);
  fw::Module::SetMainWindow(*this);
  CViewMediator::Get().RegisterFrame(this);
  RECT area;
  GetClientRect(*this, &area);
  view_ = &view;
  view.Create(*this, area, 59648);
  ShowWindow(*this, SW_SHOWNORMAL);
  UpdateWindow(*this);
}

LRESULT CMainFrame::OnSize(const fw::Message& m) {
  if (view_ && view_->IsWindow()) MoveWindow(*view_, 0, 0, LOWORD(m.lParam), HIWORD(m.lParam), TRUE);
  return 0;
}

LRESULT CMainFrame::Forward(const fw::Message& m) { return view_ ? view_->Send(m.id, m.wParam, m.lParam) : 0; }

LRESULT CMainFrame::OnUploadStatus(const fw::Message& m) {
  CViewMediator& mediator = CViewMediator::Get();
  switch (m.wParam) {
    case 8:
      mediator.SetStatusText(reinterpret_cast<const char*>(m.lParam));
      return 0;
    case UPLOAD_STATUS_ALL_SENT:
      mediator.SetUploading(0);
      mediator.ResetUploadCounters();
      mediator.SetStatusText("传送完成！");
      return 0;
    case UPLOAD_STATUS_CONNECTED:
      mediator.SetStatusText("连接服务器成功,开始传送文件!");
      return 0;
    default:
      return Forward(m);
  }
}

LRESULT CMainFrame::OnConnectFailed(const fw::Message& m) {
  CViewMediator::Get().SetUploading(0);
  Forward(m);
  CViewMediator::Get().SetStatusText("上传失败!");
  return 0;
}

// CViewMediator over the test frame: what the picture pane calls.

CViewMediator& CViewMediator::Get() {
  static CViewMediator mediator;
  return mediator;
}

HWND CViewMediator::FrameWindow() const { return frame_ ? frame_->Handle() : nullptr; }

void CViewMediator::SetUploading(int flag) {
  uploading_ = flag;
  CConfig::GetConfig()->SetUploading(flag);
}

void CViewMediator::SetPaneText(int pane, const char* text) {
  if (frame_) frame_->paneTexts[pane].push_back(text);
}

void CViewMediator::SetStatusText(const char* text) {
  SetPaneText(0, text);
  SetPaneText(1, "");
}

void CViewMediator::ShowFolderCount(int rows, int ticked) {
  char text[128];
  std::snprintf(text, sizeof text, "当前文件夹共有 %d 张图片文件，其中 %d 张被选中", rows < 0 ? 0 : rows, ticked);
  SetStatusText(text);
}

void CViewMediator::ShowTransferState(unsigned speed, const char* elapsed) {
  SetPaneText(2, elapsed);
  SetPaneText(3, std::to_string(speed).c_str());
}

void CViewMediator::SetProgressRange(unsigned short n) {
  if (frame_) frame_->progressRange = n;
}

void CViewMediator::SetProgressPos(int pos) {
  if (frame_) frame_->progressPos = pos;
}

int CViewMediator::GetProgressPos() const { return frame_ ? frame_->progressPos : 0; }

void CViewMediator::ResetUploadCounters() {
  if (frame_ && frame_->View()) frame_->View()->ResetUploadCounters();
}
