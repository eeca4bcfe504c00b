#include "client/ui/skin/skin_element_set.h"

#include <algorithm>
#include <utility>

namespace mb::skin {
namespace {

// The labels of the thumbnail panel: a button press stops at the first of them.
bool StopsButtonDown(int id) {
  return id == 20112 || id == 20113 || id == 20114 || id == 20123 || id == 20124 || id == 20125;
}

}  // namespace

class SkinElementSet::WalkGuard {
 public:
  explicit WalkGuard(SkinElementSet& set) : set_(set) { ++set_.walkDepth_; }
  ~WalkGuard() {
    if (--set_.walkDepth_ == 0) set_.retired_.clear();
  }
  WalkGuard(const WalkGuard&) = delete;
  WalkGuard& operator=(const WalkGuard&) = delete;

 private:
  SkinElementSet& set_;
};

SkinElementSet::~SkinElementSet() = default;

template <typename Fn>
void SkinElementSet::Walk(Fn&& fn) {
  WalkGuard guard(*this);
  std::vector<int> ids;
  ids.reserve(elements_.size());
  for (const auto& entry : elements_) ids.push_back(entry.first);
  for (int id : ids) {
    auto it = elements_.find(id);
    if (it == elements_.end()) continue;
    if (!fn(*it->second)) break;
  }
}

void SkinElementSet::SetOwnerWindow(SkinOwner* owner) {
  owner_ = owner;
  for (auto& entry : elements_) entry.second->AttachOwner(owner);
}

SkinElement* SkinElementSet::GetElement(int id) const {
  auto it = elements_.find(id);
  return it == elements_.end() ? nullptr : it->second.get();
}

void SkinElementSet::Retire(std::unique_ptr<SkinElement> element) {
  if (walkDepth_ > 0) retired_.push_back(std::move(element));
}

void SkinElementSet::InsertElement(std::unique_ptr<SkinElement> element) {
  element->AttachOwner(owner_);
  std::unique_ptr<SkinElement>& slot = elements_[element->Id()];
  std::unique_ptr<SkinElement> old = std::move(slot);
  slot = std::move(element);
  Retire(std::move(old));
}

SkinPushButtonElement* SkinElementSet::AddPushButtonElement(int id, std::string text, int left, int top, int right,
                                                            int bottom, bool visible, std::string iconName) {
  auto element = std::make_unique<SkinPushButtonElement>(id);
  element->SetText(std::move(text));
  element->SetStoredRect({left, top, right, bottom});
  element->SetHidden(!visible);
  element->SetIcon(std::move(iconName), false);
  return Insert(std::move(element));
}

SkinTextElement* SkinElementSet::AddTextElement(int id, std::string text, int left, int top, int right, int bottom,
                                                Colour colour, bool visible, std::string iconName, bool iconOnRight) {
  auto element = std::make_unique<SkinTextElement>(id);
  element->SetText(std::move(text));
  element->SetStoredRect({left, top, right, bottom});
  element->SetColour(colour);
  element->SetHidden(!visible);
  element->SetIcon(std::move(iconName), iconOnRight);
  return Insert(std::move(element));
}

void SkinElementSet::LayoutElements(int kind, int cx, int cy, const SkinImages* images) {
  for (auto& entry : elements_) entry.second->Layout(kind, cx, cy, images);
}

void SkinElementSet::Draw(SkinCanvas* canvas) const {
  if (!canvas) return;
  for (const auto& entry : elements_) {
    const bool hot = entry.first == hotId_;
    entry.second->Draw(*canvas, hot, hot && pressed_);
  }
}

int SkinElementSet::HitTest(int x, int y) const {
  for (const auto& entry : elements_) {
    if (entry.second->HitTest(x, y)) return entry.first;
  }
  return -1;
}

void SkinElementSet::InvalidateElement(int id, bool erase) const {
  const SkinElement* element = GetElement(id);
  if (element && owner_) owner_->Invalidate(element->CurrentRect(), erase);
}

int SkinElementSet::OnMouseMove(unsigned flags, int x, int y) {
  Walk([&](SkinElement& e) {
    e.OnMouseMove(flags, x, y);
    return true;
  });
  const int hot = HitTest(x, y);
  if (hot != hotId_) {
    const int old = hotId_;
    hotId_ = hot;
    InvalidateElement(old, true);
    InvalidateElement(hotId_, true);
  }
  return hotId_;
}

int SkinElementSet::OnLButtonDown(unsigned flags, int x, int y) {
  bool stopped = false;
  bool refused = false;
  if (buttonDownDepth_++ == 0) releasedDuringDown_ = false;
  holdRelease_ = false;
  Walk([&](SkinElement& e) {
    if (StopsButtonDown(e.Id())) {
      stopped = true;
      return false;
    }
    if (e.OnLButtonDown(flags, x, y) == kClickRefused) refused = true;
    return true;
  });
  --buttonDownDepth_;
  // Unless its release has already been handled, the release of a refused click is kept from
  // the elements.
  holdRelease_ = refused && !releasedDuringDown_;
  if (stopped) return -1;
  pressed_ = true;
  const int old = hotId_;
  hotId_ = HitTest(x, y);
  InvalidateElement(old, true);
  InvalidateElement(hotId_, true);
  return hotId_;
}

int SkinElementSet::OnLButtonUp(unsigned flags, int x, int y) {
  if (buttonDownDepth_ > 0) releasedDuringDown_ = true;
  if (!std::exchange(holdRelease_, false)) {
    // Only the element under the release hears it: a tab bar released elsewhere (a click on
    // another element) keeps its hot tab, which marks the current page in layouts 2 and 3.
    Walk([&](SkinElement& e) {
      if (e.HitTest(x, y)) e.OnLButtonUp(flags, x, y);
      return true;
    });
  }
  pressed_ = false;
  const int old = hotId_;
  hotId_ = HitTest(x, y);
  InvalidateElement(old, true);
  InvalidateElement(hotId_, true);
  if (hotId_ >= 0 && owner_) owner_->PostCommand(hotId_);
  return hotId_;
}

void SkinElementSet::ShowElement(SkinElement* element, bool show) {
  if (!element) return;
  element->SetHidden(!show);
  if (owner_) owner_->Invalidate(element->CurrentRect(), true);
}

void SkinElementSet::SetElementText(int id, std::string text) {
  SkinElement* element = GetElement(id);
  if (!element) return;
  element->SetText(std::move(text));
  element->SetHidden(false);
  if (owner_) owner_->Invalidate(element->CurrentRect(), true);
}

std::string SkinElementSet::GetElementText(int id) const {
  const SkinElement* element = GetElement(id);
  return element ? element->Text() : std::string();
}

void SkinElementSet::RemoveAll() {
  auto elements = std::move(elements_);
  elements_.clear();
  for (auto& entry : elements) Retire(std::move(entry.second));
}

}  // namespace mb::skin
