// Starting the programs' own threads. The threads they start go through BeginThread, so each gives
// back the stack pages it does not use before its work begins; a thread started otherwise (a
// standard library thread, the main thread) calls ReleaseUnusedStack first.
#pragma once

#include <windows.h>

namespace mb {

// Runs entry(parameter) on a new thread started through the C runtime (so its per-thread data is
// set up and freed). flags: 0 or CREATE_SUSPENDED. Returns the thread's handle, which the caller
// owns, or null when no thread could be started (the parameter is then still the caller's).
HANDLE BeginThread(LPTHREAD_START_ROUTINE entry, void* parameter, DWORD flags = 0, DWORD* threadId = nullptr);

// Gives back the calling thread's stack pages below what it uses now (with a margin for the calls
// it is about to make): their contents are of no further interest, and they cost no memory until
// the stack grows into them again. The system's thread start-up writes close to a megabyte of a new
// thread's stack on some platforms, which would otherwise stay resident for the thread's life. It
// does so after the loaded modules have been told of the thread and just before its entry, so only
// the thread's own code can give those pages back: the threads the system starts for itself (its
// thread pool, its RPC server) keep them.
void ReleaseUnusedStack();

}  // namespace mb
