// The layout of a prepared HTML-subset text: lines with wrapping, alignment and tabs, rules,
// images and image strips, string resources, and tables with spans, all yielding a list of
// drawing items that the platform paints, plus the hot areas of links.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "uibase/html/html_style.h"
#include "uibase/html/html_text.h"
#include "uibase/html/html_types.h"
#include "uibase/html/style_sheet.h"

namespace mb::html {

struct TextItem {
  Rect box;  // where the run starts and the font's height
  std::string text;
  FontSpec font;
  Colour colour = 0;
  Colour back = 0;
  int backMode = 1;
  bool overline = false;
  // Justified lines: extra pixels spread over this run's breaks (spaces).
  int justifyExtra = 0;
  int justifyBreaks = 0;
};

struct LineItem {
  Point from;
  Point to;
  Colour colour = 0;
  int style = 1;
  int width = 1;
};

struct BorderItem {
  Rect rect;
  Colour light = 0;
  Colour dark = 0;
  int style = 0;
  int width = 0;
};

struct FillItem {
  Rect rect;
  int effect = 0;
  Colour start = 0;
  Colour middle = 0;
  Colour end = 0;
  int granularity = 5;
};

struct TileItem {
  Rect rect;
  ImageSource source;
};

struct ImageItem {
  Rect rect;  // the image's place, shadow included
  ImageKind kind = ImageKind::kBitmap;
  ImageSource source;
  int frame = 0;  // strips: the frame, numbered row by row
  int frameWidth = 0;
  int frameHeight = 0;
  std::string styles;  // letters: g grey, d dark, l light, s shadow
  bool masked = false;
  Colour mask = 0xFF00FF;
  Point shadow;  // offsets of the shadow (styles with "s")
};

using DrawItem = std::variant<TextItem, LineItem, BorderItem, FillItem, TileItem, ImageItem>;

struct HotArea {
  Rect rect;
  LinkKind kind = LinkKind::kNone;
  int link = -1;
  std::string target;
};

struct Animation {
  int frame = 0;
  int frameCount = 0;
  int tick = 0;
  int ticksPerFrame = 0;
};

struct LayoutSettings {
  int wrapWidth = 0;  // 0: no wrapping
  int tabWidth = 32;
  Point shadow{4, 4};
  int hoveredLink = -1;
};

// Bounds on what a text can build up.
constexpr int kMaxStyleDepth = 256;
constexpr int kMaxTableDepth = 8;
constexpr int kMaxCount = 1000;  // "br" and "t" counts
constexpr int kMaxGrid = 256;    // rows and columns of one table

struct LayoutSize {
  int width = 0;
  int height = 0;
};

class HtmlLayout {
 public:
  HtmlLayout(TextMeasure& measure, ResourceSource& resources, const StyleSheet& sheet, const ValueReader& values)
      : measure_(measure), resources_(resources), sheet_(sheet), values_(values) {}

  // The measure pass: the size of the text; the animation records are rebuilt.
  LayoutSize Measure(const std::vector<Token>& tokens, const LayoutSettings& settings,
                     std::vector<Animation>& animations);
  // The draw pass into rect: drawing items in painting order and the hot areas of links;
  // animated strips show the current frames of the records.
  std::vector<DrawItem> Draw(const std::vector<Token>& tokens, const LayoutSettings& settings, const Rect& rect,
                             const std::vector<Animation>& animations, std::vector<HotArea>& hotAreas);

 private:
  struct Impl;
  TextMeasure& measure_;
  ResourceSource& resources_;
  const StyleSheet& sheet_;
  const ValueReader& values_;
};

// The reset style, before the "body" entry is applied.
Style ResetStyle();

}  // namespace mb::html
