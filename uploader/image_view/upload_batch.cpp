#include "uploader/image_view/upload_batch.h"

#include <cstdlib>

#include "common/gbk_text.h"
#include "thumblist/core/upload_rule.h"
#include "thumblist/win/list_image_ctrl.h"
#include "upload/win/upload_pool.h"
#include "uploader/image_view/folder_scan.h"
#include "uploader/image_view/picture_folder.h"

namespace hoistly {

using namespace mb::thumblist;

std::optional<std::uint64_t> FileSizeOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

UploadSelection SelectUploadRows(CListImageCtrl& list) {
  UploadSelection selection;
  std::vector<fw::CString> refused;
  int accepted = 0;
  list.ContinueUpload(refused, &accepted);
  for (const fw::CString& path : refused) selection.refused.push_back(path.Str());
  for (int row = 0; row < list.GetItemCount(); ++row) {
    const RowTexts* texts = list.GetRowTexts(row);
    if (!texts || !list.GetCheck(row)) continue;
    selection.anyTicked = true;
    const std::string path = RowFilePath(*texts);
    if (!IsUploadAllowed((*texts)[kColDimensions], FileSizeOf(path))) continue;
    if (FitsPathField(path)) {
      selection.rows.push_back(row);
    } else {
      selection.refused.push_back(path);
    }
  }
  return selection;
}

std::unique_ptr<CZELFileQueue> MakeUploadJob(const RowTexts& row) {
  auto job = std::make_unique<CZELFileQueue>();
  *job = CZELFileQueue{};
  mb::CopyToField(job->path, sizeof job->path, RowFilePath(row));
  mb::CopyToField(job->title, sizeof job->title, row[kColTitle]);
  mb::CopyToField(job->pix, sizeof job->pix, row[kColDimensions]);
  mb::CopyToField(job->remark, sizeof job->remark, row[kColRemark]);
  mb::CopyToField(job->tag, sizeof job->tag, row[kColTag]);
  job->pk = TakesPartInPk(row) ? 1 : 0;
  job->pictureType = std::atoi(row[kColPictureType].c_str());
  job->uploadType = std::atoi(row[kColUploadType].c_str());
  job->privateFlag = row[kColSource] == "私人" ? 1 : 0;
  job->album = std::atoi(row[kColAlbum].c_str());
  return job;
}

bool UploadPoolSlot::StopRunning(DWORD waitMs) {
  if (!pool_) return true;
  HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, pool_->ThreadId());
  pool_->Stop();  // the last touch: the pool deletes itself when its thread ends
  pool_ = nullptr;
  if (!thread) return true;  // already gone
  const bool ended = WaitHandlingSentMessages(thread, waitMs);
  CloseHandle(thread);
  return ended;
}

}  // namespace hoistly
