// CEditImageDlg: the uploader's picture editor, a borderless child of the picture view (dialog
// template 143). A toolbar over the canvas, the operations panel along the bottom edge, one
// working picture with undo and redo, previews of a frame and two watermarks that saving lays
// in, and stepping to the previous or next picture of the list.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/core/edit_session.h"
#include "editor/core/text_watermark_record.h"
#include "editor/win/image_edit_view.h"
#include "editor/win/picture_steps.h"
#include "framework/dialog.h"
#include "uibase/win/skin_button.h"

class CImageOperateTabvane;

class CEditImageDlg : public fw::Dialog, private CanvasHost {
 public:
  // Tool modes.
  static constexpr int kPointerTool = 0;
  static constexpr int kSelectionTool = 4;

  // The save-as dialog's answer: the chosen path, or empty when cancelled. Tests replace it
  // (the system's dialog is modal).
  using SaveNameChooser = std::function<std::string(HWND owner, const std::string& current, const std::string& filter)>;

  CEditImageDlg(const std::string& path, mb::editor::PictureSteps* steps, HWND parent);
  ~CEditImageDlg() override;

  // Creates the window hidden (the view shows it) and loads the picture.
  HWND Create();
  // Where 1051 and 1061 go (the application main window); the parent when not set.
  void SetMainWindow(HWND main) { main_ = main; }
  void SetSaveNameChooser(SaveNameChooser chooser) { chooseSaveName_ = std::move(chooser); }
  // Where the pixel readout goes (the frame's status bar).
  void SetStatusSink(std::function<void(const std::string&)> sink) { statusSink_ = std::move(sink); }

  // A picture handed over while the editor stands: loaded like the first.
  void SetImagePath(const std::string& path);
  void LayOut();
  bool IsCommandEnabled(UINT id) const;

  // What tests and the view read.
  const mb::editor::EditSession& Session() const { return session_; }
  double Zoom() const override { return zoom_; }
  int ToolMode() const { return toolMode_; }
  bool PanelOpen() const;
  CImageEditView& Canvas() { return canvas_; }
  HWND Toolbar() const { return toolbar_; }
  HWND Panel() const;

 private:
  // CanvasHost
  bool SelectionToolActive() const override { return toolMode_ == kSelectionTool; }
  void ShowPixelText(const std::string& text) override;
  void SelectionChanged() override { UpdateCommandStates(); }

  LRESULT OnInitDialog(const fw::Message&);
  LRESULT OnSize(const fw::Message&);
  LRESULT OnDestroy(const fw::Message&);
  LRESULT OnCommandMessage(const fw::Message& m);
  LRESULT OnLButtonDown(const fw::Message& m);
  LRESULT OnToolbarDraw(NMHDR* header);
  LRESULT OnAddPictureMark(const fw::Message& m);
  LRESULT OnSetFrame(const fw::Message& m);
  LRESULT OnMovePictureMark(const fw::Message& m);
  LRESULT OnRemoveMarkOrFrame(const fw::Message& m);
  LRESULT OnTextMark(const fw::Message& m);
  LRESULT OnMoveToPoint(const fw::Message& m);
  LRESULT OnDropMarkPreview(const fw::Message& m);
  LRESULT OnPanelReady(const fw::Message& m);
  LRESULT OnPlaceMarkAgain(const fw::Message& m);
  LRESULT OnHeadClose(const fw::Message& m);
  LRESULT OnCanvasMenu(const fw::Message& m);

  void RunCommand(UINT id);
  void CreateToolbar(const std::vector<HICON>& icons);
  void UpdateCommandStates();
  // fit: the zoom fits the picture to the editor (a new picture); else the zoom stays (a step).
  void OpenPicture(const std::string& path, bool fit);
  // After the session opened (or failed to open) path_: the canvas, the zoom and the commands.
  void ShowOpenedPicture(bool opened, bool fit);
  void ShowWorkingPicture();
  void FitToWindow();
  void SetZoom(double zoom);
  bool Change(bool done);
  void Step(bool forward);
  bool AskToSaveChanges();  // false: cancelled
  bool Save();
  void SaveAs();
  mb::Picture Composed(const mb::Picture& base) const;
  void TogglePanel();
  void Leave();
  void ResetPanel();
  void RenderTextMark();
  // The picture a panel message names (lParam), loaded; an error box when it cannot be read.
  bool LoadPanelPicture(const fw::Message& m, std::string& path, mb::Picture& picture) const;
  void Fail(const std::string& text) const;

  std::string path_;
  mb::editor::PictureSteps* steps_;
  HWND parent_;
  HWND main_ = nullptr;
  HWND toolbar_ = nullptr;
  HIMAGELIST images_ = nullptr;
  HIMAGELIST disabledImages_ = nullptr;
  HBRUSH toolbarBrush_ = nullptr;
  HBRUSH pressedBrush_ = nullptr;
  CxSkinButton closeButton_;
  CxSkinButton panelButton_;
  CImageEditView canvas_;
  std::unique_ptr<CImageOperateTabvane> panel_;
  mb::editor::EditSession session_;
  std::string framePath_;
  std::string markPath_;
  mb::editor::TextWatermarkRecord textRecord_;
  mb::editor::Point markPoint_{20, 20};
  double zoom_ = 1.0;
  int toolMode_ = kPointerTool;
  int markKind_ = 0;  // 0 picture watermark, 1 text watermark
  int textTool_ = 0;
  SaveNameChooser chooseSaveName_;
  std::function<void(const std::string&)> statusSink_;
};
