// What the HTML static control composes from its setters (link, styles, image tags with zoom)
// and where it places the measured text in its client area.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "uibase/html/html_types.h"

namespace mb::html {

// "<a href=...>" or "<a msg=...>" around the text; a target holding a double quote is written in
// single quotes, and a "<" of the text is doubled so that it shows.
std::string HyperlinkText(std::string_view text, std::string_view target, bool isMessage);
// "color:0x%06X; text-decoration:underline" (or "none").
std::string LinkStyleText(Colour colour, bool underline);
// The "body" entry made from a font: height as it stands, in points.
std::string BodyStyleText(long height, Colour colour, std::string_view face, long weight, bool italic);
std::string ColouredText(std::string_view text, Colour colour);

constexpr std::uint32_t kNoMask = 0xFFFFFFFF;

struct ImageTagSpec {
  enum Kind { kIcon, kBitmap, kStrip };
  Kind kind = kBitmap;
  bool byHandle = false;
  std::uint32_t value = 0;  // resource id or handle
  std::uint32_t index = 0;  // strips: the frame
  bool animated = false;    // strips: from frame 0 at speed 1
  std::optional<ImageSize> frame;
  std::uint32_t mask = kNoMask;
};

std::string ImageTag(const ImageTagSpec& spec);

struct ZoomInput {
  int zoomX = 100;
  int zoomY = 100;
  int imageWidth = -1;  // known image size, or -1
  int imageHeight = -1;
  int clientWidth = 0;
  int clientHeight = 0;
  int marginX = 0;
  int marginY = 0;
};

// The image tag with its width and height attributes: the known size times the zoom, the zoom
// as a percentage, or for zoom 0 the client area less the margins.
std::string ZoomedImageText(std::string_view tag, const ZoomInput& zoom);

enum StaticAlign : std::uint32_t {
  kStaticLeft = 1, kStaticRight = 2, kStaticCenter = 3, kStaticTop = 4, kStaticBottom = 8, kStaticVCenter = 12,
};

struct PlacementInput {
  Rect client;
  std::uint32_t align = 0;   // flags above; 0 in either half: from the window style
  int styleAlign = 0;        // the style's horizontal alignment: 0 left, 1 centre, 2 right
  bool styleCenterImage = false;
  int marginX = 0;
  int marginY = 0;
  int width = 0;             // the measured size, already limited to the client size
  int height = 0;
};

Rect PlaceStaticText(const PlacementInput& in);

}  // namespace mb::html
