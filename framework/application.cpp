#include "framework/application.h"

#include <commctrl.h>

#include "common/gbk_text.h"
#include "framework/frame_window.h"
#include "framework/message_loop.h"
#include "framework/module.h"

namespace fw {

namespace {
Application* g_current = nullptr;
}

std::string LoadResourceString(UINT id) {
  // Strings live in blocks of 16; the block's resource name is id / 16 + 1.
  HINSTANCE module = Module::FindResourceModule(MAKEINTRESOURCEA(id / 16 + 1), MAKEINTRESOURCEA(6));
  if (!module) return std::string();
  char text[1024];
  const int length = LoadStringA(module, id, text, sizeof text);
  return std::string(text, length > 0 ? length : 0);
}

Application::Application() { g_current = this; }

Application::~Application() {
  if (g_current == this) g_current = nullptr;
}

Application* Application::Current() { return g_current; }

void Application::SetRegistryKey(const char* key) {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string name = path;
  const size_t slash = mb::GbkFindLast(name, '\\');
  if (slash != std::string::npos) name = name.substr(slash + 1);
  programName_ = name.substr(0, name.rfind('.'));
  profile_.SetRoot(key, programName_);
}

void Application::LoadStdProfileSettings(int maxRecent) { profile_.LoadRecentList(maxRecent); }

bool Application::ProcessShellCommand() {
  if (!template_ || !template_->OpenNewDocument()) return false;
  Module::SetMainWindow(template_->Frame()->Handle());
  return true;
}

FrameWindow* Application::MainFrame() const { return template_ ? template_->Frame() : nullptr; }

int Application::Run() {
  MessageLoop loop;
  Module::AddMessageLoop(&loop);
  loop.SetIdleHandler([this] {
    if (FrameWindow* frame = MainFrame()) frame->OnIdle();
  });
  exitCode_ = loop.Run();
  Module::RemoveMessageLoop();
  return exitCode_;
}

int RunApplication(Application& app, HINSTANCE instance) {
  Module::Init(instance);
  int code = 0;
  if (app.InitInstance()) {
    app.Run();
    code = app.ExitInstance();
  }
  Module::Term();
  return code;
}

}  // namespace fw
