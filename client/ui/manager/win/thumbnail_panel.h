// ThumbnailPanel: the "已选壁纸" strip of the wallpaper manager page, five thumbnails at a time
// in the carousel's order. Every change it keeps goes to the client's wallpaper list and
// wallpaper.dat through Save.
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "client/ui/manager/thumbnail_strip.h"
#include "client/ui/skin/win/skin_element_host.h"
#include "framework/window.h"

namespace mb {

// What the panel tells its page (SendMessage, wParam and lParam 0).
constexpr UINT WM_PANEL_APPLY_CAROUSEL = 0x465;
constexpr UINT WM_PANEL_SCROLL_LEFT = 0x469;
constexpr UINT WM_PANEL_SCROLL_RIGHT = 0x46A;
constexpr UINT WM_PANEL_CAROUSEL_ON = 0x46B;
constexpr UINT WM_PANEL_CAROUSEL_OFF = 0x46C;
constexpr UINT WM_PANEL_APPLY_MARK = 0x46D;

// Commands of the panel's picture menu.
constexpr UINT kPanelRemove = 32776;
constexpr UINT kPanelMoveEarlier = 32777;
constexpr UINT kPanelMoveLater = 32778;
constexpr UINT kPanelPreview = 32779;
// The panel's elements with a command: "应用", "预览" (every picture) and the two arrows.
constexpr UINT kPanelApply = 20108;
constexpr UINT kPanelPreviewAll = 20111;
constexpr UINT kPanelArrowLeft = 20121;
constexpr UINT kPanelArrowRight = 20122;

class ThumbnailPanel : public fw::Window {
 public:
  // Loads the pictures of the client's wallpaper list (missing, non-picture and repeated paths
  // drop out).
  explicit ThumbnailPanel(int layout);
  // Writes the order back into the client's wallpaper list (not the file).
  ~ThumbnailPanel() override;

  HWND CreatePanel(HWND page, const RECT& place);

  // False for a missing file, a name that is no picture, or a path already in the strip.
  bool AddPicture(const std::string& path);
  void RemoveItem(int index);
  void RemoveFolderPictures(const std::string& folder);
  void RemovePicture(const std::string& path);
  // The wallpaper list becomes the strip's paths, and wallpaper.dat is written.
  bool Save();
  int GetCount() const { return strip_.Count(); }
  std::string GetItemPath(int index) const { return strip_.PathAt(index); }
  const std::vector<std::string>& Paths() const { return strip_.Paths(); }
  // Every picture in strip order in the picture preview; nothing for an empty strip.
  void PreviewAll() const;
  void ScrollForward();
  void ScrollBack();
  int FirstVisible() const { return strip_.FirstVisible(); }
  // A command of the picture menu for that item.
  void RunMenuCommand(UINT command, int item);
  // The panel's backdrop (its skin backgrounds, no thumbnails) painted on dc with the panel's
  // top-left at origin: controls of the page that sit over the panel show it behind them.
  void DrawBackdrop(HDC dc, POINT origin) const;
  skin::SkinElementSet& Elements() { return skin_.Elements(); }

 protected:
  fw::WindowClassSpec ClassSpec() const override;

 private:
  LRESULT OnPaint(const fw::Message& m);
  LRESULT OnButtonDown(const fw::Message& m);
  LRESULT OnButtonUp(const fw::Message& m);
  LRESULT OnMouseMove(const fw::Message& m);
  LRESULT OnCaptureLost(const fw::Message& m);
  LRESULT OnDoubleClick(const fw::Message& m);
  LRESULT OnContextMenu(const fw::Message& m);
  LRESULT OnMenuCommand(const fw::Message& m);
  void Repaint();
  void DrawSlots(HDC dc) const;
  HBITMAP ThumbnailOf(const std::string& path) const;
  // Deletes the thumbnails of pictures no longer in the strip.
  void DropUnusedThumbnails();
  void TrackHover(int item);

  int layout_;
  manager::ThumbnailStrip strip_;
  skin::SkinElementHost skin_;
  std::map<std::string, HBITMAP> thumbnails_;  // by lower-cased path; the panel owns them
  int selected_ = -1;
  int hover_ = -1;
  bool captured_ = false;
  int menuItem_ = -1;
};

}  // namespace mb
