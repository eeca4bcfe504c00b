#include "uibase/html/html_style.h"

#include <algorithm>
#include <cstdlib>

#include "common/gbk_text.h"

namespace mb::html {

namespace {

struct TagEntry {
  std::string_view name;
  TagKind kind;
  std::string_view styleName;
};

constexpr TagEntry kTags[] = {
    {"b", kTagBold, "bold"},          {"i", kTagItalic, "italic"},       {"em", kTagItalic, "italic"},
    {"u", kTagUnderline, "underline"}, {"s", kTagStrikeout, "strikeout"}, {"strike", kTagStrikeout, "strikeout"},
    {"font", kTagFont, "font"},       {"hr", kTagRule, ""},              {"br", kTagBreak, ""},
    {"t", kTagTab, ""},               {"left", kTagLeft, "left"},        {"center", kTagCenter, "center"},
    {"right", kTagRight, "right"},    {"justify", kTagJustify, "justify"}, {"baseline", kTagBaseline, "baseline"},
    {"top", kTagTop, "top"},          {"vcenter", kTagVCenter, "vcenter"}, {"middle", kTagVCenter, "vcenter"},
    {"bottom", kTagBottom, "vcenter"}, {"bmp", kTagBitmap, ""},          {"icon", kTagIcon, ""},
    {"ilst", kTagStrip, ""},          {"string", kTagString, ""},        {"body", kTagClass, "body"},
    {"h1", kTagClass, "h1"},          {"h2", kTagClass, "h2"},           {"h3", kTagClass, "h3"},
    {"h4", kTagClass, "h4"},          {"h5", kTagClass, "h5"},           {"h6", kTagClass, "h6"},
    {"code", kTagClass, "code"},      {"pre", kTagClass, "pre"},         {"big", kTagClass, "big"},
    {"small", kTagClass, "small"},    {"sub", kTagClass, "sub"},         {"sup", kTagClass, "sup"},
    {"span", kTagSpan, "span"},       {"a", kTagLink, "link"},
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A decimal number with an optional fraction, as the units read it.
double ReadDecimal(std::string_view text) {
  double value = 0;
  std::size_t pos = 0;
  for (; pos < text.size() && IsDigit(text[pos]); ++pos) value = std::min(value * 10 + (text[pos] - '0'), 1e9);
  if (pos < text.size() && text[pos] == '.') {
    double scale = 0.1;
    for (++pos; pos < text.size() && IsDigit(text[pos]); ++pos, scale /= 10) value += (text[pos] - '0') * scale;
  }
  return value;
}

int MulDivRounded(long long a, long long b, long long c) {
  if (c == 0) return -1;
  long long product = a * b;
  long long q = (product < 0) == (c < 0) ? (std::llabs(product) + std::llabs(c) / 2) / std::llabs(c)
                                         : -((std::llabs(product) + std::llabs(c) / 2) / std::llabs(c));
  return ClampCoordinate(q);
}

std::string_view Trim(std::string_view v) {
  while (!v.empty() && (v.front() == ' ' || v.front() == '\t')) v.remove_prefix(1);
  while (!v.empty() && (v.back() == ' ' || v.back() == '\t')) v.remove_suffix(1);
  return v;
}

// Character boundary scans (the declarations may hold double-byte text).
std::size_t FindAnyChar(std::string_view text, std::size_t pos, std::string_view set) {
  for (; pos < text.size(); pos += GbkCharLength(text, pos)) {
    if (GbkCharLength(text, pos) == 1 && set.find(text[pos]) != std::string_view::npos) return pos;
  }
  return text.size();
}

}  // namespace

TagInfo LookUpTag(std::string_view lowerName) {
  for (const TagEntry& e : kTags) {
    if (e.name == lowerName) return {e.kind, e.styleName};
  }
  return {};
}

int BoldWeight(int weight) {
  long long doubled = 2LL * weight;
  if (doubled >= 899 && doubled != 900) doubled = 900;
  return static_cast<int>(doubled);
}

std::string TransformText(std::string_view text, int transform) {
  switch (transform) {
    case 1: return GbkToUpperAscii(text);
    case 2: return GbkToLowerAscii(text);
    case 3: {
      std::string out = GbkToLowerAscii(text);
      bool wordStart = true;
      for (std::size_t pos = 0; pos < out.size();) {
        const std::size_t n = GbkCharLength(out, pos);
        if (n == 1 && wordStart && out[pos] >= 'a' && out[pos] <= 'z') out[pos] = static_cast<char>(out[pos] - 32);
        wordStart = n == 1 && out[pos] == ' ';
        pos += n;
      }
      return out;
    }
    default: return std::string(text);
  }
}

long long ReadInteger(std::string_view text) {
  long long value = 0;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    for (std::size_t pos = 2; pos < text.size() && HexDigit(text[pos]) >= 0; ++pos) {
      value = std::min(value * 16 + HexDigit(text[pos]), 0xFFFFFFFFLL);
    }
    return value;
  }
  for (std::size_t pos = 0; pos < text.size() && IsDigit(text[pos]); ++pos) {
    value = std::min(value * 10 + (text[pos] - '0'), 0xFFFFFFFFLL);
  }
  return value;
}

int ValueReader::Length(std::string_view value, int current, const FontSpec& font, bool htmlSizeRule) const {
  value = Trim(value);
  if (value.empty()) return current;
  if (value.back() == '%') {
    value.remove_suffix(1);
    if (!value.empty() && (value[0] == '+' || value[0] == '-')) value.remove_prefix(1);
    return ClampLength(MulDivRounded(current, static_cast<long long>(ReadDecimal(value)), 100));
  }
  if (value[0] == '+' || value[0] == '-') value.remove_prefix(1);
  if (value.size() >= 2) {
    const std::string unit = GbkToLowerAscii(value.substr(value.size() - 2));
    const double n = ReadDecimal(value);
    const double dpi = measure_.DpiY();
    double px = -1;
    if (unit == "px") px = n;
    else if (unit == "ex") px = n * measure_.Metrics(font).xHeight;
    else if (unit == "em") px = n * measure_.Metrics(font).height;
    else if (unit == "in") px = n * dpi;
    else if (unit == "cm") px = n * dpi * 0.3937007874;
    else if (unit == "mm") px = n * dpi * 0.03937007874;
    else if (unit == "pt") px = n * dpi / 72;
    else if (unit == "pc") px = n * dpi / 6;
    if (px >= 0) return ClampLength(static_cast<long long>(std::min(px, 1e9)));
  }
  long long n = ReadInteger(value);
  if (htmlSizeRule && n >= 1 && n <= 7) {
    static constexpr int kSizes[] = {8, 10, 12, 14, 18, 24, 36};
    n = kSizes[n - 1];
  }
  return ClampLength(n);
}

Colour ValueReader::ColourOf(std::string_view value, Colour current) const {
  if (Trim(value).empty()) return current;
  const Colour colour = RawColourOf(value, current);
  return disabled_ ? disabledColour_ : colour;
}

Colour ValueReader::RawColourOf(std::string_view value, Colour current) const {
  value = Trim(value);
  if (value.empty()) return current;
  Colour colour = current;
  if (value[0] == '#') {
    if (value.size() != 7) return current;
    int digits[6];
    for (int i = 0; i < 6; ++i) {
      digits[i] = HexDigit(value[i + 1]);
      if (digits[i] < 0) return current;
    }
    colour = Rgb(digits[0] * 16 + digits[1], digits[2] * 16 + digits[3], digits[4] * 16 + digits[5]);
  } else if (IsDigit(value[0])) {
    colour = static_cast<Colour>(ReadInteger(value));
  } else {
    colour = names_.Find(GbkToLowerAscii(value)).value_or(0);
  }
  return colour;
}

int ValueReader::Weight(std::string_view value) const {
  value = Trim(value);
  if (value.empty() || value == "normal") return 400;
  if (value == "bold") return 700;
  if (value == "bolder") return 900;
  if (value == "lighter") return 100;
  return static_cast<int>(std::min(ReadInteger(value), 1000LL));
}

void ValueReader::ApplyDeclarations(Style& style, std::string_view declarations) const {
  const std::string text = GbkToLowerAscii(declarations);
  const std::string_view all(text);
  std::size_t pos = SkipToWordStart(all, 0);
  while (pos < all.size()) {
    const std::size_t nameEnd = FindAnyChar(all, pos, " :");
    const std::string_view name = all.substr(pos, nameEnd - pos);
    std::size_t v = nameEnd;
    while (v < all.size() && (all[v] == ' ' || all[v] == ':')) ++v;
    std::string_view value;
    std::size_t end;
    if (v < all.size() && (all[v] == '"' || all[v] == '\'')) {
      const std::size_t close = FindAnyChar(all, v + 1, std::string_view(&all[v], 1));
      value = all.substr(v + 1, close - v - 1);
      end = FindAnyChar(all, close, ";");
    } else {
      end = FindAnyChar(all, v, ";");
      value = all.substr(v, end - v);
    }
    ApplyProperty(style, name, Trim(value));
    pos = SkipToWordStart(all, end);
  }
}

void ValueReader::ApplyProperty(Style& style, std::string_view name, std::string_view value) const {
  if (name == "font-size") {
    style.font.size = Length(value, style.font.size, style.font, true);
  } else if (name == "font-family") {
    if (!value.empty()) style.font.family = std::string(value);
  } else if (name == "font-style") {
    if (value.empty() || value == "normal") style.font.italic = false;
    else if (value == "italic" || value == "oblique") style.font.italic = true;
  } else if (name == "font-weight") {
    style.font.weight = Weight(value);
  } else if (name == "text-align") {
    if (value.empty() || value == "left") style.align = 0;
    else if (value == "center") style.align = 1;
    else if (value == "right") style.align = 2;
  } else if (name == "text-transform") {
    if (value.empty() || value == "none") style.transform = 0;
    else if (value == "uppercase") style.transform = 1;
    else if (value == "lowercase") style.transform = 2;
    else if (value == "capitalize") style.transform = 3;
  } else if (name == "color") {
    style.textColour = ColourOf(value, style.textColour);
  } else if (name == "background-color") {
    if (value.empty() || value == "transparent") {
      style.backMode = 1;
    } else {
      style.backColour = ColourOf(value, style.backColour);
      style.backMode = 2;
    }
  } else if (name == "text-decoration") {
    for (const std::string& word : GbkSplit(GbkReplaceAll(value, ",", " "), " ")) {
      if (word == "none") style.font.underline = style.font.strikeout = style.overline = false;
      else if (word == "underline") style.font.underline = true;
      else if (word == "line-through") style.font.strikeout = true;
      else if (word == "overline") style.overline = true;
    }
  } else if (name == "vertical-align") {
    if (value.empty() || value == "baseline") style.valign = 3;
    else if (value == "middle" || value == "vcenter") style.valign = 1;
    else if (value == "top") style.valign = 0;
    else if (value == "bottom") style.valign = 2;
  } else if (name == "border-color") {
    style.borderLight = style.borderDark = ColourOf(value, style.borderLight);
  } else if (name == "border-width" || name == "size") {
    if (value == "thin") style.borderWidth = MulDivRounded(style.borderWidth, 75, 100);
    else if (value == "thick") style.borderWidth = ClampLength(MulDivRounded(style.borderWidth, 125, 100));
    else if (value != "medium") style.borderWidth = Length(value, style.borderWidth, style.font);
    if (style.borderWidth == 0) style.borderStyle = 0;
    else if (style.borderStyle == 0) style.borderStyle = 1;
  } else if (name == "border-style") {
    if (value.empty() || value == "none") style.borderStyle = 0;
    else if (value == "solid") style.borderStyle = 1;
    else if (value == "dashed") style.borderStyle = 2;
    else if (value == "dotted") style.borderStyle = 3;
    else if (value == "double") style.borderStyle = 6;
    if (style.borderStyle != 0 && style.borderWidth == 0) style.borderWidth = 1;
  } else if (name == "margin") {
    style.cellPadding = Length(value, style.cellPadding, style.font);
  } else if (name == "padding") {
    style.cellSpacing = Length(value, style.cellSpacing, style.font);
  }
}

void ValueReader::ApplyFontAttributes(Style& style, const Attributes& attributes) const {
  for (const auto& [name, value] : attributes) {
    if (name == "face") {
      if (!value.empty()) style.font.family = value;
    } else if (name == "size") {
      style.font.size = Length(value, style.font.size, style.font, true);
    } else if (name == "color") {
      style.textColour = ColourOf(value, style.textColour);
    } else if (name == "weight") {
      style.font.weight = Weight(GbkToLowerAscii(value));
    } else if (name == "bkgnd") {
      if (value.empty() || GbkEqualsNoCase(value, "transparent")) {
        style.backMode = 1;
      } else {
        style.backColour = ColourOf(value, style.backColour);
        style.backMode = 2;
      }
    } else if (name == "style") {
      bool clear = false;
      for (std::size_t pos = 0; pos < value.size(); pos += GbkCharLength(value, pos)) {
        const char c = GbkCharLength(value, pos) == 1 ? value[pos] : '\0';
        switch (c) {
          case '-': clear = true; continue;
          case '+': clear = false; continue;
          case 'b': style.font.weight = clear ? 400 : 700; break;
          case 'i': style.font.italic = !clear; break;
          case 'u': style.font.underline = !clear; break;
          case 's': style.font.strikeout = !clear; break;
          case 'o': style.overline = !clear; break;
          default: break;
        }
        clear = false;
      }
    }
  }
}

}  // namespace mb::html
