// FolderScan: one background read of picture files into a picture list. The files are known when
// the scan starts; its thread adds them one after another (the list makes each row on this thread
// and posts it to its own window) and stops early, between two files, once asked. Each scan has
// its own stop flag, so stopping one never touches another.
//
// The thread tells the view by posted messages: kScanStepMessage after each file and
// kScanDoneMessage once at its end, both with the scan's id in wParam. The view owns the scan,
// and destroys it after its done message (the destructor waits for the thread).
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

class CListImageCtrl;

namespace hoistly {

constexpr UINT kScanStepMessage = WM_APP + 0x40;
constexpr UINT kScanDoneMessage = WM_APP + 0x41;

class FolderScan {
 public:
  FolderScan(HWND view, CListImageCtrl* list, std::vector<std::string> paths);
  ~FolderScan();
  FolderScan(const FolderScan&) = delete;
  FolderScan& operator=(const FolderScan&) = delete;

  bool Start();
  void RequestStop() { stop_.store(true); }
  // Waits up to ms for the thread, handling the messages sent to this thread meanwhile (the
  // list's status texts); true when it has ended.
  bool WaitForEnd(DWORD ms) const;

  WPARAM Id() const { return reinterpret_cast<WPARAM>(this); }
  CListImageCtrl* List() const { return list_; }
  int FileCount() const { return static_cast<int>(paths_.size()); }
  // The files the list could not read; complete once the thread has ended.
  const std::vector<std::string>& Unreadable() const { return unreadable_; }

 private:
  static DWORD WINAPI Entry(void* self);
  void Run();

  HWND view_;
  CListImageCtrl* list_;
  std::vector<std::string> paths_;
  std::vector<std::string> unreadable_;
  std::atomic<bool> stop_{false};
  HANDLE thread_ = nullptr;
};

// Waits for a handle up to ms while letting messages sent to this thread through.
bool WaitHandlingSentMessages(HANDLE handle, DWORD ms);

}  // namespace hoistly
