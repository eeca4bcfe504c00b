// The picture preview and the picture view as the pages reach them (client/ui/win/small_window_calls.h).
#include "client/ui/preview/win/picture_preview_dialog.h"
#include "client/ui/preview/win/picture_view.h"
#include "client/ui/win/small_window_calls.h"

namespace mb {

namespace {
// A view made for a page: it goes with its window.
class PageOwnedPictureView final : public PictureView {
  void OnFinalMessage(HWND) override { delete this; }
};
}  // namespace

void ShowPicturePreview(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  PicturePreviewDialog dialog;
  for (const std::string& path : paths) dialog.AddPicture(path);
  dialog.DoModal(GetActiveWindow());
}

HWND CreatePictureView(HWND parent, const RECT& rect, int id) {
  auto* view = new PageOwnedPictureView;
  if (HWND window = view->Create(parent, rect, id)) return window;
  delete view;
  return nullptr;
}

void LoadPictureView(HWND view, const std::string& path) {
  if (auto* picture = dynamic_cast<PictureView*>(fw::Window::FromHandle(view))) {
    picture->LoadPicture(path);
    InvalidateRect(view, nullptr, TRUE);
  }
}

}  // namespace mb
