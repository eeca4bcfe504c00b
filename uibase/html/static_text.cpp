#include "uibase/html/static_text.h"

#include <cstdio>

#include "common/gbk_text.h"

namespace mb::html {

namespace {

std::string Hex6(std::uint32_t v) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%06X", static_cast<unsigned>(v));
  return buffer;
}

std::string Hex(std::uint32_t v) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%X", static_cast<unsigned>(v));
  return buffer;
}

long long MulDivRounded(long long a, long long b, long long c) {
  const long long p = a * b;
  return p >= 0 ? (p + c / 2) / c : -((-p + c / 2) / c);
}

}  // namespace

std::string HyperlinkText(std::string_view text, std::string_view target, bool isMessage) {
  // The tag ends at the first ">" and a quoted value at its own quote: such characters of the
  // target are percent-encoded, so that the target stays whole.
  std::string kept = GbkReplaceAll(target, ">", "%3E");
  const bool hasDouble = GbkFind(kept, '"') != std::string_view::npos;
  const bool hasSingle = GbkFind(kept, '\'') != std::string_view::npos;
  if (hasDouble && hasSingle) kept = GbkReplaceAll(kept, "\"", "%22");
  const char quote = hasDouble && !hasSingle ? '\'' : '"';
  std::string out = isMessage ? "<a msg=" : "<a href=";
  out += quote;
  out += kept;
  out += quote;
  out += '>';
  out += GbkReplaceAll(text, "<", "<<");
  out += "</a>";
  return out;
}

std::string LinkStyleText(Colour colour, bool underline) {
  return "color:" + Hex6(colour) + "; text-decoration:" + (underline ? "underline" : "none");
}

std::string BodyStyleText(long height, Colour colour, std::string_view face, long weight, bool italic) {
  std::string out = "font-size:" + std::to_string(height) + "pt; color:" + Hex6(colour) + "; font-family:" +
                    std::string(face) + "; font-weight:" + std::to_string(weight);
  if (italic) out += "; font-style:italic";
  return out;
}

std::string ColouredText(std::string_view text, Colour colour) {
  return "<font color=" + Hex6(colour) + ">" + std::string(text) + "</font>";
}

std::string ImageTag(const ImageTagSpec& spec) {
  const std::string source = spec.byHandle ? "handle=" + Hex(spec.value) : "idres=" + std::to_string(spec.value);
  const std::string mask = spec.mask == kNoMask ? "" : " mask=" + Hex6(spec.mask);
  const std::string frame =
      spec.frame ? " cx=" + std::to_string(spec.frame->width) + ", cy=" + std::to_string(spec.frame->height) : "";
  switch (spec.kind) {
    case ImageTagSpec::kIcon: return "<icon " + source + ">";
    case ImageTagSpec::kBitmap: return "<bmp " + source + mask + ">";
    case ImageTagSpec::kStrip:
      if (spec.animated) return "<ilst index=0 " + source + mask + frame + " speed=1>";
      return "<ilst index=" + std::to_string(spec.index) + " " + source + mask + frame + ">";
  }
  return {};
}

std::string ZoomedImageText(std::string_view tag, const ZoomInput& z) {
  std::string out(tag.substr(0, tag.empty() ? 0 : tag.size() - 1));
  if (z.zoomX == 0) out += " width=" + std::to_string(z.clientWidth - 2 * z.marginX - 1);
  else if (z.imageWidth >= 0) out += " width=" + std::to_string(MulDivRounded(z.imageWidth, z.zoomX, 100));
  else out += " width=" + std::to_string(z.zoomX) + "%";
  if (z.zoomY == 0) out += " height=" + std::to_string(z.clientHeight - 2 * z.marginY);
  else if (z.imageHeight >= 0) out += " height=" + std::to_string(MulDivRounded(z.imageHeight, z.zoomY, 100));
  else out += " height=" + std::to_string(z.zoomY) + "%";
  return out + ">";
}

Rect PlaceStaticText(const PlacementInput& in) {
  std::uint32_t horizontal = in.align & 3, vertical = in.align & 12;
  if (!horizontal) horizontal = in.styleAlign == 1 ? kStaticCenter : in.styleAlign == 2 ? kStaticRight : kStaticLeft;
  if (!vertical) vertical = in.styleCenterImage ? kStaticVCenter : kStaticTop;
  const Rect& c = in.client;
  int x = in.marginX, y = in.marginY;
  if (horizontal == kStaticRight) x = c.right - in.marginX - in.width - c.left;
  else if (horizontal == kStaticCenter) x = (c.right - in.width - c.left) / 2;
  if (vertical == kStaticBottom) y = c.bottom - in.marginY - in.height - c.top;
  else if (vertical == kStaticVCenter) y = (c.bottom - in.height - c.top) / 2;
  return {c.left + x, c.top + y, c.left + x + in.width, c.top + y + in.height};
}

}  // namespace mb::html
