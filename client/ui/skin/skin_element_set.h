// The skin elements of one window, keyed by command id. It tracks the hot and pressed element
// from the owner's mouse messages, paints the elements in ascending id order and turns a click
// into a posted WM_COMMAND carrying the id of the element under the cursor.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "client/ui/skin/skin_element.h"

namespace mb::skin {

class SkinPushButtonElement;
class SkinTextElement;

class SkinElementSet {
 public:
  SkinElementSet() = default;
  ~SkinElementSet();
  SkinElementSet(const SkinElementSet&) = delete;
  SkinElementSet& operator=(const SkinElementSet&) = delete;

  void SetOwnerWindow(SkinOwner* owner);
  SkinOwner* OwnerWindow() const { return owner_; }

  SkinElement* GetElement(int id) const;
  SkinPushButtonElement* AddPushButtonElement(int id, std::string text, int left, int top, int right, int bottom,
                                              bool visible, std::string iconName);
  SkinTextElement* AddTextElement(int id, std::string text, int left, int top, int right, int bottom,
                                  Colour colour, bool visible, std::string iconName, bool iconOnRight);
  // Inserts an element under its id; an element already there is replaced.
  template <typename T>
  T* Insert(std::unique_ptr<T> element) {
    T* raw = element.get();
    InsertElement(std::move(element));
    return raw;
  }

  void LayoutElements(int kind, int cx, int cy, const SkinImages* images);
  // Paints every element; without a canvas (no skin scheme) nothing is drawn.
  void Draw(SkinCanvas* canvas) const;
  // Id of the first element (ascending id) that contains the point, or -1.
  int HitTest(int x, int y) const;

  // Mouse calls from WM_MOUSEMOVE, WM_LBUTTONDOWN and WM_LBUTTONUP; each returns the hot id.
  int OnMouseMove(unsigned flags, int x, int y);
  int OnLButtonDown(unsigned flags, int x, int y);
  int OnLButtonUp(unsigned flags, int x, int y);

  void ShowElement(SkinElement* element, bool show);
  // Replaces the text and shows the element; unknown ids do nothing.
  void SetElementText(int id, std::string text);
  std::string GetElementText(int id) const;
  void RemoveAll();

  int HotId() const { return hotId_; }
  bool IsPressed() const { return pressed_; }

 private:
  // Elements are walked by id, looked up afresh at each step: a command sent to the owner in
  // the middle of a walk may run a modal loop that changes the set. Elements taken out while a
  // walk runs are kept alive until it ends.
  class WalkGuard;
  template <typename Fn>
  void Walk(Fn&& fn);

  void InsertElement(std::unique_ptr<SkinElement> element);
  void Retire(std::unique_ptr<SkinElement> element);
  void InvalidateElement(int id, bool erase) const;

  std::map<int, std::unique_ptr<SkinElement>> elements_;
  std::vector<std::unique_ptr<SkinElement>> retired_;
  SkinOwner* owner_ = nullptr;
  int hotId_ = -1;
  bool pressed_ = false;
  int walkDepth_ = 0;
  int buttonDownDepth_ = 0;        // button-down walks running (an owner may answer modally)
  bool releasedDuringDown_ = false;  // a release came while a button-down was being answered
  bool holdRelease_ = false;         // the next release belongs to a refused click
};

}  // namespace mb::skin
