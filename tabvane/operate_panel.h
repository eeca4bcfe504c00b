// The window behind CImageOperateTabvane: its controls and what they send to the editor.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/window.h"

namespace tabvane {

// Control ids, fixed for tests.
enum ControlId : UINT {
  kStripButton = 3001,
  kWatermarkList = 3010,
  kPlaceFirst = 3011,  // 3011-3019: place codes 1-9
  kAddWatermark = 3020,
  kRemoveWatermark = 3021,
  kMoveWatermark = 3022,
  kMoveX = 3023,
  kMoveY = 3024,
  kPlaceAgain = 3025,
  kText = 3030,
  kAddText = 3031,
  kRemoveText = 3032,
  kFrameList = 3040,
  kAddFrame = 3041,
  kRemoveFrame = 3042,
};

constexpr UINT kPanelId = 1002;

}  // namespace tabvane

class OperatePanel : public fw::Window {
 public:
  OperatePanel();
  bool Create(HWND parent, const RECT& rect);
  void Init();
  void SetImageFilePath(const std::string& path) { imagePath_ = path; }

 protected:
  fw::WindowClassSpec ClassSpec() const override;

 private:
  LRESULT OnCreate(const fw::Message&);
  LRESULT OnPointBack(const fw::Message& m);
  LRESULT OnColour(const fw::Message& m);
  LRESULT OnPaint(const fw::Message&);
  void OnStrip();
  void OnAddWatermark();
  void OnRemoveWatermark();
  void OnMoveWatermark();
  void OnPlaceAgain();
  void OnPlaceChosen();
  void OnWatermarkChosen();
  void OnAddText();
  void OnRemoveText();
  void OnAddFrame();
  void OnRemoveFrame();

  HWND MakeControl(const char* type, const char* text, DWORD style, int x, int y, int w, int h, UINT id);
  void FillList(UINT listId, const std::string& folder, std::vector<std::string>& paths);
  int PlaceCode() const;
  void SendText(const std::string& text);
  LRESULT ToParent(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

  std::string imagePath_;
  std::vector<std::string> watermarks_;
  std::vector<std::string> frames_;
  bool watermarkShown_ = false;
  POINT lastPoint_ = {0, 0};
  HFONT font_ = nullptr;
};
