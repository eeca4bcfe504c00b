// config.dat: the batch uploader's settings file, a sectioned key=value text read with SDOMDoc
// and written whole (CR LF line ends) through a temporary file.
#pragma once

#include <string>

namespace mb {
class SDOMDoc;
}

namespace mb::conf {

// The values config.dat keeps, with their defaults.
struct ConfigFileValues {
  std::string userName;  // written, never read back: the user comes from the user list
  int operateHighlight = 0;
  int showOperateDialog = 1;
  int hideToTray = 1;
  int exitTip = 0;
  int defaultListView = 0;
  int showFileName = 0;
  int showFileSize = 1;
  int showFilePath = 1;
  int showImageSize = 1;
  int showRemark = 0;
  int showTitle = 0;
  int showFileType = 0;
  int showImageSource = 0;
  int showPk = 0;
  int showGridLine = 1;
  int openHostRun = 1;
  int classifyVersion = 0;
  int activeVersion = 0;
  int themeVersion = 0;
};

enum class ConfigFileState {
  Missing,   // no file: the values are untouched
  Loaded,    // keys found in [USER] were taken
  KeptAside  // the file did not parse: it was renamed aside, the values are untouched
};

// Takes every key of the [USER] section that is present; missing keys keep their value.
void ReadConfigDocument(const SDOMDoc& document, ConfigFileValues& values);
ConfigFileState LoadConfigFile(const std::string& path, ConfigFileValues& values);

std::string FormatConfigFile(const ConfigFileValues& values);

// The Startup folder as the shortcuts are made in it, from the path the shell gives: trailing
// blanks dropped, a trailing backslash, and ".WINDOWS" taken out wherever it stands. No path
// (the shell named no folder) gives no folder, never a bare backslash.
std::string StartupFolderFromShellPath(std::string shellPath);
bool SaveConfigFile(const std::string& path, const ConfigFileValues& values);

}  // namespace mb::conf
