// CZELDialog: the base of the uploader's dialogs and settings pages. It paints the whole client
// area in the pale yellow face colour and lets button and static texts show that face through
// them.
#pragma once

#include <windows.h>

#include "framework/dialog.h"
#include "framework/module.h"
#include "uibase/win/zelbase_api.h"

class MB_ZELBASE_API CZELDialog : public fw::Dialog {
 public:
  static constexpr UINT kDefaultTemplate = 105;
  static constexpr COLORREF kFaceColor = 0x00BBF3FF;

  // The template is looked up in resources, by default the module that constructs the dialog
  // (a program showing a plain CZELDialog supplies template 105 itself).
  explicit CZELDialog(UINT templateId = kDefaultTemplate, HINSTANCE resources = fw::ThisModule());
  ~CZELDialog() override;

  // Public so that deriving dialogs may call them from their own handlers.
  LRESULT OnCtlColor(const fw::Message& message);
  LRESULT OnPaint(const fw::Message& message);
};
