#include "uploader/status/info_view.h"

#include "uploader/status/image_facts.h"
#include "uploader/uploader_messages.h"

static_assert(CImageInfoDlg::kCornerMessage == WM_PANE_HEAD_STATE, "the corner button reaches the pane's state handler");

CInfoView::CInfoView() : head_("图像基本信息") {
  Handle(WM_CREATE, &CInfoView::OnCreate);
  Handle(WM_SIZE, &CInfoView::OnSize);
  Handle(WM_SHOW_IMAGE_INFO, &CInfoView::OnShowImageInfo);
  Handle(WM_HEAD_CLOSE, &CInfoView::OnHeadClose);
  Handle(WM_PANE_HEAD_STATE, &CInfoView::OnHeadState);
  Handle(WM_PANE_FOLDER_OPENED, &CInfoView::OnFolderChanged);
  Handle(kMoveHomeMessage, &CInfoView::OnMoveHome);
}

CInfoView::~CInfoView() = default;

HWND CInfoView::Create(HWND parent, const RECT& rect, UINT id, HWND mainWindow) {
  mainWindow_ = mainWindow;
  dialog_.SetMainWindow(mainWindow);
  return fw::Window::Create(parent, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, &rect,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

LRESULT CInfoView::OnCreate(const fw::Message&) {
  const RECT bar = {0, 0, 300, kHeadHeight};
  head_.Create(WS_CHILD | WS_VISIBLE, bar, Handle(), kHeadId);
  dialog_.Create(Handle());
  RECT client = {};
  GetClientRect(Handle(), &client);
  MoveWindow(dialog_.Handle(), 0, kHeadHeight, client.right, client.bottom > kHeadHeight ? client.bottom - kHeadHeight : 0,
             TRUE);
  ShowWindow(dialog_.Handle(), SW_SHOW);
  return 0;
}

LRESULT CInfoView::OnSize(const fw::Message& m) {
  const int width = LOWORD(m.lParam), height = HIWORD(m.lParam);
  MoveWindow(head_.Handle(), 0, 0, width, kHeadHeight, TRUE);
  MoveWindow(dialog_.Handle(), 0, kHeadHeight, width, height > kHeadHeight ? height - kHeadHeight : 0, TRUE);
  return 0;
}

LRESULT CInfoView::OnShowImageInfo(const fw::Message& m) {
  const auto* info = reinterpret_cast<const stImageInfo*>(m.lParam);
  hoistly::ImageFacts facts;
  if (info && hoistly::ReadImageFacts(*info, facts)) dialog_.ShowImageInfo(static_cast<int>(m.wParam), facts);
  return 0;
}

LRESULT CInfoView::OnHeadClose(const fw::Message&) {
  SendMessageA(mainWindow_ ? mainWindow_ : GetAncestor(Handle(), GA_ROOT), WM_HEAD_CLOSE, HEAD_CLOSE_INFO_PANE, 0);
  return 0;
}

LRESULT CInfoView::OnHeadState(const fw::Message& m) {
  if (m.wParam == 5 || m.wParam == 6) {
    dialog_.ShowCornerButton(m.wParam == 6);
  } else {
    SendMessageA(mainWindow_ ? mainWindow_ : GetAncestor(Handle(), GA_ROOT), WM_HEAD_CLOSE, HEAD_CLOSE_SETTINGS_PANE, 0);
  }
  return 0;
}

LRESULT CInfoView::OnFolderChanged(const fw::Message&) {
  dialog_.ShowImageInfo(-1, hoistly::ImageFacts());
  return 0;
}

LRESULT CInfoView::OnMoveHome(const fw::Message&) {
  RECT now;
  GetWindowRect(Handle(), &now);
  MoveWindow(Handle(), 0, 0, 200, now.bottom - now.top, TRUE);
  return 0;
}
