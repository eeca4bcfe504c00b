// What the skin elements need from their surroundings, as interfaces: the skin's images (sizes
// and drawing, through the skin engine's current scheme) and the owner window (repaints and
// commands). The Windows side implements them over an HDC and an HWND; tests record the calls.
#pragma once

#include <optional>
#include <string_view>

#include "client/ui/skin/skin_geometry.h"

namespace mb::skin {

// DrawText alignment bits, same values as the DT_ constants.
namespace text_format {
constexpr unsigned kLeft = 0x0000;
constexpr unsigned kCenter = 0x0001;
constexpr unsigned kVCenter = 0x0004;
constexpr unsigned kSingleLine = 0x0020;
constexpr unsigned kEndEllipsis = 0x8000;
}  // namespace text_format

// The fonts the elements draw with.
enum class SkinFont {
  kGui,            // a copy of DEFAULT_GUI_FONT
  kGuiUnderline,   // the same, underlined
  kGuiBold,        // the same with weight 700
  kSongTi9,        // "宋体" at 9 points, DEFAULT_CHARSET
};

// Sizes of the named images of the active skin.
class SkinImages {
 public:
  virtual ~SkinImages() = default;
  // Width and height of the named image; nothing when the skin has no such image.
  virtual std::optional<Size> ImageSize(std::string_view name) const = 0;
};

// A paint target with the active skin's scheme behind it. Text is drawn with a transparent
// background; stretching uses SRCCOPY in HALFTONE mode.
class SkinCanvas : public SkinImages {
 public:
  // The whole named image at its natural size with its top-left corner at (x, y).
  virtual void DrawImage(std::string_view name, int x, int y) = 0;
  // The part src of the named image, unscaled, with its top-left corner at (x, y).
  virtual void DrawImagePart(std::string_view name, int x, int y, const Rect& src) = 0;
  // The part src of the named image scaled into dst.
  virtual void StretchImagePart(std::string_view name, const Rect& dst, const Rect& src) = 0;
  virtual void DrawLabel(std::string_view text, const Rect& r, unsigned format, Colour colour, SkinFont font) = 0;

  // Runs a list of blits of one image.
  void DrawBlits(std::string_view name, const std::vector<ImageBlit>& blits);
};

// The window that owns a set of elements.
class SkinOwner {
 public:
  virtual ~SkinOwner() = default;
  // The client's skin layout, 1 to 3.
  virtual int SkinLayout() const = 0;
  virtual void Invalidate(const Rect& r, bool erase) = 0;
  // WM_COMMAND with wParam = id, lParam 0, posted.
  virtual void PostCommand(int id) = 0;
  // The same, sent; the owner's answer comes back.
  virtual long SendCommand(int id) = 0;
};

}  // namespace mb::skin
