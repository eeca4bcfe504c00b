#include "client/ui/skin/skin_element.h"

namespace mb::skin {
namespace {

constexpr Colour kButtonText = 0xFFFFFF;
constexpr Colour kButtonDisabledText = 0x003859;
constexpr Colour kTextDisabled = 0xC0C0C0;
constexpr unsigned kOneLine = text_format::kVCenter | text_format::kSingleLine | text_format::kEndEllipsis;

int CentredTop(const Rect& r, int height) { return r.top + (r.Height() - height) / 2; }

}  // namespace

int SkinElement::OnMouseMove(unsigned, int, int) { return -1; }
int SkinElement::OnLButtonUp(unsigned, int, int) { return -1; }
int SkinElement::OnLButtonDown(unsigned, int, int) { return -1; }

void SkinElement::Layout(int, int cx, int cy, const SkinImages*) { rect_ = AnchorRect(stored_, cx, cy); }

bool SkinElement::HitTest(int x, int y) const {
  if (hidden_ || !enabled_) return false;
  return rect_.Contains(x, y);
}

void SkinButtonElement::Draw(SkinCanvas& canvas, bool isHot, bool isPressed) const {
  if (IsHidden()) return;
  const std::string& image = images_[ImageStateIndex(IsEnabled(), isHot, isPressed)];
  const std::optional<Size> size = canvas.ImageSize(image);
  if (!size) return;
  const Rect& r = CurrentRect();
  canvas.DrawBlits(image, ButtonBackgroundBlits(*size, r));
  if (Text().empty()) return;
  Rect textRect = r;
  textRect.left += textInset_;
  canvas.DrawLabel(Text(), textRect, textFormat_ | kOneLine, IsEnabled() ? kButtonText : kButtonDisabledText,
                  SkinFont::kGui);
}

const StateImages& SkinPushButtonElement::BackgroundImages() {
  static const StateImages images{"button_normal", "button_focus", "button_down", "button_disable"};
  return images;
}

void SkinPushButtonElement::Draw(SkinCanvas& canvas, bool isHot, bool isPressed) const {
  if (IsHidden()) return;
  const int state = ImageStateIndex(IsEnabled(), isHot, isPressed);
  const std::string& image = BackgroundImages()[state];
  const std::optional<Size> size = canvas.ImageSize(image);
  if (!size) return;
  const Rect& r = CurrentRect();
  canvas.DrawBlits(image, PushButtonBackgroundBlits(*size, r));

  const bool hasIcon = !iconName_.empty();
  if (!Text().empty()) {
    Rect textRect = r;
    if (hasIcon) {
      if (iconOnRight_) {
        textRect.right -= iconWidth_ + 5;
      } else {
        textRect.left += iconWidth_ + 5;
      }
    }
    const Colour colour = OwnerLayout() == 3 ? 0xFFFFFF : 0x000000;
    canvas.DrawLabel(Text(), textRect, text_format::kCenter | kOneLine, colour, SkinFont::kSongTi9);
  }
  if (!hasIcon) return;
  const std::optional<Size> icon = canvas.ImageSize(iconName_);
  if (!icon) return;
  // Icon strips hold three frames: normal, hot and disabled. Pressed shows the hot frame.
  const int third = icon->cx / 3;
  const int frame = state == 3 ? 2 : (state == 0 ? 0 : 1);
  const int x = iconOnRight_ ? r.right - iconWidth_ - 5 : r.left + 5;
  canvas.DrawImagePart(iconName_, x, CentredTop(r, icon->cy), RectFromSize(frame * third, 0, third, icon->cy));
}

void SkinTextElement::Draw(SkinCanvas& canvas, bool isHot, bool isPressed) const {
  if (IsHidden()) return;
  Rect r = CurrentRect();
  if (isHot && isPressed) {
    r.left += 2;
    r.top += 2;
  }
  const bool hasIcon = !iconName_.empty();
  if (!Text().empty()) {
    Rect textRect = r;
    if (hasIcon) {
      if (iconOnRight_) {
        textRect.right -= iconSpacing_;
      } else {
        textRect.left += iconSpacing_;
      }
    }
    const SkinFont font = isHot && underlineWhenHot_ ? SkinFont::kGuiUnderline : SkinFont::kGui;
    canvas.DrawLabel(Text(), textRect, text_format::kLeft | kOneLine, IsEnabled() ? colour_ : kTextDisabled, font);
  }
  if (!hasIcon) return;
  const std::optional<Size> icon = canvas.ImageSize(iconName_);
  if (!icon) return;
  const int x = iconOnRight_ ? r.right - iconSpacing_ : r.left;
  canvas.DrawImage(iconName_, x, CentredTop(r, icon->cy));
}

}  // namespace mb::skin
