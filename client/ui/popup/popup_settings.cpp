#include "client/ui/popup/popup_settings.h"

namespace mb {

void PopupSettings::SetEnabled(bool enabled) {
  std::lock_guard<std::mutex> hold(lock_);
  values_.enabled = enabled;
}

void PopupSettings::SetSourceUrl(const std::string& url) {
  std::lock_guard<std::mutex> hold(lock_);
  values_.sourceUrl = url;
}

void PopupSettings::SetRefreshInterval(int seconds) {
  std::lock_guard<std::mutex> hold(lock_);
  values_.refreshIntervalSeconds = seconds;
}

PopupSettingsValues PopupSettings::Get() const {
  std::lock_guard<std::mutex> hold(lock_);
  return values_;
}

PopupSettings& ThePopupSettings() {
  static PopupSettings settings;
  return settings;
}

void SetPopupEnabled(bool enabled) { ThePopupSettings().SetEnabled(enabled); }
void SetPopupSourceUrl(const std::string& url) { ThePopupSettings().SetSourceUrl(url); }
void SetPopupRefreshInterval(int seconds) { ThePopupSettings().SetRefreshInterval(seconds); }

}  // namespace mb
