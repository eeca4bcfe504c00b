#include "uploader/image_view/folder_list_store.h"

#include "common/gbk_text.h"
#include "thumblist/win/list_image_ctrl.h"

namespace hoistly {

struct FolderListStore::Entry {
  std::string folder;
  std::unique_ptr<CListImageCtrl> list;
};

FolderListStore::FolderListStore() = default;

FolderListStore::~FolderListStore() {
  for (Entry& entry : entries_) entry.list->Destroy();
}

CListImageCtrl* FolderListStore::Find(const std::string& folder) {
  for (Entry& entry : entries_) {
    if (mb::GbkEqualsNoCase(entry.folder, folder)) return entry.list.get();
  }
  return nullptr;
}

CListImageCtrl* FolderListStore::Add(const std::string& folder, std::unique_ptr<CListImageCtrl> list) {
  entries_.push_back({folder, std::move(list)});
  current_ = Count() - 1;
  return entries_.back().list.get();
}

void FolderListStore::SetCurrent(const CListImageCtrl* list) {
  current_ = -1;
  for (int index = 0; index < Count(); ++index) {
    if (entries_[index].list.get() == list) current_ = index;
  }
}

int FolderListStore::Count() const { return static_cast<int>(entries_.size()); }

CListImageCtrl* FolderListStore::At(int index) const {
  return index >= 0 && index < Count() ? entries_[index].list.get() : nullptr;
}

const std::string& FolderListStore::FolderAt(int index) const {
  static const std::string none;
  return index >= 0 && index < Count() ? entries_[index].folder : none;
}

}  // namespace hoistly
