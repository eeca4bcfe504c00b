#include "conf/core/config_file.h"

#include <utility>

#include "common/atomic_file.h"
#include "common/gbk_text.h"
#include "common/sdom_doc.h"
#include "common/value_quoting.h"

namespace mb::conf {

namespace {

// The numeric keys in the order Save writes them after "user=".
using IntMember = int ConfigFileValues::*;
const std::pair<const char*, IntMember> kNumbers[] = {
    {"operatehighlight", &ConfigFileValues::operateHighlight},
    {"showoperatedialog", &ConfigFileValues::showOperateDialog},
    {"hidetotray", &ConfigFileValues::hideToTray},
    {"exittip", &ConfigFileValues::exitTip},
    {"listview", &ConfigFileValues::defaultListView},
    {"showfilename", &ConfigFileValues::showFileName},
    {"showfilesize", &ConfigFileValues::showFileSize},
    {"showfilepath", &ConfigFileValues::showFilePath},
    {"showimagesize", &ConfigFileValues::showImageSize},
    {"showremark", &ConfigFileValues::showRemark},
    {"showtitle", &ConfigFileValues::showTitle},
    {"showfiletype", &ConfigFileValues::showFileType},
    {"showimagesource", &ConfigFileValues::showImageSource},
    {"showpk", &ConfigFileValues::showPk},
    {"showgridline", &ConfigFileValues::showGridLine},
    {"OpenHostRun", &ConfigFileValues::openHostRun},
    {"classifyversion", &ConfigFileValues::classifyVersion},
    {"activeversion", &ConfigFileValues::activeVersion},
    {"themeversion", &ConfigFileValues::themeVersion},
};

}  // namespace

void ReadConfigDocument(const SDOMDoc& document, ConfigFileValues& values) {
  const SDOMDocSection user = document.FindSection("USER");
  for (const auto& [key, member] : kNumbers) {
    int number = 0;
    if (user.GetInt(key, number)) values.*member = number;
  }
}

ConfigFileState LoadConfigFile(const std::string& path, ConfigFileValues& values) {
  if (!FileExists(path)) return ConfigFileState::Missing;
  SDOMDoc document;
  if (!document.Parse(path)) {
    // Kept for the member to look at; the next save must not overwrite what it held.
    KeepAsideUnreadable(path);
    return ConfigFileState::KeptAside;
  }
  ReadConfigDocument(document, values);
  return ConfigFileState::Loaded;
}

std::string FormatConfigFile(const ConfigFileValues& values) {
  std::string text = "[USER]\r\n";
  // The name as it is, cut where it would break its line.
  text += "user=";
  text += ConfigLineText(values.userName);
  text += "\r\n";
  for (const auto& [key, member] : kNumbers) {
    text += std::string(key) + "=" + std::to_string(values.*member) + "\r\n";
  }
  text += "\r\n[GUI]\r\n";
  text += "\r\n[CLIENTID]\r\ncid= \r\n";
  text += "\r\n[LINKLIST]\r\n";
  return text;
}

bool SaveConfigFile(const std::string& path, const ConfigFileValues& values) {
  return WriteFileReplacing(path, FormatConfigFile(values));
}

std::string StartupFolderFromShellPath(std::string shellPath) {
  while (!shellPath.empty() && shellPath.back() == ' ') shellPath.pop_back();
  if (shellPath.empty()) return {};
  if (!GbkEndsWith(shellPath, '\\')) shellPath += '\\';
  return GbkReplaceAll(shellPath, ".WINDOWS", "");
}

}  // namespace mb::conf
