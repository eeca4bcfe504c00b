#include "uploader/member/win/image_limit_view.h"

#include "uploader/uploader_messages.h"

CImageLimitView::CImageLimitView(HINSTANCE resources) : head_("设置图像信息"), dialog_(resources) {
  Handle(WM_CREATE, &CImageLimitView::OnCreate);
  Handle(WM_SIZE, &CImageLimitView::OnSize);
  Handle(WM_SHOW_IMAGE_INFO, &CImageLimitView::OnShowImageInfo);
  Handle(WM_STORE_IMAGE_INFO, &CImageLimitView::OnStoreImageInfo);
  Handle(WM_PANE_FOLDER_OPENED, &CImageLimitView::OnFolderChanged);
  Handle(WM_HEAD_CLOSE, &CImageLimitView::OnHeadClose);
  Handle(WM_PANE_HEAD_STATE, &CImageLimitView::OnHeadState);
}

HWND CImageLimitView::Create(HWND parent, const RECT& rect, UINT id, HWND mainWindow) {
  mainWindow_ = mainWindow;
  dialog_.SetMainWindow(mainWindow);
  return fw::Window::Create(parent, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, &rect,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

LRESULT CImageLimitView::OnCreate(const fw::Message&) {
  const RECT bar = {0, 0, 300, kHeadHeight};
  head_.Create(WS_CHILD | WS_VISIBLE, bar, Handle(), kHeadId);
  dialog_.Create(Handle());
  RECT client = {};
  GetClientRect(Handle(), &client);
  MoveWindow(dialog_.Handle(), 0, kHeadHeight, client.right, client.bottom - kHeadHeight, TRUE);
  ShowWindow(dialog_.Handle(), SW_SHOW);
  return 0;
}

LRESULT CImageLimitView::OnSize(const fw::Message& message) {
  const int width = LOWORD(message.lParam);
  const int height = HIWORD(message.lParam);
  MoveWindow(head_.Handle(), 0, 0, width, kHeadHeight, TRUE);
  MoveWindow(dialog_.Handle(), 0, kHeadHeight, width, height > kHeadHeight ? height - kHeadHeight : 0, TRUE);
  return 0;
}

LRESULT CImageLimitView::OnShowImageInfo(const fw::Message& message) {
  const auto* info = reinterpret_cast<const stImageInfo*>(message.lParam);
  if (info) dialog_.ShowRowSettings(static_cast<int>(message.wParam), *info);
  return 0;
}

LRESULT CImageLimitView::OnStoreImageInfo(const fw::Message& message) {
  dialog_.StoreRowSettings(static_cast<int>(message.wParam));
  return 0;
}

LRESULT CImageLimitView::OnFolderChanged(const fw::Message&) {
  dialog_.ResetForFolder();
  return 0;
}

LRESULT CImageLimitView::OnHeadClose(const fw::Message& message) {
  if (message.wParam == HEAD_CLOSE_START) {
    dialog_.FillCategories();
  } else {
    SendMessageA(mainWindow_ ? mainWindow_ : GetAncestor(Handle(), GA_ROOT), WM_HEAD_CLOSE, HEAD_CLOSE_SETTINGS_PANE, 0);
  }
  return 0;
}

LRESULT CImageLimitView::OnHeadState(const fw::Message& message) {
  if (message.wParam == 5) dialog_.ShowCornerButton(false);
  if (message.wParam == 6) dialog_.ShowCornerButton(true);
  return 0;
}
