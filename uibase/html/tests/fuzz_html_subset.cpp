// Any bytes, as the text and as the style sheet, through preparation, styles, both passes,
// hover, click and ticks, on the fake surface with a few images and strings.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "uibase/html/tests/fake_surface.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace mb::html;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  testing::FakeDrawer d;
  d.resources.images[1] = {64, 16};
  d.resources.images[2] = {1, 1};
  d.resources.strings[3] = "s<b>";
  const std::size_t half = bytes.size() / 2;
  d.engine.Sheet().SetSheet(bytes.substr(0, half));
  const int wrap = size > 0 ? data[0] % 97 : 0;
  d.engine.SetWrapWidth(wrap);
  const LayoutSize measured = d.engine.Prepare(d.measure, bytes);
  if (measured.width < 1 || measured.height < 1 || measured.width > kMaxCoordinate + 1) std::abort();
  if (wrap > 0 && measured.width > wrap + 1) std::abort();
  d.engine.Draw(d.measure, {0, 0, 120, 300});
  for (int i = 0; i < 8; ++i) {
    d.engine.MouseOver({i * 13, i * 7});
    d.engine.Click({i * 13, i * 7});
    d.engine.Tick();
  }
  d.engine.Enable(false);
  d.engine.Prepare(d.measure, bytes.substr(half));
  d.engine.Draw(d.measure, {0, 0, 50, 50});
  return 0;
}
