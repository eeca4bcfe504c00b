// The picture list as the editor steps through it: previous and next picture.
#pragma once

#include <string>

class CListImageCtrl;

namespace mb::editor {

class PictureSteps {
 public:
  virtual ~PictureSteps() = default;
  virtual bool HasPrevious() const = 0;
  virtual bool HasNext() const = 0;
  // Moves the list's current row and gives its path; false at the first or last row.
  virtual bool StepPrevious(std::string& path) = 0;
  virtual bool StepNext(std::string& path) = 0;
};

// Steps through a CListImageCtrl (which also reports the new row to the panes).
class ListImageSteps : public PictureSteps {
 public:
  explicit ListImageSteps(CListImageCtrl* list) : list_(list) {}
  bool HasPrevious() const override;
  bool HasNext() const override;
  bool StepPrevious(std::string& path) override;
  bool StepNext(std::string& path) override;

 private:
  CListImageCtrl* list_;
};

}  // namespace mb::editor
