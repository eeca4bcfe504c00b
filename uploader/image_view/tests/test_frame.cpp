#include "uploader/image_view/tests/test_frame.h"

#include "conf/win/config.h"
#include "framework/module.h"
#include "uploader/image_view/image_view.h"
#include "uploader/view_mediator.h"

RecordingFrame::RecordingFrame() {
  Handle(WM_UPLOAD_STATUS, &RecordingFrame::OnUploadStatus);
  Handle(WM_UPLOAD_CONNECT_FAILED, &RecordingFrame::OnConnectFailed);
  Handle(WM_UPLOAD_BLOCK_SENT, &RecordingFrame::Forward);
  Handle(WM_UPLOAD_QUEUE_EMPTY, &RecordingFrame::Forward);
  Handle(WM_SIZE, &RecordingFrame::OnSize);
}

RecordingFrame::~RecordingFrame() {
  CViewMediator::Get().RegisterFrame(nullptr);
  CViewMediator::Get().RegisterImageView(nullptr);
  fw::Module::SetMainWindow(nullptr);
  Destroy();
}

fw::WindowClassSpec RecordingFrame::ClassSpec() const {
  fw::WindowClassSpec spec;
  spec.name = "imageview.test.Frame";
  return spec;
}

void RecordingFrame::Open(CImageView& view) {
  fw::Module::Init(GetModuleHandleA(nullptr));
  Create(nullptr, "Pelora--壁纸批量上传工具", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN);
  SetWindowPos(*this, nullptr, 0, 0, 900, 560, SWP_NOZORDER | SWP_NOMOVE);
  fw::Module::SetMainWindow(*this);
  CViewMediator::Get().RegisterFrame(this);
  RECT area;
  GetClientRect(*this, &area);
  view_ = &view;
  view.Create(*this, area, 59648);
  CViewMediator::Get().RegisterImageView(&view);
  ShowWindow(*this, SW_SHOWNORMAL);
  UpdateWindow(*this);
}

LRESULT RecordingFrame::OnSize(const fw::Message& m) {
  if (view_ && view_->IsWindow()) MoveWindow(*view_, 0, 0, LOWORD(m.lParam), HIWORD(m.lParam), TRUE);
  return 0;
}

LRESULT RecordingFrame::Forward(const fw::Message& m) { return view_ ? view_->Send(m.id, m.wParam, m.lParam) : 0; }

LRESULT RecordingFrame::OnUploadStatus(const fw::Message& m) {
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

LRESULT RecordingFrame::OnConnectFailed(const fw::Message& m) {
  CViewMediator::Get().SetUploading(0);
  Forward(m);
  CViewMediator::Get().SetStatusText("上传失败!");
  return 0;
}

void RecordingFrame::SetStatusText(const char* text) {
  SetPaneText(0, text);
  SetPaneText(1, "");
}

void RecordingFrame::SetPaneText(int pane, const char* text) { paneTexts[pane].push_back(text ? text : ""); }
