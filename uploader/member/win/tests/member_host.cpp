// A plain program that shows the uploader's member dialogs and its settings pane the way the
// frame does, for the tests to drive. Each argument is one step; after each, "step=login flag"
// goes to host.out beside the program.
//   login-command   the frame's login command (log out, or show the login dialog)
//   pane            a window "member host" holding the settings pane, until it is closed.
//                   WM_APP + n shows row n (a sample record); every row record the pane sends
//                   back and every command it gives is written to host.out.
#include <windows.h>

#include <cstdio>
#include <string>

#include "common/gbk_text.h"
#include "conf/win/config.h"
#include "framework/message_loop.h"
#include "uploader/member/win/image_limit_view.h"
#include "uploader/member/win/login_dlg.h"
#include "uploader/uploader_messages.h"

namespace {

std::string Folder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string text(path);
  return text.substr(0, text.find_last_of('\\') + 1);
}

void Report(const std::string& line) {
  if (FILE* out = std::fopen((Folder() + "host.out").c_str(), "ab")) {
    std::fputs((line + "\n").c_str(), out);
    std::fclose(out);
  }
}

// The frame's stand-in: holds the pane, shows sample rows, writes down what comes back.
class HostFrame : public fw::Window {
 public:
  explicit HostFrame(HINSTANCE resources) : pane_(resources) {
    Handle(WM_CREATE, &HostFrame::OnCreate);
    Handle(WM_SIZE, &HostFrame::OnSize);
    Handle(WM_APPLY_ROW_SETTINGS, &HostFrame::OnApply);
    Handle(WM_COMMAND, &HostFrame::OnCommand);
    Handle(WM_HEAD_CLOSE, &HostFrame::OnHeadClose);
    Handle(WM_DESTROY, &HostFrame::OnDestroy);
  }

 protected:
  bool PreTranslateMessage(MSG& msg) override {
    if (msg.hwnd != Handle() || msg.message < WM_APP || msg.message > WM_APP + 99) return false;
    ShowSampleRow(static_cast<int>(msg.message - WM_APP));
    return true;
  }

 private:
  LRESULT OnCreate(const fw::Message&) {
    const RECT rect = {0, 0, 320, 420};
    pane_.Create(Handle(), rect, 59648, Handle());
    pane_.Send(WM_HEAD_CLOSE, HEAD_CLOSE_START);
    return 0;
  }
  LRESULT OnSize(const fw::Message& message) {
    MoveWindow(pane_.Handle(), 0, 0, LOWORD(message.lParam), HIWORD(message.lParam), TRUE);
    return 0;
  }
  void ShowSampleRow(int row) {
    stImageInfo info;
    memset(&info, 0, sizeof info);
    const std::string name = "row" + std::to_string(row);
    mb::CopyToField(info.filePath, sizeof info.filePath, "C:\\pictures\\" + name + ".jpg");
    mb::CopyToField(info.title, sizeof info.title, name);
    mb::CopyToField(info.source, sizeof info.source, "公开");
    pane_.Send(WM_SHOW_IMAGE_INFO, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&info));
    Report("shown=" + std::to_string(row));
  }
  LRESULT OnApply(const fw::Message& message) {
    const auto& info = *reinterpret_cast<const stImageInfo*>(message.lParam);
    auto text = [](const char* field, std::size_t size) { return mb::ReadField(field, size); };
    Report("apply=" + std::to_string(message.wParam) + "|" + text(info.title, sizeof info.title) + "|" +
           text(info.remark, sizeof info.remark) + "|" + text(info.tag, sizeof info.tag) + "|" +
           text(info.category, sizeof info.category) + "|" + text(info.source, sizeof info.source) + "|" +
           std::to_string(info.pictureType) + "|" + std::to_string(info.uploadType) + "|" +
           std::to_string(info.album) + "|" + text(info.filePath, sizeof info.filePath));
    return 0;
  }
  LRESULT OnCommand(const fw::Message& message) {
    Report("command=" + std::to_string(LOWORD(message.wParam)));
    return 0;
  }
  LRESULT OnHeadClose(const fw::Message& message) {
    Report("head-close=" + std::to_string(message.wParam));
    return 0;
  }
  LRESULT OnDestroy(const fw::Message&) {
    PostQuitMessage(0);
    return 0;
  }

  CImageLimitView pane_;
};

void RunPane(HINSTANCE resources) {
  HostFrame frame(resources);
  frame.Create(nullptr, "member host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, nullptr);
  SetWindowPos(frame.Handle(), nullptr, 0, 0, 340, 470, SWP_NOMOVE | SWP_NOZORDER);
  Report("pane-ready");
  fw::MessageLoop loop;
  loop.Run();
}

}  // namespace

int main(int argc, char** argv) {
  const HINSTANCE resources = GetModuleHandleA(nullptr);
  CConfig* config = CConfig::GetConfig();
  for (int i = 1; i < argc; ++i) {
    const std::string step = argv[i];
    if (step == "login-command") CLoginDlg::RunLoginCommand(nullptr, resources);
    if (step == "pane") RunPane(resources);
    Report(step + "=" + std::to_string(config->GetLogin()));
  }
  return 0;
}
