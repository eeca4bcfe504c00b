// One run of the updater: the version check and, when the service names a newer installer, its
// download into data\setup.exe beside the program.
#pragma once

#include <windows.h>

#include <string>

#include "updater/update_reply.h"

namespace mb {

extern const char kUpdaterInstanceEvent[];  // "QOVEN_DDD_UPDATE"

struct UpdaterRunOptions {
  std::string programFolder;  // with its trailing backslash
  std::string defaultCheckUrl;
  DWORD downloadTimeoutMs = 0;  // 0: the downloader's own limit
};

// Puts a checked package in place of data\setup.exe through a temporary file in the same folder
// and one move; a file in use stays as it was. False when nothing changed.
bool InstallPackage(const std::string& package, const std::string& setupPath);

// Runs the updater for a command line. Never shows anything; the outcome of the check is kept in
// result for whoever wants it.
void RunUpdater(const std::string& commandLine, const UpdaterRunOptions& options, UpdateCheckResult* result = nullptr);

}  // namespace mb
