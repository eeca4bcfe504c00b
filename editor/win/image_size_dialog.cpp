#include "editor/win/image_size_dialog.h"

#include <cstdio>
#include <string>

#include "editor/core/size_rules.h"
#include "editor/win/dialog_looks.h"
#include "editor/win/editor_resource.h"
#include "editor/win/member_prompt.h"

namespace {
const char kBadSize[] = "图像的宽度和高度必须是1到16384之间的整数!";
const char kPixels[] = "像素";
}  // namespace

CImageSizeDlg::CImageSizeDlg() : CZELDialog(IDD_IMAGE_SIZE) {
  Handle(WM_INITDIALOG, &CImageSizeDlg::OnInitDialog);
  Handle(WM_CTLCOLORSTATIC, &CImageSizeDlg::OnGroupColour);
  Handle(WM_CTLCOLORBTN, &CImageSizeDlg::OnGroupColour);
  Command(IDC_EDIT_WIDTH, EN_CHANGE, &CImageSizeDlg::OnWidthChanged);
  Command(IDC_EDIT_HEIGHT, EN_CHANGE, &CImageSizeDlg::OnHeightChanged);
  Command(IDOK, &CImageSizeDlg::OnOK);
}

void CImageSizeDlg::SetStartSize(int width, int height) {
  startWidth_ = newWidth_ = width;
  startHeight_ = newHeight_ = height;
}

LRESULT CImageSizeDlg::OnInitDialog(const fw::Message&) {
  ok_.SubclassDlgItem(IDOK, Handle());
  cancel_.SubclassDlgItem(IDCANCEL, Handle());
  for (int id : {IDC_WIDTH_UNIT, IDC_HEIGHT_UNIT}) {
    SendDlgItemMessageA(Handle(), id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kPixels));
    SendDlgItemMessageA(Handle(), id, CB_SETCURSEL, 0, 0);
  }
  CheckDlgButton(Handle(), IDC_KEEP_PROPORTIONS, BST_CHECKED);
  WriteQuietly(IDC_EDIT_WIDTH, std::to_string(startWidth_));
  WriteQuietly(IDC_EDIT_HEIGHT, std::to_string(startHeight_));
  SetFocus(Item(IDC_EDIT_WIDTH));
  return FALSE;  // the focus is set
}

LRESULT CImageSizeDlg::OnGroupColour(const fw::Message& message) {
  return mb::editor::GroupOrTransparentColour(*this, message);
}

std::string CImageSizeDlg::EditText(int id) const {
  char text[64] = {};
  GetDlgItemTextA(Handle(), id, text, sizeof text);
  return text;
}

void CImageSizeDlg::WriteQuietly(int id, const std::string& text) {
  writing_ = true;
  SetDlgItemTextA(Handle(), id, text.c_str());
  writing_ = false;
}

void CImageSizeDlg::FollowOtherSide(int typedId, int otherId, int start, int startOther) {
  if (writing_ || IsDlgButtonChecked(Handle(), IDC_KEEP_PROPORTIONS) != BST_CHECKED) return;
  if (const auto other = mb::editor::ProportionalSide(EditText(typedId), start, startOther)) {
    WriteQuietly(otherId, *other);
  }
}

void CImageSizeDlg::OnWidthChanged() { FollowOtherSide(IDC_EDIT_WIDTH, IDC_EDIT_HEIGHT, startWidth_, startHeight_); }

void CImageSizeDlg::OnHeightChanged() { FollowOtherSide(IDC_EDIT_HEIGHT, IDC_EDIT_WIDTH, startHeight_, startWidth_); }

void CImageSizeDlg::OnOK() {
  const auto width = mb::editor::ParseSide(EditText(IDC_EDIT_WIDTH));
  const auto height = mb::editor::ParseSide(EditText(IDC_EDIT_HEIGHT));
  if (!width || !height || !mb::editor::IsAcceptablePictureSize(*width, *height)) {
    mb::editor::AskMember(Handle(), kBadSize, MB_OK | MB_ICONWARNING);
    return;
  }
  newWidth_ = *width;
  newHeight_ = *height;
  EndDialog(IDOK);
}
