// MainWindow: the client's one visible top-level window, a modeless dialog that lives until the
// program exits. A second start finds it by its window property and hands it its command line.
#pragma once

#include <string>

#include "client/ui/res/resource.h"
#include "framework/dialog.h"

namespace mb {

class MainWindow : public fw::Dialog {
 public:
  MainWindow();

  // 1 during the exit sequence: closing then destroys the window instead of hiding it.
  int quitting = 0;

  // Hides the window; during the exit sequence (quitting set) destroys it instead.
  void Close();

  // The text of a WM_COPYDATA command line: at most cbData bytes, up to the first zero.
  static std::string CopyDataText(const COPYDATASTRUCT* data);

 private:
  LRESULT OnInitDialog(const fw::Message& m);
  LRESULT OnCopyData(const fw::Message& m);
  LRESULT OnRunPendingRequests(const fw::Message& m);
  LRESULT OnDestroy(const fw::Message& m);
};

constexpr UINT WM_RUN_PENDING_REQUESTS = 0x4C8;


}  // namespace mb
