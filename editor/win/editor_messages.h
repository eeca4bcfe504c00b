// Messages and command ids of the picture editor: from its operations panel, to the
// application main window and to the picture view that holds it.
#pragma once

#include <windows.h>

namespace mb::editor {

// From the operations panel (see tabvane/image_operate_tabvane.h).
constexpr UINT kAddPictureMark = 1045;
constexpr UINT kSetFrame = 1046;
constexpr UINT kMovePictureMark = 1047;
constexpr UINT kRemoveMarkOrFrame = 1050;
constexpr UINT kTextMark = 1053;
constexpr UINT kMoveToPoint = 1054;
constexpr UINT kDropMarkPreview = 1076;
constexpr UINT kPanelReady = 1082;
constexpr UINT kPlaceMarkAgain = 1083;

// Sent by the editor.
constexpr UINT kFullScreenSwitch = 1051;  // to the main window: wParam 1 leaves full screen
constexpr UINT kShowPictureList = 1052;   // to the view: the list again
constexpr UINT kEditingState = 1061;      // to the main window: wParam 1 editing ended
constexpr UINT kRefreshCurrentRow = 1080; // to the view: the saved picture's row again

// Commands (toolbar, canvas menu).
enum Command : UINT {
  kCmdPanel = 9988,
  kCmdFullScreen = 32843,
  kCmdLeave = 32844,
  kCmdLeaveButton = 1001,
  kCmdPrevious = 32808,
  kCmdPreviousAlt = 32793,
  kCmdNext = 32809,
  kCmdNextAlt = 32794,
  kCmdUndo = 32865,
  kCmdRedo = 32866,
  kCmdRotateDialog = 32812,
  kCmdRotateDialogAlt = 32807,
  kCmdSizeDialog = 32810,
  kCmdSizeDialogAlt = 32806,
  kCmdRotateRight = 32877,
  kCmdRotateLeft = 32878,
  kCmdZoomIn = 32839,
  kCmdZoomOut = 32840,
  kCmdActualSize = 32882,
  kCmdSelectTool = 32836,
  kCmdDropSelection = 32837,
  kCmdCrop = 32838,
  kCmdSave = 32841,
  kCmdSaveAs = 32817,
  kCmdPointerTool = 32930,
  kCmdRemoveText = 32948,
  kCmdRemoveMark = 32949,
  kCmdRemoveFrame = 32951,
};

}  // namespace mb::editor
