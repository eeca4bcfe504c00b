#include "uibase/html/html_layout.h"

#include <algorithm>
#include <memory>

#include "common/gbk_text.h"

namespace mb::html {

namespace {

// ---- The text cut into flows and tables ----

struct TableNode;

struct PartNode {
  std::vector<const Token*> flow;
  std::unique_ptr<TableNode> table;
};

struct BlockNode {
  std::vector<PartNode> parts;
};

struct CellNode {
  Attributes attributes;
  BlockNode content;
};

struct RowNode {
  Attributes attributes;
  std::vector<CellNode> cells;
};

struct TableNode {
  Attributes attributes;
  std::vector<RowNode> rows;
};

class TreeReader {
 public:
  explicit TreeReader(const std::vector<Token>& tokens) : tokens_(tokens) {
    tags_.reserve(tokens.size());
    for (const Token& t : tokens) tags_.push_back(t.kind == Token::kTag ? SplitTag(t.text) : TagText{});
  }

  BlockNode ReadBlock(int depth, bool inCell) {
    BlockNode block;
    PartNode part;
    while (pos_ < tokens_.size()) {
      const TagText& tag = tags_[pos_];
      if (tokens_[pos_].kind == Token::kTag) {
        const bool tableTag = tag.name == "table" || tag.name == "tr" || tag.name == "td";
        if (inCell && (tag.name == "td" || tag.name == "tr" || (tag.name == "table" && tag.closing))) break;
        if (tag.name == "table" && !tag.closing && depth < kMaxTableDepth) {
          ++pos_;
          if (!part.flow.empty()) block.parts.push_back(std::move(part));
          part = PartNode{};
          PartNode tablePart;
          tablePart.table = ReadTable(depth + 1, tag.attributes);
          block.parts.push_back(std::move(tablePart));
          continue;
        }
        if (tableTag) {  // stray, or nested too deep: ignored
          ++pos_;
          continue;
        }
      }
      part.flow.push_back(&tokens_[pos_]);
      ++pos_;
    }
    if (!part.flow.empty()) block.parts.push_back(std::move(part));
    return block;
  }

 private:
  std::unique_ptr<TableNode> ReadTable(int depth, const std::string& attributes) {
    auto table = std::make_unique<TableNode>();
    table->attributes = ParseAttributes(attributes);
    while (pos_ < tokens_.size()) {
      const TagText& tag = tags_[pos_];
      ++pos_;
      if (tokens_[pos_ - 1].kind != Token::kTag || tag.closing) {
        if (tag.name == "table") break;
        continue;
      }
      if (tag.name == "tr") {
        if (table->rows.size() < kMaxGrid) table->rows.push_back({ParseAttributes(tag.attributes), {}});
      } else if (tag.name == "td") {
        if (table->rows.empty()) table->rows.push_back({});
        CellNode cell{ParseAttributes(tag.attributes), ReadBlock(depth, true)};
        if (table->rows.size() <= kMaxGrid && table->rows.back().cells.size() < kMaxGrid) {
          table->rows.back().cells.push_back(std::move(cell));
        }
      }
    }
    return table;
  }

  const std::vector<Token>& tokens_;
  std::vector<TagText> tags_;
  std::size_t pos_ = 0;
};

// ---- Laid-out content ----

struct Piece {
  enum Kind { kText, kImage, kRule, kGap };
  Kind kind = kText;
  int x = 0;
  int width = 0;
  int ascent = 0;
  int descent = 0;
  Style style;
  FontMetrics metrics;
  std::string text;
  int spaces = 0;
  ImageItem image;
  int ruleSize = 1;
  Colour ruleColour = 0;
  int rulePercent = -1;  // a percentage rule's share of the available width
};

struct Line {
  std::vector<Piece> pieces;
  int width = 0;
  int ascent = 0;
  int descent = 0;
  int height = 0;
  int spaces = 0;
  int align = 0;
  int percent = 0;
  bool wrapped = false;
  int count = 1;  // a "br" with a count moves down that many line heights
};

struct Box {
  int fillEffect = -1;
  Colour start = 0;
  Colour middle = 0;
  Colour end = 0;
  ImageSource background;
  Colour light = 0;
  Colour dark = 0;
  int borderStyle = 0;
  int borderWidth = 0;
};

struct BuiltTable;

struct BuiltPart {
  std::vector<Line> lines;
  std::unique_ptr<BuiltTable> table;
  int width = 0;
  int height = 0;
};

struct BuiltBlock {
  std::vector<BuiltPart> parts;
  int width = 0;
  int height = 0;
};

struct BuiltCell {
  int row = 0;
  int column = 0;
  int rowSpan = 1;
  int columnSpan = 1;
  int valign = 0;
  Box box;
  BuiltBlock content;
};

struct BuiltTable {
  Box box;
  int spacing = 0;
  int padding = 2;
  int align = 0;
  int targetWidth = 0;
  int columns = 0;
  int rows = 0;
  std::vector<int> columnWidths;
  std::vector<int> rowHeights;
  std::vector<bool> fixed;
  std::vector<BuiltCell> cells;
  int width = 0;
  int height = 0;
};

constexpr std::string_view kBreakCharacters = " -.,!:;)}]?";

int CountSpaces(std::string_view text) {
  int n = 0;
  for (std::size_t pos = 0; pos < text.size(); pos += GbkCharLength(text, pos)) {
    if (text[pos] == ' ' && GbkCharLength(text, pos) == 1) ++n;
  }
  return n;
}

std::string_view TrimTrailingSpaces(std::string_view v) {
  while (!v.empty() && v.back() == ' ') v.remove_suffix(1);
  return v;
}

std::string_view TrimLeadingSpaces(std::string_view v) {
  while (!v.empty() && v.front() == ' ') v.remove_prefix(1);
  return v;
}

int SideWidth(const Box& box) {
  if (box.borderStyle == 0 || box.borderWidth == 0) return 0;
  return box.borderStyle == 6 ? 3 * box.borderWidth : box.borderWidth;
}

// Count of a "br" or "t": the attribute text less its first character, 1 when missing or 0.
int TagCount(const std::string& attributes) {
  if (attributes.size() < 2) return 1;
  const long long n = ReadInteger(std::string_view(attributes).substr(1));
  return n <= 0 ? 1 : static_cast<int>(std::min<long long>(n, kMaxCount));
}

}  // namespace

Style ResetStyle() { return Style{}; }

struct HtmlLayout::Impl {
  Impl(HtmlLayout& layout, const LayoutSettings& s) : owner(layout), settings(s) {}

  HtmlLayout& owner;
  LayoutSettings settings;
  bool measuring = true;
  std::vector<Animation>* animationsOut = nullptr;
  const std::vector<Animation>* animationsIn = nullptr;
  std::size_t animationIndex = 0;
  Style style;
  std::vector<Style> stack;
  int linkCounter = 0;
  std::vector<DrawItem>* items = nullptr;
  std::vector<HotArea>* hotAreas = nullptr;

  TextMeasure& Measure() { return owner.measure_; }

  void ApplyEntry(std::string_view selector) {
    if (const std::string* d = owner.sheet_.GetStyle(selector)) owner.values_.ApplyDeclarations(style, *d);
  }

  void StartPass() {
    stack.clear();
    linkCounter = 0;
    animationIndex = 0;
    style = ResetStyle();
    ApplyEntry("body");
  }

  // ---- Tags that change the style ----

  bool OpenStyleTag(const TagInfo& info, const TagText& tag) {
    if (stack.size() >= static_cast<std::size_t>(kMaxStyleDepth)) return false;
    stack.push_back(style);
    stack.back().tagName = std::string(info.styleName);
    switch (info.kind) {
      case kTagBold: style.font.weight = std::min(BoldWeight(style.font.weight), 1000); break;
      case kTagItalic: style.font.italic = !style.font.italic; break;
      case kTagUnderline: style.font.underline = !style.font.underline; break;
      case kTagStrikeout: style.font.strikeout = !style.font.strikeout; break;
      case kTagFont: owner.values_.ApplyFontAttributes(style, ParseAttributes(tag.attributes)); break;
      case kTagLeft: style.align = 0; break;
      case kTagCenter: style.align = 1; break;
      case kTagRight: style.align = 2; break;
      case kTagJustify: style.align = 3; break;
      case kTagBaseline: style.valign = 3; break;
      case kTagTop: style.valign = 0; break;
      case kTagVCenter: style.valign = 1; break;
      case kTagBottom: style.valign = 2; break;
      case kTagClass: {
        ApplyEntry(tag.name);
        ApplyStyleAttribute(tag);
        break;
      }
      case kTagSpan: {
        const Attributes attributes = ParseAttributes(tag.attributes);
        if (const std::string* c = FindAttribute(attributes, "class")) ApplyEntry("." + *c);
        ApplyStyleAttribute(tag);
        break;
      }
      case kTagLink: OpenLink(tag); break;
      default: break;
    }
    return true;
  }

  void ApplyStyleAttribute(const TagText& tag) {
    const Attributes attributes = ParseAttributes(tag.attributes);
    if (const std::string* s = FindAttribute(attributes, "style")) owner.values_.ApplyDeclarations(style, *s);
  }

  void OpenLink(const TagText& tag) {
    style.linkKind = LinkKind::kMessage;
    style.linkTarget.clear();
    for (const auto& [name, value] : ParseAttributes(tag.attributes)) {
      if (name == "href") {
        style.linkKind = LinkKind::kUrl;
        style.linkTarget = value;
      } else if (name == "msg") {
        style.linkKind = LinkKind::kMessage;
        style.linkTarget = value;
      }
    }
    style.linkNumber = linkCounter++;
    ApplyEntry(style.linkNumber == settings.hoveredLink ? "a:hover" : "a:link");
  }

  void CloseStyleTag(const TagInfo& info) {
    if (!stack.empty() && stack.back().tagName == info.styleName) {
      style = std::move(stack.back());
      stack.pop_back();
    }
  }

  // ---- Lines ----

  struct FlowState {
    std::vector<Line>* lines;
    Line line;
    int x = 0;
    int wrap = 0;
  };

  void CloseLine(FlowState& f, bool wrapped, int count) {
    Line& line = f.line;
    line.wrapped = wrapped;
    line.count = count;
    if (line.pieces.empty()) {
      const FontMetrics m = Measure().Metrics(style.font);
      line.height = m.height;
      line.align = style.align;
    } else {
      line.height = ClampCoordinate(static_cast<long long>(line.ascent) + line.descent);
    }
    line.width = f.x;
    f.lines->push_back(std::move(line));
    f.line = Line{};
    f.x = 0;
  }

  void AddPiece(FlowState& f, Piece piece) {
    if (f.line.pieces.empty()) f.line.align = style.align;
    piece.x = f.x;
    f.x = ClampCoordinate(static_cast<long long>(f.x) + piece.width);
    f.line.ascent = std::max(f.line.ascent, piece.ascent);
    f.line.descent = std::max(f.line.descent, piece.descent);
    f.line.spaces += piece.spaces;
    f.line.pieces.push_back(std::move(piece));
  }

  Piece TextPiece(std::string_view text, const FontMetrics& m, int width) {
    Piece p;
    p.kind = Piece::kText;
    p.style = style;
    p.metrics = m;
    p.text = std::string(text);
    p.width = width;
    p.ascent = m.ascent;
    p.descent = m.descent;
    p.spaces = CountSpaces(text);
    return p;
  }

  // The longest head of text (ending at one of the candidate positions, exclusive ends) that fits
  // in room; -1 when none does.
  int LastFitting(std::string_view text, const std::vector<std::size_t>& ends, int room, bool trimSpaces) {
    int lo = 0, hi = static_cast<int>(ends.size()) - 1, best = -1;
    while (lo <= hi) {
      const int mid = (lo + hi) / 2;
      std::string_view head = text.substr(0, ends[mid]);
      if (trimSpaces) head = TrimTrailingSpaces(head);
      if (Measure().TextWidth(style.font, head) <= room) {
        best = mid;
        lo = mid + 1;
      } else {
        hi = mid - 1;
      }
    }
    return best;
  }

  void AddText(FlowState& f, std::string_view text) {
    const FontMetrics m = Measure().Metrics(style.font);
    while (!text.empty()) {
      const int width = Measure().TextWidth(style.font, text);
      if (f.wrap == 0 || static_cast<long long>(f.x) + width <= f.wrap) {
        AddPiece(f, TextPiece(text, m, width));
        return;
      }
      const int room = f.wrap - f.x;
      std::vector<std::size_t> breaks, characters;
      for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t n = GbkCharLength(text, pos);
        if (n == 1 && kBreakCharacters.find(text[pos]) != std::string_view::npos) breaks.push_back(pos + 1);
        pos += n;
        characters.push_back(pos);
      }
      const int b = LastFitting(text, breaks, room, true);
      if (b >= 0) {
        const std::string_view head = TrimTrailingSpaces(text.substr(0, breaks[b]));
        if (!head.empty()) AddPiece(f, TextPiece(head, m, Measure().TextWidth(style.font, head)));
        text = TrimLeadingSpaces(text.substr(breaks[b]));
        CloseLine(f, true, 1);
        continue;
      }
      if (f.line.pieces.empty()) {
        const int c = std::max(LastFitting(text, characters, room, false), 0);
        const std::string_view head = text.substr(0, characters[c]);
        AddPiece(f, TextPiece(head, m, Measure().TextWidth(style.font, head)));
        text = text.substr(characters[c]);
        CloseLine(f, true, 1);
        continue;
      }
      CloseLine(f, true, 1);
    }
  }

  // Moves an object that does not fit to the next line.
  void AddObject(FlowState& f, Piece piece) {
    if (f.wrap != 0 && !f.line.pieces.empty() && static_cast<long long>(f.x) + piece.width > f.wrap) {
      CloseLine(f, true, 1);
    }
    AddPiece(f, std::move(piece));
  }

  void AddTab(FlowState& f, int count) {
    const int tab = std::max(settings.tabWidth, 1);
    const long long next = (static_cast<long long>(f.x) / tab + count) * tab;
    Piece gap;
    gap.kind = Piece::kGap;
    gap.width = ClampLength(next - f.x);
    AddPiece(f, std::move(gap));
  }

  void AddRule(FlowState& f, const Attributes& a) {
    Piece rule;
    rule.kind = Piece::kRule;
    rule.style = style;
    rule.ruleColour = style.textColour;
    if (const std::string* c = FindAttribute(a, "color")) rule.ruleColour = owner.values_.ColourOf(*c, rule.ruleColour);
    if (const std::string* s = FindAttribute(a, "size")) rule.ruleSize = owner.values_.Length(*s, 1, style.font);
    const std::string* w = FindAttribute(a, "width");
    if (!w || w->empty() || w->back() == '%') {
      rule.rulePercent = w && !w->empty() ? owner.values_.Length(*w, 100, style.font) : 100;
      f.line.percent = std::min(f.line.percent + rule.rulePercent, kMaxLength);
    } else {
      rule.width = owner.values_.Length(*w, 0, style.font);
    }
    rule.ascent = ClampLength(static_cast<long long>(rule.ruleSize) + 8);
    AddPiece(f, std::move(rule));
  }

  static ImageSource SourceOf(const Attributes& a) {
    ImageSource s;
    if (const std::string* v = FindAttribute(a, "idres")) {
      s.kind = ImageSource::kResource;
      s.number = static_cast<std::uint32_t>(ReadInteger(*v));
    } else if (const std::string* v = FindAttribute(a, "file")) {
      s.kind = ImageSource::kFile;
      s.path = *v;
    } else if (const std::string* v = FindAttribute(a, "iddll")) {
      s.kind = ImageSource::kModuleResource;
      s.number = static_cast<std::uint32_t>(ReadInteger(*v));
      if (const std::string* m = FindAttribute(a, "srcdll")) s.path = *m;
    } else if (const std::string* v = FindAttribute(a, "handle")) {
      s.kind = ImageSource::kHandle;
      s.number = static_cast<std::uint32_t>(ReadInteger(*v));
    }
    return s;
  }

  void AddImage(FlowState& f, TagKind kind, const Attributes& a) {
    ImageItem image;
    image.kind = kind == kTagBitmap ? ImageKind::kBitmap : kind == kTagIcon ? ImageKind::kIcon : ImageKind::kStrip;
    image.source = SourceOf(a);
    if (image.source.kind == ImageSource::kNone) return;
    const std::optional<ImageSize> natural = owner.resources_.ImageSizeOf(image.kind, image.source);
    if (!natural || natural->width <= 0 || natural->height <= 0) return;
    ImageSize size = image.kind == ImageKind::kIcon ? owner.resources_.IconSize() : *natural;
    const int index = FindAttribute(a, "index") ? static_cast<int>(std::min<long long>(ReadInteger(*FindAttribute(a, "index")), kMaxLength)) : 0;
    image.frame = index;
    if (image.kind == ImageKind::kStrip) {
      const std::string* cx = FindAttribute(a, "cx");
      const std::string* cy = FindAttribute(a, "cy");
      int w = cx ? static_cast<int>(std::min<long long>(ReadInteger(*cx), kMaxLength)) : 0;
      int h = cy ? static_cast<int>(std::min<long long>(ReadInteger(*cy), kMaxLength)) : 0;
      if (!cx && !cy) w = h = std::min(natural->width, natural->height);
      else if (!cx) w = h;
      else if (!cy) h = w;
      if (w <= 0 || h <= 0) return;  // a zero frame draws nothing
      image.frameWidth = w;
      image.frameHeight = h;
      const int frames = (natural->width / w) * (natural->height / h);
      const long long speed = FindAttribute(a, "speed") ? ReadInteger(*FindAttribute(a, "speed")) : 0;
      if (speed > 0) {
        if (measuring) {
          animationsOut->push_back({index, frames, 0, static_cast<int>(std::min<long long>(speed, kMaxLength))});
        } else if (animationsIn && animationIndex < animationsIn->size()) {
          image.frame = (*animationsIn)[animationIndex].frame;
        }
        ++animationIndex;
      }
      if (image.frame >= frames) image.frame = -1;  // outside the strip: nothing drawn
      size = {w, h};
    }
    if (const std::string* v = FindAttribute(a, "width")) size.width = owner.values_.Length(*v, size.width, style.font);
    if (const std::string* v = FindAttribute(a, "height")) size.height = owner.values_.Length(*v, size.height, style.font);
    std::string styles = FindAttribute(a, "style") ? *FindAttribute(a, "style") : "";
    const std::string* hot = FindAttribute(a, "hotstyle");
    if (hot && style.linkNumber >= 0 && style.linkNumber == settings.hoveredLink) styles = *hot;
    image.styles = styles;
    if (const std::string* m = FindAttribute(a, "mask")) {
      image.masked = true;
      image.mask = owner.values_.RawColourOf(*m, 0xFF00FF);
    }
    const bool shadowSet = settings.shadow.x != 0 || settings.shadow.y != 0;
    if (shadowSet && GbkFind(styles, 's') != std::string_view::npos) {
      image.shadow = settings.shadow;
      size.width = ClampLength(static_cast<long long>(size.width) + std::abs(settings.shadow.x));
      size.height = ClampLength(static_cast<long long>(size.height) + std::abs(settings.shadow.y));
    } else {
      image.styles.erase(std::remove(image.styles.begin(), image.styles.end(), 's'), image.styles.end());
    }
    Piece p;
    p.kind = Piece::kImage;
    p.style = style;
    p.width = size.width;
    p.ascent = size.height;
    p.image = std::move(image);
    AddObject(f, std::move(p));
  }

  void AddString(FlowState& f, const Attributes& a) {
    const std::string* id = FindAttribute(a, "idres");
    if (!id) return;
    ImageSource s;
    s.kind = ImageSource::kResource;
    s.number = static_cast<std::uint32_t>(ReadInteger(*id));
    const std::string* module = FindAttribute(a, "srcdll");
    if (!module) module = FindAttribute(a, "iddll");
    if (module) {
      s.kind = ImageSource::kModuleResource;
      s.path = *module;
    }
    if (const std::optional<std::string> text = owner.resources_.StringOf(s)) {
      AddText(f, TransformText(*text, style.transform));
    }
  }

  void BuildFlow(const std::vector<const Token*>& tokens, int wrap, BuiltPart& out) {
    FlowState f{&out.lines, Line{}, 0, wrap};
    for (const Token* token : tokens) {
      if (token->kind == Token::kRun) {
        AddText(f, TransformText(token->text, style.transform));
        continue;
      }
      const TagText tag = SplitTag(token->text);
      const TagInfo info = LookUpTag(tag.name);
      if (info.kind == kTagUnknown) continue;
      if (!info.styleName.empty()) {
        if (tag.closing) CloseStyleTag(info);
        else OpenStyleTag(info, tag);
        continue;
      }
      if (tag.closing) continue;
      switch (info.kind) {
        case kTagBreak: CloseLine(f, false, TagCount(tag.attributes)); break;
        case kTagTab: AddTab(f, TagCount(tag.attributes)); break;
        case kTagRule: AddRule(f, ParseAttributes(tag.attributes)); break;
        case kTagBitmap:
        case kTagIcon:
        case kTagStrip: AddImage(f, info.kind, ParseAttributes(tag.attributes)); break;
        case kTagString: AddString(f, ParseAttributes(tag.attributes)); break;
        default: break;
      }
    }
    if (!f.line.pieces.empty()) CloseLine(f, false, 1);
    long long height = 0;
    for (const Line& line : out.lines) {
      out.width = std::max(out.width, line.width);
      height += static_cast<long long>(line.height) * line.count;
    }
    out.height = ClampCoordinate(height);
  }

  BuiltBlock BuildBlock(const BlockNode& node, int wrap) {
    BuiltBlock block;
    long long height = 0;
    for (const PartNode& partNode : node.parts) {
      BuiltPart part;
      if (partNode.table) {
        part.table = BuildTable(*partNode.table, wrap);
        part.width = part.table->width;
        part.height = part.table->height;
      } else {
        BuildFlow(partNode.flow, wrap, part);
      }
      block.width = std::max(block.width, part.width);
      height += part.height;
      block.parts.push_back(std::move(part));
    }
    block.height = ClampCoordinate(height);
    return block;
  }

  // ---- Tables ----

  void ApplyBoxAttributes(Box& box, Style& s, const Attributes& a) {
    const auto& v = owner.values_;
    for (const auto& [name, value] : a) {
      if (name == "border") {
        box.borderWidth = v.Length(value, box.borderWidth, s.font);
        if (box.borderWidth > 0 && box.borderStyle == 0) box.borderStyle = 1;
      } else if (name == "borderstyle") {
        Style probe;
        probe.borderWidth = 1;
        v.ApplyDeclarations(probe, "border-style:" + value);
        box.borderStyle = probe.borderStyle;
      } else if (name == "bordercolor") {
        box.light = box.dark = v.ColourOf(value, box.light);
      } else if (name == "bordercolorlight") {
        box.light = v.ColourOf(value, box.light);
      } else if (name == "bordercolordark") {
        box.dark = v.ColourOf(value, box.dark);
      } else if (name == "bgcolor") {
        box.start = v.ColourOf(value, box.start);
        if (box.fillEffect == -1) box.fillEffect = 0;
      } else if (name == "bgmidcolor") {
        box.middle = v.ColourOf(value, box.middle);
      } else if (name == "bgendcolor") {
        box.end = v.ColourOf(value, box.end);
      } else if (name == "bgeffect") {
        box.fillEffect = EffectCode(value, box.fillEffect);
      } else if (name == "align") {
        const std::string lower = GbkToLowerAscii(value);
        s.align = lower == "center" ? 1 : lower == "right" ? 2 : lower == "justify" ? 3 : 0;
      } else if (name == "valign") {
        const std::string lower = GbkToLowerAscii(value);
        s.valign = lower == "middle" || lower == "center" || lower == "vcenter" ? 1 : lower == "bottom" ? 2 : 0;
      }
    }
  }

  static int EffectCode(std::string_view value, int current) {
    static constexpr std::string_view kNames[] = {
        "solid", "hgradient", "vgradient", "hcgradient", "vcgradient", "3hgradient", "3vgradient", "noise",
        "diagshade", "hshade", "vshade", "hbump", "vbump", "softbump", "hardbump", "metal"};
    const std::string lower = GbkToLowerAscii(value);
    if (lower == "transparent") return -1;
    for (int i = 0; i < 16; ++i) {
      if (lower == kNames[i]) return i;
    }
    if (!lower.empty() && lower[0] >= '0' && lower[0] <= '9') return static_cast<int>(std::min<long long>(ReadInteger(lower), 255));
    return current;
  }

  static ImageSource BackgroundOf(const std::string& value) {
    ImageSource s;
    if (value.size() <= 5) return s;
    const std::size_t colon = GbkFind(value, ':');
    if (colon == std::string::npos) return s;
    const std::string kind = GbkToLowerAscii(value.substr(0, colon));
    const std::string rest = value.substr(colon + 1);
    if (kind == "idres") {
      s.kind = ImageSource::kResource;
      s.number = static_cast<std::uint32_t>(ReadInteger(rest));
    } else if (kind == "iddll") {
      s.kind = ImageSource::kModuleResource;
      s.number = static_cast<std::uint32_t>(ReadInteger(rest));
    } else if (kind == "file") {
      s.kind = ImageSource::kFile;
      s.path = rest;
    }
    return s;
  }

  int WidthAttribute(const Attributes& a, std::string_view name, int wrap, const FontSpec& font) {
    const std::string* v = FindAttribute(a, name);
    if (!v || v->empty()) return 0;
    if (v->back() == '%') return wrap > 0 ? owner.values_.Length(*v, wrap, font) : 0;
    return owner.values_.Length(*v, 0, font);
  }

  std::unique_ptr<BuiltTable> BuildTable(const TableNode& node, int wrap) {
    auto table = std::make_unique<BuiltTable>();
    const Style outer = style;
    const auto& v = owner.values_;
    Style tableStyle = style;
    table->box.light = table->box.dark = style.borderLight;
    ApplyBoxAttributes(table->box, tableStyle, node.attributes);
    for (const auto& [name, value] : node.attributes) {
      if (name == "cellpadding") tableStyle.cellPadding = v.Length(value, tableStyle.cellPadding, style.font);
      else if (name == "cellspacing") tableStyle.cellSpacing = v.Length(value, tableStyle.cellSpacing, style.font);
      else if (name == "background") table->box.background = BackgroundOf(value);
    }
    if (table->box.borderStyle != 1 && table->box.borderStyle != 0) table->box.borderWidth = 1;
    table->padding = tableStyle.cellPadding;
    table->spacing = tableStyle.cellSpacing;
    table->align = tableStyle.align;
    table->targetWidth = WidthAttribute(node.attributes, "width", wrap, style.font);

    // Grid positions: rows in order, cells left to right past columns that spans above hold.
    std::vector<std::vector<bool>> taken;
    int columns = 0;
    const int rows = static_cast<int>(node.rows.size());
    struct Placed {
      const CellNode* node;
      const RowNode* row;
      int r, c, rs, cs;
    };
    std::vector<Placed> placed;
    for (int r = 0; r < rows; ++r) {
      if (static_cast<int>(taken.size()) <= r) taken.resize(r + 1);
      int c = 0;
      for (const CellNode& cell : node.rows[r].cells) {
        while (c < static_cast<int>(taken[r].size()) && taken[r][c]) ++c;
        if (c >= kMaxGrid) break;
        const auto span = [&](std::string_view name) {
          const std::string* s = FindAttribute(cell.attributes, name);
          const long long n = s ? ReadInteger(*s) : 1;
          return static_cast<int>(std::clamp<long long>(n, 1, kMaxGrid));
        };
        const int cs = std::min(span("colspan"), kMaxGrid - c);
        const int rs = std::min(span("rowspan"), rows - r);
        for (int rr = r; rr < r + rs; ++rr) {
          if (static_cast<int>(taken.size()) <= rr) taken.resize(rr + 1);
          if (static_cast<int>(taken[rr].size()) < c + cs) taken[rr].resize(c + cs, false);
          for (int cc = c; cc < c + cs; ++cc) taken[rr][cc] = true;
        }
        placed.push_back({&cell, &node.rows[r], r, c, rs, cs});
        columns = std::max(columns, c + cs);
        c += cs;
      }
    }
    table->columns = columns;
    table->rows = rows;
    table->columnWidths.assign(columns, 0);
    table->rowHeights.assign(rows, 0);
    table->fixed.assign(columns, false);

    std::vector<int> needWidth, needHeight;
    for (const Placed& p : placed) {
      BuiltCell cell;
      cell.row = p.r;
      cell.column = p.c;
      cell.rowSpan = p.rs;
      cell.columnSpan = p.cs;
      Style cellStyle = outer;
      cell.box.light = table->box.light;
      cell.box.dark = table->box.dark;
      cell.box.borderStyle = table->box.borderStyle;
      cell.box.borderWidth = table->box.borderWidth;
      ApplyBoxAttributes(cell.box, cellStyle, p.row->attributes);
      ApplyBoxAttributes(cell.box, cellStyle, p.node->attributes);
      cell.box.borderWidth = std::min(cell.box.borderWidth, 1);
      cell.box.background = {};
      cell.valign = cellStyle.valign;
      const int widthAttribute = WidthAttribute(p.node->attributes, "width", wrap, style.font);
      const int heightAttribute = WidthAttribute(p.node->attributes, "height", 0, style.font);
      if (widthAttribute > 0) {
        for (int c = p.c; c < p.c + p.cs; ++c) table->fixed[c] = true;
      }
      // The cell's content starts from the table's style with the "td" entry applied.
      const std::size_t depth = stack.size();
      style = outer;
      style.align = cellStyle.align;
      ApplyEntry("td");
      cell.content = BuildBlock(p.node->content, widthAttribute);
      stack.resize(std::min(stack.size(), depth));
      style = outer;
      const long long inset = 2LL * (table->padding + SideWidth(cell.box));
      needWidth.push_back(ClampCoordinate(std::max(cell.content.width, widthAttribute) + inset));
      needHeight.push_back(ClampCoordinate(std::max(cell.content.height, heightAttribute) + inset));
      table->cells.push_back(std::move(cell));
    }
    // Columns and rows settled by span size, one first.
    for (int span = 1; span <= std::max(columns, rows); ++span) {
      for (std::size_t i = 0; i < table->cells.size(); ++i) {
        const BuiltCell& cell = table->cells[i];
        if (cell.columnSpan == span) Grow(table->columnWidths, cell.column, span, needWidth[i], false);
        if (cell.rowSpan == span) Grow(table->rowHeights, cell.row, span, needHeight[i], true);
      }
    }
    const int side = SideWidth(table->box);
    const auto total = [&](const std::vector<int>& sizes) {
      const long long n = static_cast<long long>(sizes.size());
      long long sum = (n + 1) * table->spacing + std::max(n - 1, 0LL) + 2LL * side;
      for (int s : sizes) sum += s;
      return ClampCoordinate(sum);
    };
    table->width = total(table->columnWidths);
    table->height = total(table->rowHeights);
    return table;
  }

  // Raises the span's sizes to need: the shortfall split evenly, the remainder to the last
  // (columns) or first (rows) of them.
  static void Grow(std::vector<int>& sizes, int first, int span, int need, bool remainderFirst) {
    long long sum = 0;
    for (int i = first; i < first + span; ++i) sum += sizes[i];
    if (sum >= need) return;
    const long long shortfall = need - sum;
    for (int i = first; i < first + span; ++i) sizes[i] = ClampCoordinate(sizes[i] + shortfall / span);
    const int at = remainderFirst ? first : first + span - 1;
    sizes[at] = ClampCoordinate(sizes[at] + shortfall % span);
  }

  // ---- Placement (the draw pass) ----

  void Emit(DrawItem item) { items->push_back(std::move(item)); }

  void AddHotArea(const Style& s, const Rect& r) {
    if (s.linkKind == LinkKind::kNone) return;
    hotAreas->push_back({r, s.linkKind, s.linkNumber, s.linkTarget});
  }

  void PlaceBlock(const BuiltBlock& block, int x, int y, int available) {
    long long top = y;
    for (const BuiltPart& part : block.parts) {
      if (part.table) PlaceTable(*part.table, x, ClampCoordinate(top), available);
      else PlaceLines(part.lines, x, ClampCoordinate(top), available);
      top += part.height;
    }
  }

  void PlaceLines(const std::vector<Line>& lines, int left, int top, int available) {
    long long y = top;
    for (const Line& line : lines) {
      const long long percentWidth = static_cast<long long>(line.percent) * available / 100;
      const long long width = line.width + percentWidth;
      long long x = left;
      if (line.align == 1) x = left + (available - width) / 2;
      else if (line.align == 2) x = left + available - width;
      const bool justify = line.align == 3 && line.wrapped && line.spaces > 0 && available > width;
      const long long extra = justify ? available - width : 0;
      long long shift = 0;
      int spacesBefore = 0;
      for (const Piece& piece : line.pieces) {
        int pieceExtra = 0;
        if (justify && piece.spaces > 0) {
          pieceExtra = static_cast<int>(extra * (spacesBefore + piece.spaces) / line.spaces - extra * spacesBefore / line.spaces);
          spacesBefore += piece.spaces;
        }
        const int px = ClampCoordinate(x + piece.x + shift);
        PlacePiece(piece, line, px, ClampCoordinate(y), available, pieceExtra);
        shift += pieceExtra;
        if (piece.kind == Piece::kRule && piece.rulePercent >= 0) {
          shift += static_cast<long long>(piece.rulePercent) * available / 100;
        }
      }
      y += static_cast<long long>(line.height) * line.count;
    }
  }

  void PlacePiece(const Piece& piece, const Line& line, int x, int y, int available, int justifyExtra) {
    const long long H = line.height, D = line.descent;
    switch (piece.kind) {
      case Piece::kText: {
        const Style& s = piece.style;
        long long ty = y + H - piece.metrics.ascent - D;
        if (s.valign == 0) ty = y;
        else if (s.valign == 1) ty = y + (H - piece.metrics.height) / 2;
        else if (s.valign == 2) ty = y + H - piece.metrics.ascent;
        const int top = ClampCoordinate(ty);
        TextItem t;
        t.box = {x, top, ClampCoordinate(static_cast<long long>(x) + piece.width + justifyExtra),
                 ClampCoordinate(static_cast<long long>(top) + piece.metrics.height)};
        t.text = piece.text;
        t.font = s.font;
        t.colour = s.textColour;
        t.back = s.backColour;
        t.backMode = s.backMode;
        t.overline = s.overline;
        t.justifyExtra = justifyExtra;
        t.justifyBreaks = justifyExtra ? piece.spaces : 0;
        AddHotArea(s, t.box);
        Emit(std::move(t));
        break;
      }
      case Piece::kImage: {
        const long long h = piece.ascent;
        long long iy = y + H - D - h;
        if (piece.style.valign == 0) iy = y;
        else if (piece.style.valign == 1) iy = y + (H - h) / 2;
        else if (piece.style.valign == 2) iy = y + H - h;
        ImageItem image = piece.image;
        image.rect = {x, ClampCoordinate(iy), ClampCoordinate(static_cast<long long>(x) + piece.width),
                      ClampCoordinate(iy + h)};
        AddHotArea(piece.style, image.rect);
        if (image.frame >= 0) Emit(std::move(image));
        break;
      }
      case Piece::kRule: {
        const long long width = piece.rulePercent >= 0 ? static_cast<long long>(piece.rulePercent) * available / 100
                                                       : piece.width;
        const int mid = ClampCoordinate(y + H / 2);
        Emit(LineItem{{x, mid}, {ClampCoordinate(x + width), mid}, piece.ruleColour, 1, std::max(piece.ruleSize, 1)});
        break;
      }
      case Piece::kGap: break;
    }
  }

  void PlaceBox(const Box& box, const Rect& r, bool tiles) {
    if (box.fillEffect != -1) {
      Emit(FillItem{r, box.fillEffect, box.start, box.middle, box.end, 5});
    } else if (tiles && box.background.kind != ImageSource::kNone) {
      Emit(TileItem{r, box.background});
    }
    if (box.borderStyle != 0 && box.borderWidth > 0) {
      Emit(BorderItem{r, box.light, box.dark, box.borderStyle, box.borderWidth});
    }
  }

  void PlaceTable(const BuiltTable& table, int x, int y, int available) {
    std::vector<int> widths = table.columnWidths;
    long long width = table.width;
    const long long space = table.targetWidth > 0 ? table.targetWidth : available;
    if (width < space) {
      long long spare = space - width;
      long long unfixed = std::count(table.fixed.begin(), table.fixed.end(), false);
      if (unfixed > 0) {
        for (int c = 0; c < table.columns; ++c) {
          if (table.fixed[c]) continue;
          const long long add = spare / unfixed;
          widths[c] = ClampCoordinate(widths[c] + add);
          spare -= add;
          --unfixed;
          width += add;
        }
      } else if (table.align == 1) {
        x = ClampCoordinate(x + (available - width) / 2);
      } else if (table.align == 2) {
        x = ClampCoordinate(x + available - width);
      }
    }
    PlaceBox(table.box, {x, y, ClampCoordinate(x + width), ClampCoordinate(static_cast<long long>(y) + table.height)}, true);
    const int side = SideWidth(table.box);
    const auto starts = [&](const std::vector<int>& sizes, int origin) {
      std::vector<long long> at(sizes.size() + 1);
      long long pos = static_cast<long long>(origin) + side + table.spacing;
      for (std::size_t i = 0; i < sizes.size(); ++i) {
        at[i] = pos;
        pos += sizes[i] + table.spacing + 1;
      }
      at[sizes.size()] = pos;
      return at;
    };
    const std::vector<long long> columnAt = starts(widths, x);
    const std::vector<long long> rowAt = starts(table.rowHeights, y);
    for (const BuiltCell& cell : table.cells) {
      const int lastColumn = cell.column + cell.columnSpan - 1;
      const int lastRow = cell.row + cell.rowSpan - 1;
      const Rect r{ClampCoordinate(columnAt[cell.column]), ClampCoordinate(rowAt[cell.row]),
                   ClampCoordinate(columnAt[lastColumn] + widths[lastColumn]),
                   ClampCoordinate(rowAt[lastRow] + table.rowHeights[lastRow])};
      PlaceBox(cell.box, r, false);
      const long long inset = static_cast<long long>(SideWidth(cell.box)) + table.padding;
      long long cy = r.top + inset;
      if (cell.valign == 1) cy = r.top + (static_cast<long long>(r.Height()) - cell.content.height) / 2;
      else if (cell.valign == 2) cy = r.bottom - inset - cell.content.height;
      PlaceBlock(cell.content, ClampCoordinate(r.left + inset), ClampCoordinate(cy),
                 ClampCoordinate(r.Width() - 2 * inset));
    }
  }
};

LayoutSize HtmlLayout::Measure(const std::vector<Token>& tokens, const LayoutSettings& settings,
                               std::vector<Animation>& animations) {
  animations.clear();
  Impl impl{*this, settings};
  impl.measuring = true;
  impl.animationsOut = &animations;
  impl.StartPass();
  TreeReader reader(tokens);
  const BlockNode tree = reader.ReadBlock(0, false);
  const BuiltBlock block = impl.BuildBlock(tree, settings.wrapWidth);
  return {block.width, block.height};
}

std::vector<DrawItem> HtmlLayout::Draw(const std::vector<Token>& tokens, const LayoutSettings& settings,
                                       const Rect& rect, const std::vector<Animation>& animations,
                                       std::vector<HotArea>& hotAreas) {
  std::vector<DrawItem> items;
  hotAreas.clear();
  Impl impl{*this, settings};
  impl.measuring = false;
  impl.animationsIn = &animations;
  impl.items = &items;
  impl.hotAreas = &hotAreas;
  impl.StartPass();
  TreeReader reader(tokens);
  const BlockNode tree = reader.ReadBlock(0, false);
  const BuiltBlock block = impl.BuildBlock(tree, settings.wrapWidth);
  impl.PlaceBlock(block, rect.left, rect.top, rect.Width());
  return items;
}

}  // namespace mb::html
