// The single-document template: it makes a program's one document, its frame and the frame's
// view. Document and view are shells a program derives from; the frame is the program's own.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "framework/framework_api.h"
#include "framework/window.h"

namespace fw {

class FrameWindow;

class FW_API Document {
 public:
  virtual ~Document() = default;
  virtual bool OnNewDocument() { return true; }
};

class FW_API View : public Window {
 public:
  // A child of the frame; the frame decides whether it is shown.
  virtual bool CreateIn(HWND frame);
};

class FW_API SingleDocTemplate {
 public:
  SingleDocTemplate(UINT resourceId, std::function<Document*()> makeDocument,
                    std::function<FrameWindow*()> makeFrame, std::function<View*()> makeView);
  ~SingleDocTemplate();
  UINT ResourceId() const { return resourceId_; }

  // A new document, the frame loaded from the template's resources and its view; false when any
  // of them cannot be made.
  bool OpenNewDocument();
  FrameWindow* Frame() const { return frame_.get(); }
  Document* CurrentDocument() const { return document_.get(); }

 private:
  UINT resourceId_;
  std::function<Document*()> makeDocument_;
  std::function<FrameWindow*()> makeFrame_;
  std::function<View*()> makeView_;
  std::unique_ptr<Document> document_;
  std::unique_ptr<FrameWindow> frame_;
  std::unique_ptr<View> view_;
};

}  // namespace fw
