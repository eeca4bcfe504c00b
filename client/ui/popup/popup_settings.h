// The popup notices' settings: whether notices are shown, where their list comes from and how
// often it is fetched again. Any thread sets them; the popup thread reads them at each use.
#pragma once

#include <mutex>
#include <string>

namespace mb {

struct PopupSettingsValues {
  bool enabled = true;
  std::string sourceUrl;             // the notice list's address; empty: nothing is fetched
  int refreshIntervalSeconds = 1800;
};

class PopupSettings {
 public:
  void SetEnabled(bool enabled);
  void SetSourceUrl(const std::string& url);
  void SetRefreshInterval(int seconds);
  PopupSettingsValues Get() const;

 private:
  mutable std::mutex lock_;
  PopupSettingsValues values_;
};

// The process's one set, which the popup thread reads.
PopupSettings& ThePopupSettings();

void SetPopupEnabled(bool enabled);
void SetPopupSourceUrl(const std::string& url);
void SetPopupRefreshInterval(int seconds);

}  // namespace mb
