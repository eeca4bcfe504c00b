#include "client/ui/download/win/category_dialogs.h"

#include <cstring>

#include "client/core/download_naming.h"
#include "client/core/path_text.h"
#include "client/core/win/system_utils.h"
#include "client/ui/res/download_resource.h"
#include "common/gbk_text.h"

namespace mb {

const char kDownloadMessageCaption[] = "墨岚屏[Pelora]-系统消息";

const char kEmptyCategory[] = "类别不能为空";
const char kBadCategory[] = "类别名称不能含有 \\ / : * ? \" < > | 等字符，也不能是系统保留的名称";

void CentreOnOwner(HWND dialog) {
  HWND owner = GetWindow(dialog, GW_OWNER);
  RECT area;
  if (!owner || !GetWindowRect(owner, &area)) SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  RECT own;
  GetWindowRect(dialog, &own);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  SetWindowPos(dialog, nullptr, area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}


void FillCategoryCombo(HWND combo, const std::string& preset, const std::vector<std::string>& categories) {
  if (!preset.empty()) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(preset.c_str()));
  for (const std::string& category : categories) {
    if (category != preset) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(category.c_str()));
  }
  if (SendMessageA(combo, CB_GETCOUNT, 0, 0) > 0) SendMessageA(combo, CB_SETCURSEL, 0, 0);
}

std::string SelectedComboText(HWND combo) {
  const LRESULT index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return {};
  const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, index, 0);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
  text.resize(std::strlen(text.c_str()));
  return text;
}

int FindExactComboEntry(HWND combo, const std::string& name) {
  const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
  for (int i = 0; i < count; ++i) {
    const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, i, 0);
    if (length != static_cast<LRESULT>(name.size())) continue;
    std::string text(name.size() + 1, '\0');
    SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
    if (std::strcmp(text.c_str(), name.c_str()) == 0) return i;
  }
  return -1;
}

NewCategoryDialog::NameEdit::NameEdit() { Handle(WM_CHAR, &NameEdit::OnChar); }

LRESULT NewCategoryDialog::NameEdit::OnChar(const fw::Message& m) {
  // A double-byte character comes as two messages, and its second byte may look like '\\' or
  // '|': only a byte that starts a character is looked at.
  const bool startsCharacter = !trailExpected_;
  trailExpected_ = startsCharacter && IsGbkLeadByte(static_cast<unsigned char>(m.wParam));
  if (startsCharacter && m.wParam != 0 && m.wParam < 0x80 &&
      std::strchr("\\/:*?<>|\"", static_cast<int>(m.wParam))) {
    return 0;
  }
  return CallDefault(m);
}

NewCategoryDialog::NewCategoryDialog() : Dialog(IDD_NEW_CATEGORY) {
  Handle(WM_INITDIALOG, &NewCategoryDialog::OnInitDialog);
  Command(IDOK, &NewCategoryDialog::OnOK);
  Command(IDCANCEL, &NewCategoryDialog::OnCancel);
}

LRESULT NewCategoryDialog::OnInitDialog(const fw::Message&) {
  CentreOnOwner(Handle());
  edit_.Subclass(Item(IDC_NEW_CATEGORY_EDIT));
  // The name must fit the category field of the download record.
  SendMessageA(Item(IDC_NEW_CATEGORY_EDIT), EM_LIMITTEXT, kCategoryMaxBytes, 0);
  return TRUE;
}

void NewCategoryDialog::OnOK() {
  GetWindowTextString(Item(IDC_NEW_CATEGORY_EDIT), text_);
  EndDialog(IDOK);
}

void NewCategoryDialog::OnCancel() { EndDialog(IDCANCEL); }

CategoryChoiceDialog::CategoryChoiceDialog(std::string preset, std::vector<std::string> categories)
    : Dialog(IDD_CATEGORY_CHOICE), preset_(FitCategoryName(preset)), categories_(std::move(categories)) {
  Handle(WM_INITDIALOG, &CategoryChoiceDialog::OnInitDialog);
  Command(IDOK, &CategoryChoiceDialog::OnOK);
  Command(IDCANCEL, &CategoryChoiceDialog::OnCancel);
  Command(IDC_CATEGORY_NEW, &CategoryChoiceDialog::OnNewCategory);
}

LRESULT CategoryChoiceDialog::OnInitDialog(const fw::Message&) {
  CentreOnOwner(Handle());
  FillCategoryCombo(Item(IDC_CATEGORY_COMBO), preset_, categories_);
  return TRUE;
}

void CategoryChoiceDialog::OnOK() {
  const std::string text(TrimBlanks(SelectedComboText(Item(IDC_CATEGORY_COMBO))));
  if (text.empty()) {
    MessageBoxA(Handle(), kEmptyCategory, kDownloadMessageCaption, MB_ICONEXCLAMATION);
    return;
  }
  // The category becomes a folder name: a name from page script is checked here.
  if (!IsSafeLocalName(text)) {
    MessageBoxA(Handle(), kBadCategory, kDownloadMessageCaption, MB_ICONEXCLAMATION);
    return;
  }
  choice_ = text;
  EndDialog(IDOK);
}

void CategoryChoiceDialog::OnCancel() { EndDialog(IDCANCEL); }

void CategoryChoiceDialog::OnNewCategory() {
  NewCategoryDialog dialog;
  if (dialog.DoModal(GetActiveWindow()) != IDOK) return;
  const std::string name = FitCategoryName(dialog.Text());
  if (name.empty()) return;
  HWND combo = Item(IDC_CATEGORY_COMBO);
  int index = FindExactComboEntry(combo, name);
  if (index < 0) {
    index = static_cast<int>(SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str())));
  }
  SendMessageA(combo, CB_SETCURSEL, index, 0);
}

}  // namespace mb
