// CarouselBox: a dialog's minutes or seconds edit of the carousel interval. It keeps at most
// five characters, swallows typed characters other than digits and a few control codes, and
// takes pasted text only when all of it would pass.
#pragma once

#include <windows.h>

#include "framework/window.h"

namespace mb {

class CarouselBox : public fw::Window {
 public:
  CarouselBox();
  // Routes the edit's messages through the filter; false when it cannot be bound.
  bool Attach(HWND edit);

 private:
  LRESULT OnChar(const fw::Message& m);
  LRESULT OnPaste(const fw::Message& m);
};

}  // namespace mb
