#include "client/ui/win/main_window.h"

#include <cstring>

#include "client/core/client_config.h"
#include "client/core/command_line.h"
#include "client/core/win/skin_engine.h"
#include "client/core/win/client_windows.h"
#include "client/core/win/startup.h"
#include "client/core/win/system_utils.h"

namespace mb {

MainWindow::MainWindow() : Dialog(IDD_MAIN_WINDOW) {
  Handle(WM_INITDIALOG, &MainWindow::OnInitDialog);
  Handle(WM_COPYDATA, &MainWindow::OnCopyData);
  Handle(WM_RUN_PENDING_REQUESTS, &MainWindow::OnRunPendingRequests);
  Handle(WM_DESTROY, &MainWindow::OnDestroy);
  Command(IDCANCEL, &MainWindow::Close);
}

std::string MainWindow::CopyDataText(const COPYDATASTRUCT* data) {
  if (!data || !data->lpData || data->cbData == 0) return {};
  const char* bytes = static_cast<const char*>(data->lpData);
  const void* zero = std::memchr(bytes, 0, data->cbData);
  return std::string(bytes, zero ? static_cast<const char*>(zero) - bytes : data->cbData);
}

LRESULT MainWindow::OnInitDialog(const fw::Message&) {
  SetPropA(Handle(), kMainWindowProperty, reinterpret_cast<HANDLE>(1));
  RemoveSkinFromDialog(Handle());
  quitting = 0;
  CreateTrayFrame();
  if (!PendingLinks().Empty()) Post(WM_RUN_PENDING_REQUESTS);
  return TRUE;
}

LRESULT MainWindow::OnCopyData(const fw::Message& m) {
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(m.lParam);
  if (!data || data->dwData != kCommandLineCopyData) return FALSE;
  ParseCommandLine(CopyDataText(data), PendingLinks());
  if (!PendingLinks().Empty()) Post(WM_RUN_PENDING_REQUESTS);
  return TRUE;
}

LRESULT MainWindow::OnRunPendingRequests(const fw::Message&) {
  // The link handler drains the queue; until it is there the links wait in it.
  return 0;
}

LRESULT MainWindow::OnDestroy(const fw::Message&) {
  RemovePropA(Handle(), kMainWindowProperty);
  return 0;
}

void MainWindow::Close() {
  // The program's end belongs to the tray frame's exit sequence; closing only hides the window.
  if (quitting) {
    DestroyWindow(Handle());
    return;
  }
  ShowWindow(Handle(), SW_HIDE);
  TrimWorkingSet();
}

}  // namespace mb
