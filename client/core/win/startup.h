// The client's start-up: one running copy, the installer offer, the configuration, the skin
// engine, the updater, the login and the main window, then the message loop.
#pragma once

#include <windows.h>

#include <string>

#include "client/core/command_line.h"

namespace mb {

// Texts the start-up shows.
extern const char kMessageBoxCaption[];  // "墨岚屏[Pelora]-系统消息"
extern const char kNewVersionQuestion[];

// Names by which a second start finds the first.
extern const char kSingleInstanceEvent[];   // "MuralboxFrame"
extern const char kMainWindowProperty[];    // "MuralboxMainWnd"
extern const char kLoginWindowProperty[];   // "MuralboxLoginWnd"
constexpr ULONG_PTR kCommandLineCopyData = 1;
constexpr UINT kHandOverTimeoutMs = 2000;

int AppMain(HINSTANCE instance, const char* commandLine, int show);
int AppRun(const char* commandLine);

// The links waiting for the link handler (filled at start-up and while a login runs).
PendingLinkQueue& PendingLinks();

// Deletes the start-up shortcut an old version left in the All Users Startup folder.
void RemoveObsoleteShortcut();
// Second copy: hands the command line to the first copy's marked window. False when none exists.
bool HandOverToRunningInstance(const char* commandLine);
// True when data\setup.exe is newer than the program and the member wants it.
bool CheckForUpdate();
bool LaunchUpdater(const std::string& updateUrl);

}  // namespace mb
