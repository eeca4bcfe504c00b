// The category dialogs of a download: CategoryChoiceDialog (dialog 210), where the member picks
// the category a picture goes into, and NewCategoryDialog (dialog 211), which names a new one.
// Neither writes to the client's category list; the download page does once a download is
// confirmed.
#pragma once

#include <string>
#include <vector>

#include "framework/dialog.h"
#include "framework/window.h"

namespace mb {

// The caption of the client's message boxes.
extern const char kDownloadMessageCaption[];
// The category messages: none chosen, and a name that cannot be a folder.
extern const char kEmptyCategory[];
extern const char kBadCategory[];

// Centres a dialog on its owner, or on the work area when it has none.
void CentreOnOwner(HWND dialog);
// A category combo box: the preset first when not empty, then every other category in order;
// the first entry selected.
void FillCategoryCombo(HWND combo, const std::string& preset, const std::vector<std::string>& categories);
// The selected entry's text; empty when none is selected.
std::string SelectedComboText(HWND combo);
// Index of the entry whose text is exactly name; -1 when there is none.
int FindExactComboEntry(HWND combo, const std::string& name);

class NewCategoryDialog : public fw::Dialog {
 public:
  NewCategoryDialog();
  // The edit's text once the dialog ended with IDOK.
  const std::string& Text() const { return text_; }

 private:
  // The name edit: characters that cannot be part of a folder name are swallowed as typed.
  class NameEdit : public fw::Window {
   public:
    NameEdit();

   private:
    LRESULT OnChar(const fw::Message& m);
    bool trailExpected_ = false;
  };

  LRESULT OnInitDialog(const fw::Message& m);
  void OnOK();
  void OnCancel();

  NameEdit edit_;
  std::string text_;
};

class CategoryChoiceDialog : public fw::Dialog {
 public:
  // preset: the category the page suggests (first entry when not empty); categories: the
  // client's list, in order.
  CategoryChoiceDialog(std::string preset, std::vector<std::string> categories);
  // The chosen category, trimmed, once the dialog ended with IDOK.
  const std::string& Choice() const { return choice_; }

 private:
  LRESULT OnInitDialog(const fw::Message& m);
  void OnOK();
  void OnCancel();
  void OnNewCategory();

  std::string preset_;
  std::vector<std::string> categories_;
  std::string choice_;
};

}  // namespace mb
