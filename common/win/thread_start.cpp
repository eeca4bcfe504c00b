#include "common/win/thread_start.h"

#include <process.h>

#include <memory>

namespace mb {

namespace {

// Kept below the current frame: the calls the thread makes next reach into it at once.
constexpr ULONG_PTR kStackMargin = 64 * 1024;

struct ThreadStart {
  LPTHREAD_START_ROUTINE entry;
  void* parameter;
};

unsigned __stdcall StartThread(void* start) {
  const ThreadStart what = *static_cast<ThreadStart*>(start);
  delete static_cast<ThreadStart*>(start);
  ReleaseUnusedStack();
  return what.entry(what.parameter);
}

}  // namespace

HANDLE BeginThread(LPTHREAD_START_ROUTINE entry, void* parameter, DWORD flags, DWORD* threadId) {
  auto start = std::make_unique<ThreadStart>(ThreadStart{entry, parameter});
  unsigned id = 0;
  const uintptr_t thread = _beginthreadex(nullptr, 0, &StartThread, start.get(), flags & CREATE_SUSPENDED, &id);
  if (!thread) return nullptr;
  start.release();  // the new thread frees it
  if (threadId) *threadId = id;
  return reinterpret_cast<HANDLE>(thread);
}

void ReleaseUnusedStack() {
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  const ULONG_PTR page = system.dwPageSize;
  // The lowest committed address of this thread's stack; the guard page lies below it.
  const auto* block = reinterpret_cast<const NT_TIB*>(NtCurrentTeb());
  const auto lowest = reinterpret_cast<ULONG_PTR>(block->StackLimit);
  const auto current = reinterpret_cast<ULONG_PTR>(__builtin_frame_address(0));
  if (current < lowest + kStackMargin) return;
  const ULONG_PTR end = (current - kStackMargin) & ~(page - 1);
  if (end > lowest) VirtualAlloc(reinterpret_cast<void*>(lowest), end - lowest, MEM_RESET, PAGE_NOACCESS);
}

}  // namespace mb
