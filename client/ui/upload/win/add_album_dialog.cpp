#include "client/ui/upload/win/add_album_dialog.h"

#include "client/ui/download/win/category_dialogs.h"
#include "client/ui/res/resource.h"
#include "common/gbk_text.h"

namespace mb {

AddAlbumDialog::AddAlbumDialog(const AlbumList& albums) : Dialog(IDD_ADD_ALBUM), albums_(albums) {
  Handle(WM_INITDIALOG, &AddAlbumDialog::OnInitDialog);
  Command(IDOK, &AddAlbumDialog::OnOK);
  Command(IDCANCEL, &AddAlbumDialog::OnCancel);
}

LRESULT AddAlbumDialog::OnInitDialog(const fw::Message&) {
  CentreOnOwner(Handle());
  SendMessageA(Item(IDC_ADD_ALBUM_NAME), EM_LIMITTEXT, conf::kMaxListNameBytes, 0);
  return TRUE;
}

void AddAlbumDialog::OnOK() {
  char text[conf::kMaxListNameBytes + 1] = {};
  GetDlgItemTextA(Handle(), IDC_ADD_ALBUM_NAME, text, sizeof text);
  const std::string name(TrimBlanks(text));
  if (name.empty() || albums_.Contains(name)) {
    MessageBoxA(Handle(), name.empty() ? "请输入专辑名称!" : "该专辑已经存在!", kDownloadMessageCaption,
                MB_ICONEXCLAMATION);
    return;
  }
  name_ = name;
  EndDialog(IDOK);
}

void AddAlbumDialog::OnCancel() { EndDialog(IDCANCEL); }

}  // namespace mb
