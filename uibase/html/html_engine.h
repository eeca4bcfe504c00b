// The portable heart of the HTML-subset drawer: it keeps the text, the style sheet, the hot
// areas of links and the animated strips; it measures and lays out through the platform's text
// metrics and resources, and tells the platform through LinkActions what links do.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "uibase/html/colour_names.h"
#include "uibase/html/html_layout.h"
#include "uibase/html/style_sheet.h"

namespace mb::html {

// What links do on the platform.
class LinkActions {
 public:
  virtual ~LinkActions() = default;
  // The link under the mouse changed: its number, or -2 for none.
  virtual void HoverChanged(int link) = 0;
  // Shows the hand cursor; false when there is none.
  virtual bool ShowHandCursor() = 0;
  virtual void OpenUrl(const std::string& target) = 0;
  // A message link was clicked; text is valid during the call only.
  virtual void SendLinkMessage(const std::string& text) = 0;
};

constexpr int kNoLinkYet = -1;
constexpr int kNoLink = -2;

class HtmlEngine {
 public:
  HtmlEngine(ResourceSource& resources, const SystemColours& system);

  StyleSheet& Sheet() { return sheet_; }
  void SetLinkActions(LinkActions* actions) { actions_ = actions; }

  void Enable(bool enabled) { enabled_ = enabled; }
  bool Enabled() const { return enabled_; }
  void SetDisabledColour(Colour colour) { disabledColour_ = colour; }
  void SetWrapWidth(int width) { settings_.wrapWidth = std::max(width, 0); }
  int WrapWidth() const { return settings_.wrapWidth; }
  void SetKeepLineStructure(bool keep) { keepLineStructure_ = keep; }

  // Stores and prepares the text and measures it: the size plus one in each direction (an
  // empty measure empties the text and gives 1 by 1); a width above the wrap width is cut.
  LayoutSize Prepare(TextMeasure& measure, std::string_view text);
  // The drawing items of the stored text in rect; rebuilds the hot areas.
  std::vector<DrawItem> Draw(TextMeasure& measure, const Rect& rect);

  // Hover handling at point; true when the hand cursor was set.
  bool MouseOver(Point point);
  // Link activation at point.
  void Click(Point point);
  // Advances the animated strips; true when a frame changed.
  bool Tick();

  int HoveredLink() const { return hovered_; }
  const std::vector<HotArea>& HotAreas() const { return hotAreas_; }
  const std::vector<Animation>& Animations() const { return animations_; }
  const std::string& Text() const { return text_; }

 private:
  const HotArea* AreaAt(Point point) const;

  ResourceSource& resources_;
  ColourNames names_;
  Colour defaultDisabled_;
  StyleSheet sheet_;
  LinkActions* actions_ = nullptr;
  bool enabled_ = true;
  Colour disabledColour_;
  bool keepLineStructure_ = true;
  LayoutSettings settings_;
  std::string text_;
  std::vector<Token> tokens_;
  std::vector<Animation> animations_;
  std::vector<HotArea> hotAreas_;
  int hovered_ = kNoLinkYet;
};

// The command line that opens target with the program registered for ".htm": the registered
// command cut at "\"%1\"" (or else at "%1"), then a space and the target in double quotes, any
// double quote inside it written as %22.
std::string OpenCommandFor(std::string_view registered, std::string_view target);

}  // namespace mb::html
