// A drawing surface for the drawer's tests: every character (one or two bytes) is 10 pixels
// wide, a font's height is its size, and images are whatever the test registers.
#pragma once

#include <map>

#include "common/gbk_text.h"
#include "uibase/html/html_engine.h"

namespace mb::html::testing {

class FakeMeasure : public TextMeasure {
 public:
  FontMetrics Metrics(const FontSpec& font) override {
    const int ascent = font.size * 3 / 4;
    return {font.size, ascent, font.size - ascent, font.size / 2};
  }
  int TextWidth(const FontSpec&, std::string_view text) override {
    int n = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += GbkCharLength(text, pos)) ++n;
    return n * 10;
  }
  int DpiY() override { return 96; }
};

class FakeResources : public ResourceSource {
 public:
  std::map<std::uint32_t, ImageSize> images;  // by resource id
  std::map<std::uint32_t, std::string> strings;
  std::optional<ImageSize> ImageSizeOf(ImageKind, const ImageSource& s) override {
    auto it = images.find(s.number);
    if (s.kind == ImageSource::kNone || it == images.end()) return std::nullopt;
    return it->second;
  }
  std::optional<std::string> StringOf(const ImageSource& s) override {
    auto it = strings.find(s.number);
    if (it == strings.end()) return std::nullopt;
    return it->second;
  }
  ImageSize IconSize() override { return {32, 32}; }
};

inline Colour FakeSystemColour(int index) { return Rgb(index, index, index); }

// Records what links do.
class RecordingLinks : public LinkActions {
 public:
  std::vector<int> hovers;
  std::vector<std::string> opened;
  std::vector<std::string> messages;
  void HoverChanged(int link) override { hovers.push_back(link); }
  bool ShowHandCursor() override { return true; }
  void OpenUrl(const std::string& target) override { opened.push_back(target); }
  void SendLinkMessage(const std::string& text) override { messages.push_back(text); }
};

// An engine over the fake surface with a 10-pixel body font (ascent 7, descent 3).
struct FakeDrawer {
  FakeMeasure measure;
  FakeResources resources;
  RecordingLinks links;
  HtmlEngine engine{resources, FakeSystemColour};
  FakeDrawer() {
    engine.Sheet().SetStyle("body", "font-size:10px; color:black; font-family:Verdana");
    engine.SetLinkActions(&links);
  }
  std::vector<DrawItem> Lay(std::string_view text, int wrap = 0, Rect rect = {0, 0, 200, 400}) {
    engine.SetWrapWidth(wrap);
    size = engine.Prepare(measure, text);
    return engine.Draw(measure, rect);
  }
  LayoutSize size;
};

template <class T>
std::vector<T> ItemsOf(const std::vector<DrawItem>& items) {
  std::vector<T> out;
  for (const DrawItem& item : items) {
    if (const T* t = std::get_if<T>(&item)) out.push_back(*t);
  }
  return out;
}

}  // namespace mb::html::testing
