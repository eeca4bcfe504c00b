// FolderListStore: the picture lists of the folders opened before, in the order they were first
// opened, with the one on show. A folder opened again gets its list back instead of being read
// again; the member can step back and forth through them. The store owns the lists (windows
// included) for the life of the view.
#pragma once

#include <memory>
#include <string>
#include <vector>

class CListImageCtrl;

namespace hoistly {

class FolderListStore {
 public:
  FolderListStore();
  ~FolderListStore();

  // The list of a folder (compared without regard to letter case), or null.
  CListImageCtrl* Find(const std::string& folder);
  // Takes a new folder's list; it becomes the current one.
  CListImageCtrl* Add(const std::string& folder, std::unique_ptr<CListImageCtrl> list);
  // Makes a stored list current (index -1: none of them).
  void SetCurrent(int index) { current_ = index; }
  void SetCurrent(const CListImageCtrl* list);
  int CurrentIndex() const { return current_; }
  int Count() const;
  CListImageCtrl* At(int index) const;
  const std::string& FolderAt(int index) const;

 private:
  struct Entry;
  std::vector<Entry> entries_;
  int current_ = -1;
};

}  // namespace hoistly
