#include "editor/win/picture_steps.h"

#include "thumblist/win/list_image_ctrl.h"

namespace mb::editor {

bool ListImageSteps::HasPrevious() const { return list_ && list_->GetCurrentIndex() > 0; }

bool ListImageSteps::HasNext() const { return list_ && list_->GetCurrentIndex() + 1 < list_->GetItemCount(); }

bool ListImageSteps::StepPrevious(std::string& path) {
  fw::CString text;
  if (!list_ || !list_->GetPreFilePath(text)) return false;
  path = text.Str();
  return true;
}

bool ListImageSteps::StepNext(std::string& path) {
  fw::CString text;
  if (!list_ || !list_->GetNextFilePath(text)) return false;
  path = text.Str();
  return true;
}

}  // namespace mb::editor
