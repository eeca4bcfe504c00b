// AddAlbumDialog (dialog 218): the name of a new album, refused when empty or already one of the
// member's albums.
#pragma once

#include <string>

#include "client/ui/upload/upload_lists.h"
#include "framework/dialog.h"

namespace mb {

class AddAlbumDialog : public fw::Dialog {
 public:
  explicit AddAlbumDialog(const AlbumList& albums);
  // The name, trimmed, once the dialog ended with IDOK.
  const std::string& Name() const { return name_; }

 private:
  LRESULT OnInitDialog(const fw::Message& m);
  void OnOK();
  void OnCancel();

  const AlbumList& albums_;
  std::string name_;
};

}  // namespace mb
