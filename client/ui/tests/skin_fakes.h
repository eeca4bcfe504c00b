// Recording stand-ins for the skin's canvas and owner window.
#pragma once

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "client/ui/skin/skin_canvas.h"

namespace mb::skin::testing {

inline std::string Describe(const Rect& r) {
  std::ostringstream s;
  s << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
  return s.str();
}

class FakeCanvas : public SkinCanvas {
 public:
  struct TextCall {
    std::string text;
    Rect rect;
    unsigned format;
    Colour colour;
    SkinFont font;
  };

  void SetImage(const std::string& name, int cx, int cy) { sizes_[name] = Size{cx, cy}; }

  std::optional<Size> ImageSize(std::string_view name) const override {
    auto it = sizes_.find(std::string(name));
    if (it == sizes_.end()) return std::nullopt;
    return it->second;
  }
  void DrawImage(std::string_view name, int x, int y) override {
    images.push_back(std::string(name) + "@" + std::to_string(x) + "," + std::to_string(y));
  }
  void DrawImagePart(std::string_view name, int x, int y, const Rect& src) override {
    images.push_back(std::string(name) + " part " + Describe(src) + "@" + std::to_string(x) + "," + std::to_string(y));
  }
  void StretchImagePart(std::string_view name, const Rect& dst, const Rect& src) override {
    images.push_back(std::string(name) + " stretch " + Describe(src) + "->" + Describe(dst));
  }
  void DrawLabel(std::string_view text, const Rect& r, unsigned format, Colour colour, SkinFont font) override {
    texts.push_back({std::string(text), r, format, colour, font});
  }

  // Names of the images drawn, in order, without positions.
  std::vector<std::string> ImageNames() const {
    std::vector<std::string> names;
    for (const std::string& call : images) names.push_back(call.substr(0, call.find_first_of(" @")));
    return names;
  }

  std::vector<std::string> images;
  std::vector<TextCall> texts;

 private:
  std::map<std::string, Size> sizes_;
};

class FakeOwner : public SkinOwner {
 public:
  explicit FakeOwner(int layout = 1) : layout(layout) {}

  int SkinLayout() const override { return layout; }
  void Invalidate(const Rect& r, bool erase) override { invalidated.push_back(Describe(r) + (erase ? "" : " keep")); }
  void PostCommand(int id) override { posted.push_back(id); }
  long SendCommand(int id) override {
    sent.push_back(id);
    if (onSend) onSend(id);
    return answer;
  }

  int layout;
  long answer = 0;
  std::function<void(int)> onSend;
  std::vector<std::string> invalidated;
  std::vector<int> posted;
  std::vector<int> sent;
};

}  // namespace mb::skin::testing
