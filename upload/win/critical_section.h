// The pool driver's lock on Windows: a critical section. Six workers take it once per block; its
// waits stay in the process, where a contended std::mutex of this runtime would go through
// kernel events (under Wine, a round trip to the Wine server each time).
#pragma once

#include <windows.h>

#include "upload/core/pool_driver.h"

namespace mb::upload {

class CriticalSectionMutex : public DriverMutex {
 public:
  CriticalSectionMutex() { InitializeCriticalSection(&section_); }
  ~CriticalSectionMutex() override { DeleteCriticalSection(&section_); }
  CriticalSectionMutex(const CriticalSectionMutex&) = delete;
  CriticalSectionMutex& operator=(const CriticalSectionMutex&) = delete;
  void lock() override { EnterCriticalSection(&section_); }
  void unlock() override { LeaveCriticalSection(&section_); }

 private:
  CRITICAL_SECTION section_;
};

}  // namespace mb::upload
