// The installer the update check offers: its version, the file served as it and the path it is
// downloaded from. Set from the command line and switched by tests while the service runs.
#pragma once

#include <mutex>
#include <string>

namespace standin {

struct Installer {
  std::string version;       // empty: no update is offered
  std::string packageFile;   // file served as the installer
  std::string downloadPath;  // request path of the download, e.g. "/download/setup.exe"
};

class InstallerOffer {
 public:
  static constexpr const char* kDefaultDownloadPath = "/download/setup.exe";

  explicit InstallerOffer(Installer initial) : installer_(std::move(initial)) {}

  Installer Current() const {
    std::lock_guard<std::mutex> hold(mutex_);
    return installer_;
  }
  void Set(Installer installer) {
    std::lock_guard<std::mutex> hold(mutex_);
    installer_ = std::move(installer);
  }

 private:
  mutable std::mutex mutex_;
  Installer installer_;
};

}  // namespace standin
