// What the settings dialog's OK does, free of windows: the values its three pages edit, which
// pages were shown during one run of the dialog, and the writes, saves and main-window messages
// that applying those pages makes.
#pragma once

#include <vector>

namespace mb::settings {

// The dialog's pages in tree order.
enum class SettingsPage { kGeneral = 0, kBrowse = 1, kOperationRange = 2 };

// The general page: login and closing behaviour.
struct GeneralValues {
  bool autoLogin = false;
  bool recordPassword = false;
  bool hideToTray = false;
  bool exitTip = false;
};

// The picture-browsing page: the report view's columns and the default view.
struct BrowseValues {
  bool report = false;
  bool fileName = true;  // always shown: its box cannot be changed
  bool filePath = false;
  bool fileSize = false;
  bool imageSize = false;
  bool source = false;
  bool category = false;
  bool title = false;
  bool pk = false;       // its box is never shown
  bool remark = false;
};

// The operation-range page.
struct RangeValues {
  bool showRangeDialog = true;
  bool highlightedOnly = false;
};

struct SettingsValues {
  GeneralValues general;
  BrowseValues browse;
  RangeValues range;
};

// A message the browse page sends to the program's main window.
struct MainWindowMessage {
  unsigned message;
  unsigned wParam;
  bool operator==(const MainWindowMessage& other) const {
    return message == other.message && wParam == other.wParam;
  }
};

constexpr unsigned kCommandMessage = 0x0111;         // WM_COMMAND
constexpr unsigned kRefreshColumnsMessage = 0x0439;  // the main window rebuilds the list's columns
constexpr unsigned kReportViewCommand = 32902;
constexpr unsigned kThumbnailViewCommand = 32899;

// The pages shown during one run of the dialog, each once, in the order they were first shown.
class ShownPages {
 public:
  // True when the page is shown for the first time in this run.
  bool Show(SettingsPage page);
  bool WasShown(SettingsPage page) const;
  const std::vector<SettingsPage>& Pages() const { return pages_; }

 private:
  std::vector<SettingsPage> pages_;
};

struct ApplyPlan {
  std::vector<SettingsPage> applied;  // the pages whose values are written
  SettingsValues written;             // the stored values with the applied pages' boxes in them
  bool saveConfig = false;
  bool saveUserList = false;
  std::vector<MainWindowMessage> toMainWindow;  // in order
};

// Applying the given pages: each takes its boxes from `boxes`, every other value stays as
// `stored` has it. The boxes the member cannot change (file name, PK) keep their stored values.
ApplyPlan PlanApply(const SettingsValues& stored, const SettingsValues& boxes,
                    const std::vector<SettingsPage>& pages);

}  // namespace mb::settings
