#include "thumblist/win/list_cell_editors.h"

#include "framework/module.h"
#include "thumblist/win/list_image_ctrl.h"

namespace {
HWND CreateChild(const char* className, DWORD style, const RECT& rect, HWND parent, int id) {
  return CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, rect.left, rect.top, rect.right - rect.left,
                         rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         fw::Module::Instance(), nullptr);
}
}  // namespace

void ListCellEditor::Commit() {
  if (committed_) return;
  committed_ = true;
  const std::string text = Text();
  ShowWindow(Handle(), SW_HIDE);
  list_.SetItemText(row_, column_, text.c_str());
}

void ListCellEditor::End() {
  if (committed_) return;
  Commit();
  PostMessageA(list_.Handle(), kCellEditorEnded, reinterpret_cast<WPARAM>(Handle()), 0);
}

CListCellEdit::CListCellEdit(CListImageCtrl& list, int row, int column) : ListCellEditor(list, row, column) {
  Handle(WM_KILLFOCUS, &CListCellEdit::OnKillFocus);
}

bool CListCellEdit::Create(const RECT& rect, const std::string& text, HFONT font) {
  HWND edit = CreateChild("EDIT", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, rect, list_.Handle(), kControlId);
  if (!edit || !Subclass(edit)) {
    if (edit) DestroyWindow(edit);
    return false;
  }
  Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  Send(EM_LIMITTEXT, 0, 0);  // the whole text, however long
  SetWindowTextA(edit, text.c_str());
  Send(EM_SETSEL, 0, -1);
  SetFocus(edit);
  return true;
}

std::string CListCellEdit::Text() const {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(Handle())) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(Handle(), text.data(), static_cast<int>(text.size()))));
  return text;
}

LRESULT CListCellEdit::OnKillFocus(const fw::Message& m) {
  const LRESULT result = CallDefault(m);
  End();
  return result;
}

CListCellCombo::CListCellCombo(CListImageCtrl& list, int row, int column) : ListCellEditor(list, row, column) {}

bool CListCellCombo::Create(const RECT& cell, const std::vector<std::string>& items, int selected, HFONT font) {
  RECT rect = cell;
  rect.bottom += kListDepth;
  HWND combo = CreateChild("COMBOBOX", WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST, rect, list_.Handle(),
                           kControlId);
  if (!combo || !Subclass(combo)) {
    if (combo) DestroyWindow(combo);
    return false;
  }
  Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  for (const std::string& item : items) Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  Send(CB_SETCURSEL, static_cast<WPARAM>(selected));
  SetFocus(combo);
  return true;
}

void CListCellCombo::OnControlNotification(UINT code) {
  if (code == CBN_SELENDOK || code == CBN_SELENDCANCEL) End();
}

std::string CListCellCombo::Text() const {
  const LRESULT chosen = Send(CB_GETCURSEL);
  if (chosen == CB_ERR) return std::string();
  std::string text(static_cast<size_t>(Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(chosen))) + 1, '\0');
  const LRESULT copied = Send(CB_GETLBTEXT, static_cast<WPARAM>(chosen), reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
  return text;
}
