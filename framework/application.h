// Application: the program object of a document program. The entry point hands it to
// RunApplication, which calls InitInstance, runs the message loop (with idle-time command
// enabling of the main frame) when InitInstance returned true, then ExitInstance.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "framework/doc_template.h"
#include "framework/framework_api.h"
#include "framework/profile_settings.h"

namespace fw {

class FrameWindow;

// A string resource of the resource chain; empty when there is none.
FW_API std::string LoadResourceString(UINT id);

class FW_API Application {
 public:
  Application();
  virtual ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  static Application* Current();

  virtual bool InitInstance() = 0;
  virtual int Run();
  virtual int ExitInstance() { return exitCode_; }

  // Settings under HKEY_CURRENT_USER\Software\<key>\<program name>.
  void SetRegistryKey(const char* key);
  // Reads the recently-used list (maxRecent entries) from the settings.
  void LoadStdProfileSettings(int maxRecent);
  ProfileSettings& Profile() { return profile_; }
  const std::string& ProgramName() const { return programName_; }

  void AddDocTemplate(std::unique_ptr<SingleDocTemplate> docTemplate) { template_ = std::move(docTemplate); }
  // What a plain start does: a new document with its frame and view. False on failure.
  bool ProcessShellCommand();
  FrameWindow* MainFrame() const;

 private:
  std::string programName_;
  ProfileSettings profile_;
  std::unique_ptr<SingleDocTemplate> template_;
  int exitCode_ = 0;
};

// The entry point's whole work: returns the process exit code.
FW_API int RunApplication(Application& app, HINSTANCE instance);

}  // namespace fw
