// The style every run of the HTML subset is drawn with, the values that change it (lengths,
// colours, declarations, "font" attributes, bold, text transform) and the tag table.
#pragma once

#include <string>
#include <string_view>

#include "uibase/html/colour_names.h"
#include "uibase/html/html_text.h"
#include "uibase/html/html_types.h"

namespace mb::html {

enum class LinkKind { kNone = 0, kUrl = 1, kMessage = 2 };

struct Style {
  FontSpec font;
  bool overline = false;
  Colour textColour = 0;
  Colour backColour = Rgb(255, 255, 255);
  int backMode = 1;  // 1 transparent, 2 filled
  Colour borderLight = 0;
  Colour borderDark = 0;
  int align = 0;   // 0 left, 1 centre, 2 right, 3 justify
  int valign = 3;  // 0 top, 1 middle, 2 bottom, 3 baseline
  int borderStyle = 0;  // 0 none, 1 solid, 2 dashed, 3 dotted, 6 double
  int borderWidth = 0;
  int transform = 0;  // 0 none, 1 upper, 2 lower, 3 capitalise
  int cellPadding = 2;  // set by "margin" and "cellpadding"
  int cellSpacing = 0;  // set by "padding" and "cellspacing"
  int cellWidth = 0;
  int cellHeight = 0;
  int fillEffect = -1;  // -1 transparent, else an effect code
  Colour fillStart = 0;
  Colour fillMid = 0;
  Colour fillEnd = 0;
  std::string tagName;  // the style name of the tag that saved this style
  // The link the text is inside of.
  LinkKind linkKind = LinkKind::kNone;
  int linkNumber = -1;
  std::string linkTarget;
};

// Kinds of the tag table.
enum TagKind {
  kTagUnknown = 0, kTagBold = 1, kTagItalic, kTagUnderline, kTagStrikeout, kTagFont, kTagRule, kTagBreak,
  kTagTab, kTagLeft, kTagCenter, kTagRight, kTagJustify, kTagBaseline, kTagTop, kTagVCenter, kTagBottom,
  kTagBitmap, kTagIcon, kTagStrip, kTagString, kTagClass, kTagSpan, kTagLink,
};

struct TagInfo {
  TagKind kind = kTagUnknown;
  std::string_view styleName;  // empty for object tags, which save nothing
};

TagInfo LookUpTag(std::string_view lowerName);

// "b": the weight doubled, a result of 899 or more other than 900 becoming 900.
int BoldWeight(int weight);

// Upper case, lower case or capitalised, ASCII letters only (double-byte characters intact).
std::string TransformText(std::string_view text, int transform);

// Number reading shared by the values: decimal, or hexadecimal after "0x"; saturates.
long long ReadInteger(std::string_view text);

// Reads lengths, colours and declarations against the drawing surface's metrics.
class ValueReader {
 public:
  ValueReader(TextMeasure& measure, const ColourNames& names) : measure_(measure), names_(names) {}

  // While disabled every colour the text asks for is the disabled colour.
  void SetDisabled(bool disabled, Colour colour) {
    disabled_ = disabled;
    disabledColour_ = colour;
  }
  bool Disabled() const { return disabled_; }

  int Length(std::string_view value, int current, const FontSpec& font, bool htmlSizeRule = false) const;
  Colour ColourOf(std::string_view value, Colour current) const;
  // The colour as written, whether or not the drawer is disabled (image masks).
  Colour RawColourOf(std::string_view value, Colour current) const;
  int Weight(std::string_view value) const;

  void ApplyDeclarations(Style& style, std::string_view declarations) const;
  void ApplyFontAttributes(Style& style, const Attributes& attributes) const;

 private:
  void ApplyProperty(Style& style, std::string_view name, std::string_view value) const;

  TextMeasure& measure_;
  const ColourNames& names_;
  bool disabled_ = false;
  Colour disabledColour_ = 0;
};

}  // namespace mb::html
