#include "client/ui/settings/win/carousel_box.h"

#include <string>

#include "client/ui/settings/carousel_box_filter.h"

namespace mb {

namespace {

std::string ClipboardText(HWND owner) {
  std::string text;
  if (!OpenClipboard(owner)) return text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
      text.assign(bytes, strnlen(bytes, GlobalSize(data)));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

}  // namespace

CarouselBox::CarouselBox() {
  Handle(WM_CHAR, &CarouselBox::OnChar);
  Handle(WM_PASTE, &CarouselBox::OnPaste);
}

bool CarouselBox::Attach(HWND edit) {
  if (!edit || !Subclass(edit)) return false;
  SendMessageA(edit, EM_LIMITTEXT, settings::kCarouselBoxDigits, 0);
  return true;
}

LRESULT CarouselBox::OnChar(const fw::Message& m) {
  if (!settings::IsCarouselBoxCharacter(static_cast<unsigned>(m.wParam))) return 0;
  return CallDefault(m);
}

LRESULT CarouselBox::OnPaste(const fw::Message& m) {
  if (!settings::IsCarouselBoxPaste(ClipboardText(Handle()))) return 0;
  return CallDefault(m);
}

}  // namespace mb
