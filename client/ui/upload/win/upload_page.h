// UploadPage (dialog 202): the main window's upload tab. The member picks one picture, describes
// it and presses "开始上传"; UploadJob sends and registers it on a worker thread while the page
// shows the progress. The page also makes albums and leads to the batch uploader.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "client/ui/upload/upload_form.h"
#include "client/ui/skin/win/skin_element_host.h"
#include "client/ui/upload/upload_lists.h"
#include "framework/dialog.h"

namespace mb {

class ProgressBarView;
class UploadJob;
struct AlbumFetch;

class UploadPage : public fw::Dialog {
 public:
  UploadPage();
  ~UploadPage() override;

  // The picture shown in the page's picture view.
  void LoadPicture(const std::string& path);
  // The path becomes the page's picture after the open-file dialog: refused with a message when
  // it holds no picture; the title box takes the file name when it is empty.
  bool TakePicture(const std::string& path);
  bool Uploading() const { return job_ != nullptr; }

  // How long a cancel waits for the worker before it lets it finish alone.
  static constexpr DWORD kCancelWaitMs = 3000;
  // The longest wait for an album request made from the page.
  static constexpr DWORD kAlbumRequestWaitMs = 35000;

 private:
  LRESULT OnInitDialog(const fw::Message& m);
  LRESULT OnEraseBackground(const fw::Message& m);
  LRESULT OnControlColour(const fw::Message& m);
  LRESULT OnLButtonDown(const fw::Message& m);
  LRESULT OnLButtonUp(const fw::Message& m);
  LRESULT OnMouseMove(const fw::Message& m);
  LRESULT OnUploadDone(const fw::Message& m);
  LRESULT OnUploadFailed(const fw::Message& m);
  LRESULT OnUploadEnded(const fw::Message& m);
  LRESULT OnUploadProgress(const fw::Message& m);
  LRESULT OnAlbumsFetched(const fw::Message& m);
  LRESULT OnDestroy(const fw::Message& m);
  void OnUpload();
  void OnBrowseFile();
  void OnCancelUpload();
  void OnCancel();
  void OnCategoryChange();
  void OnSubCategoryChange();
  void OnAddAlbum();
  void OnViewUploads();
  void OnHelp();
  void OnBatchUpload();
  void OnSendToBatchUploader();
  void OnSwallowedCommand() {}

  void PlaceControls();
  void FillCategories();
  void FillCombo(int id, const std::vector<std::string>& names);
  void FillAlbums(const AlbumList& albums);
  bool FetchAlbumsNow();
  // ValidateForm: 1 when the worker was started.
  int ValidateForm();
  UploadFormInput ReadForm() const;
  void ShowFormMessage(const std::string& text, UINT icon) const;
  // Ends the running upload: the worker is asked to stop and waited for, at most waitMs, while
  // the page's messages go on (pumpMessages) or, as the page goes, without them.
  void StopUpload(DWORD waitMs, bool pumpMessages = true);
  void SetIdle();
  bool IsCurrentJob(WPARAM serial) const;
  // Where a click opens the upload help: the "上传须知" element of layouts 2 and 3, the page's
  // own help link in layout 1.
  RECT HelpRect();

  const int layout_;
  skin::SkinElementHost skin_;
  std::unique_ptr<ProgressBarView> progress_;
  HWND pictureView_ = nullptr;
  UploadCategoryList categories_;
  AlbumList albums_;
  bool albumsFetched_ = false;
  std::shared_ptr<AlbumFetch> albumFetch_;
  std::shared_ptr<UploadJob> job_;
  HANDLE worker_ = nullptr;
  unsigned nextSerial_ = 1;
  std::uint64_t checkedSize_ = 0;
};

}  // namespace mb
