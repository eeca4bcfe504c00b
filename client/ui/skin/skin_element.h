// The drawable parts of a skinned window: image buttons, push buttons and labels. Each element
// is keyed by its command id in a SkinElementSet, which feeds it the owner's mouse messages.
#pragma once

#include <array>
#include <string>

#include "client/ui/skin/skin_canvas.h"

namespace mb::skin {

// What an element's OnLButtonDown answers when its owner refused the click (a tab whose page the
// owner will not show). The set then keeps the release of that click from the elements, so
// that neither the refused tab nor the tab of the page still shown changes its look.
constexpr int kClickRefused = -2;

class SkinElement {
 public:
  explicit SkinElement(int id) : id_(id) {}
  virtual ~SkinElement() = default;
  SkinElement(const SkinElement&) = delete;
  SkinElement& operator=(const SkinElement&) = delete;

  virtual void Draw(SkinCanvas& canvas, bool isHot, bool isPressed) const = 0;
  // Mouse calls forwarded by the set; the base does nothing and answers -1.
  virtual int OnMouseMove(unsigned flags, int x, int y);
  virtual int OnLButtonUp(unsigned flags, int x, int y);
  virtual int OnLButtonDown(unsigned flags, int x, int y);
  // Applies the anchor rule to the stored rectangle for an owner of cx x cy pixels.
  virtual void Layout(int kind, int cx, int cy, const SkinImages* images);
  // False when hidden or disabled, else whether the point lies in the current rectangle.
  virtual bool HitTest(int x, int y) const;

  int Id() const { return id_; }
  const std::string& Text() const { return text_; }
  void SetText(std::string text) { text_ = std::move(text); }
  const Rect& CurrentRect() const { return rect_; }
  const Rect& StoredRect() const { return stored_; }
  void SetStoredRect(const Rect& r) { stored_ = r; }
  bool IsHidden() const { return hidden_; }
  void SetHidden(bool hidden) { hidden_ = hidden; }
  bool IsEnabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }

  // The set's owner; set when the element is inserted.
  void AttachOwner(SkinOwner* owner) { owner_ = owner; }

 protected:
  SkinOwner* Owner() const { return owner_; }
  int OwnerLayout() const { return owner_ ? owner_->SkinLayout() : 1; }

 private:
  int id_;
  std::string text_;
  Rect rect_;
  Rect stored_;
  bool hidden_ = false;
  bool enabled_ = true;
  SkinOwner* owner_ = nullptr;
};

// Names of the four state images: normal, focus (hot), down (pressed), disable.
using StateImages = std::array<std::string, 4>;

// An image button with an optional label.
class SkinButtonElement : public SkinElement {
 public:
  using SkinElement::SkinElement;
  void Draw(SkinCanvas& canvas, bool isHot, bool isPressed) const override;

  void SetImages(StateImages images) { images_ = std::move(images); }
  const StateImages& Images() const { return images_; }
  void SetTextFormat(unsigned format) { textFormat_ = format; }
  void SetTextInset(int inset) { textInset_ = inset; }

 private:
  StateImages images_;
  unsigned textFormat_ = text_format::kLeft;
  int textInset_ = 30;
};

// A push button on the skin's shared button images, with a centred label and an optional icon.
class SkinPushButtonElement : public SkinElement {
 public:
  static const StateImages& BackgroundImages();

  using SkinElement::SkinElement;
  void Draw(SkinCanvas& canvas, bool isHot, bool isPressed) const override;

  void SetIcon(std::string name, bool onRight) {
    iconName_ = std::move(name);
    iconOnRight_ = onRight;
  }
  void SetIconWidth(int width) { iconWidth_ = width; }

 private:
  std::string iconName_;
  bool iconOnRight_ = false;
  int iconWidth_ = 16;
};

// A label with an optional icon beside it.
class SkinTextElement : public SkinElement {
 public:
  using SkinElement::SkinElement;
  void Draw(SkinCanvas& canvas, bool isHot, bool isPressed) const override;

  void SetIcon(std::string name, bool onRight) {
    iconName_ = std::move(name);
    iconOnRight_ = onRight;
  }
  void SetIconSpacing(int spacing) { iconSpacing_ = spacing; }
  void SetColour(Colour colour) { colour_ = colour; }
  Colour GetColour() const { return colour_; }
  void SetUnderlineWhenHot(bool underline) { underlineWhenHot_ = underline; }

 private:
  std::string iconName_;
  bool iconOnRight_ = false;
  int iconSpacing_ = 12;
  Colour colour_ = 0xFFFFFF;
  bool underlineWhenHot_ = false;
};

}  // namespace mb::skin
