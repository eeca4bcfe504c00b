#include "framework/doc_template.h"

#include <utility>

#include "framework/frame_window.h"

namespace fw {

bool View::CreateIn(HWND frame) { return Create(frame, "", WS_CHILD) != nullptr; }

SingleDocTemplate::SingleDocTemplate(UINT resourceId, std::function<Document*()> makeDocument,
                                     std::function<FrameWindow*()> makeFrame, std::function<View*()> makeView)
    : resourceId_(resourceId),
      makeDocument_(std::move(makeDocument)),
      makeFrame_(std::move(makeFrame)),
      makeView_(std::move(makeView)) {}

SingleDocTemplate::~SingleDocTemplate() {
  view_.reset();
  if (frame_) frame_->Destroy();
}

bool SingleDocTemplate::OpenNewDocument() {
  document_.reset(makeDocument_());
  if (!document_ || !document_->OnNewDocument()) return false;
  frame_.reset(makeFrame_());
  if (!frame_ || !frame_->LoadFrame(resourceId_)) return false;
  view_.reset(makeView_());
  return view_ && view_->CreateIn(frame_->Handle());
}

}  // namespace fw
