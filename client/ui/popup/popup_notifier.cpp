#include "client/ui/popup/popup_notifier.h"

namespace mb {

void PopupNotifier::Run() {
  if (host_.WaitForStop(schedule_.firstWaitMs)) return;
  std::int64_t lastFetch = host_.NowSeconds();
  Fetch();
  for (;;) {
    // A notice leaves the queue whether or not it is shown.
    if (std::optional<PopupItem> item = queue_.TakeFront()) {
      if (settings_.Get().enabled && !host_.WaitForStop(0)) host_.Show(*item);
    }
    const std::int64_t now = host_.NowSeconds();
    if (now - lastFetch >= settings_.Get().refreshIntervalSeconds && !host_.WaitForStop(0)) {
      lastFetch = now;
      Fetch();
    }
    if (host_.WaitForStop(schedule_.pollMs)) return;
  }
}

void PopupNotifier::Fetch() {
  const std::string url = settings_.Get().sourceUrl;
  if (url.empty()) return;
  if (std::optional<std::string> list = host_.FetchList(url)) queue_.Append(ParseNoticeList(*list));
}

}  // namespace mb
