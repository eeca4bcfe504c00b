// FloatWindow: the small always-on-top box that stays on the desktop while the main window is
// hidden. A picture file dropped on it opens the upload page with that picture; its skin buttons
// step the wallpaper back and forth; a double click brings the main window back; its context
// menu offers the main window's commands. OLE lives on the UI thread as long as the box does.
#pragma once

#include <ole2.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "client/ui/skin/win/skin_element_host.h"
#include "framework/tooltip.h"
#include "framework/window.h"

namespace mb {

// What the box hands on to the rest of the client.
struct FloatWindowLinks {
  // A dropped picture: the main window opens the upload page with it.
  std::function<void(const std::string& path)> openPicture;
  // The carousel buttons: -1 the previous wallpaper, +1 the next (default: the tray frame's carousel).
  std::function<void(int step)> stepWallpaper;
};

class FloatWindow : public fw::Window, public IDropTarget {
 public:
  static constexpr int kDefaultWidth = 38;
  static constexpr int kDefaultHeight = 34;
  static constexpr int kRightMargin = 100;  // left = screen width - kRightMargin
  static constexpr int kTop = 40;
  static constexpr UINT kPreviousWallpaper = 20400;
  static constexpr UINT kNextWallpaper = 20401;
  // Sent to the main window by a double click when nothing else brings it forward.
  static constexpr UINT kOwnerNudgeMessage = 4001;

  explicit FloatWindow(FloatWindowLinks links);
  ~FloatWindow() override;

  // Creates the box owned by owner, shows it when show is set and registers it as a drop target.
  HWND Create(HWND owner, bool show);
  HWND Owner() const { return owner_; }
  HWND ToolTipWindow() const { return tip_.Handle(); }

  // IDropTarget. The box's lifetime is its owner's: the counts only follow OLE's references.
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
  STDMETHODIMP DragOver(DWORD keys, POINTL point, DWORD* effect) override;
  STDMETHODIMP DragLeave() override;
  STDMETHODIMP Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;

 private:
  LRESULT OnEraseBackground(const fw::Message& m);
  LRESULT OnLButtonDown(const fw::Message& m);
  LRESULT OnMouse(const fw::Message& m);
  LRESULT OnLButtonDoubleClick(const fw::Message& m);
  LRESULT OnContextMenu(const fw::Message& m);
  LRESULT OnActivate(const fw::Message& m);
  LRESULT OnNotify(const fw::Message& m);
  LRESULT OnCommand(const fw::Message& m);
  LRESULT OnTimer(const fw::Message& m);
  LRESULT OnDestroy(const fw::Message& m);
  fw::WindowClassSpec ClassSpec() const override;

  // The first file of a dropped file list, read whole; false when the object holds no file list.
  static bool ReadDroppedFiles(IDataObject* data, std::size_t& count, std::string& first);

  FloatWindowLinks links_;
  const HRESULT oleStarted_;
  LONG references_ = 1;  // the owner's
  HWND owner_ = nullptr;
  fw::ToolTip tip_;
  skin::SkinElementHost skin_;
  bool activatedFromOtherThread_ = false;
  bool dropTargetRegistered_ = false;
};

// The one float window of the client: made by the main window's set-up (a second call replaces
// the first) and destroyed with it. Null while there is none.
FloatWindow* CreateFloatWindow(HWND owner, bool show, FloatWindowLinks links);
void DestroyFloatWindow();
FloatWindow* CurrentFloatWindow();

}  // namespace mb
