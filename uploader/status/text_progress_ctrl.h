// CTextProgressCtrl: a progress control that draws itself: the bar in one colour, the rest in
// another, and a text centred over both, written in the other part's colour on each side. The text
// is the control's own text when it has one, else the upload's percentage from the picture view's
// block counters (through CViewMediator). An empty or reversed range draws nothing.
#pragma once

#include <windows.h>

#include <string>

#include "framework/window.h"

class CTextProgressCtrl : public fw::Window {
 public:
  CTextProgressCtrl();
  ~CTextProgressCtrl() override;

  // A hidden progress control, child id of parent, subclassed to draw itself.
  bool Create(HWND parent, UINT id);

  int Position() const { return position_; }
  int Lower() const { return lower_; }
  int Upper() const { return upper_; }
  // The text drawn now: the own text, else the percentage.
  std::string ShownText() const;

 private:
  LRESULT OnSetRange(const fw::Message& m);
  LRESULT OnSetRange32(const fw::Message& m);
  LRESULT OnGetRange(const fw::Message& m);
  LRESULT OnSetPos(const fw::Message& m);
  LRESULT OnGetPos(const fw::Message& m);
  LRESULT OnSetStep(const fw::Message& m);
  LRESULT OnStepIt(const fw::Message& m);
  LRESULT OnSetText(const fw::Message& m);
  LRESULT OnGetText(const fw::Message& m);
  LRESULT OnGetTextLength(const fw::Message& m);
  LRESULT OnSize(const fw::Message& m);
  LRESULT OnEraseBkgnd(const fw::Message& m);
  LRESULT OnPaint(const fw::Message& m);

  // Stores the position; repaints at once when the bar's width changes. Returns the former one.
  int MoveTo(int position);
  int BarWidth() const;
  void Draw(HDC dc, const RECT& client) const;

  int position_ = 0;
  int step_ = 1;
  int upper_ = 100;
  int lower_ = 0;
  std::string text_;
  int showText_ = 1;
  int lastWidth_ = -1;
  COLORREF barColour_;
  COLORREF backColour_;
  COLORREF textOverBack_;
  COLORREF textOverBar_;
};
