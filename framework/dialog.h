// Dialog: a window built from a dialog template in the module's resources, run modal (its own
// loop, DoModal) or modeless (Create; the thread's message loop gives it its keyboard handling).
#pragma once

#include "framework/framework_api.h"
#include "framework/message_loop.h"
#include "framework/window.h"

namespace fw {

class FW_API Dialog : public Window, private MessageFilter {
 public:
  // The template is looked up in resources, or in the framework's resource instance when null.
  explicit Dialog(UINT templateId, HINSTANCE resources = nullptr)
      : templateId_(templateId), resources_(resources) {}
  ~Dialog() override;

  // Runs the dialog modal; returns the code given to EndDialog, or -1 when it could not be made.
  INT_PTR DoModal(HWND owner = nullptr);
  // Creates the dialog modeless; null on failure.
  HWND Create(HWND owner = nullptr);
  // Ends a modal dialog with code; destroys a modeless one.
  void EndDialog(INT_PTR code);

  bool IsModal() const { return modal_; }
  UINT TemplateId() const { return templateId_; }
  HWND Item(int id) const { return GetDlgItem(Handle(), id); }
  void SetItemText(int id, const char* text) const { SetDlgItemTextA(Handle(), id, text); }

 protected:
  // Not handled by the map: for dialogs the default processing is the system dialog manager's.
  LRESULT CallDefault(const Message& message) override;

 private:
  static INT_PTR CALLBACK StaticDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  bool PreTranslateMessage(MSG& msg) override;
  bool HandleDefaultCommand(const Message& m);

  HINSTANCE TemplateModule() const;

  UINT templateId_;
  HINSTANCE resources_;
  bool modal_ = false;
  bool wantsDefault_ = false;
  MessageLoop* loop_ = nullptr;  // the loop that filters for this modeless dialog
};

}  // namespace fw
