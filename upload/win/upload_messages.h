// Window and thread messages of the upload engine.
#pragma once

#include <windows.h>

// Sent (synchronously) to the window that CConfig holds as the engine message window; lParam 0.
constexpr UINT WM_UPLOAD_STATUS = WM_USER + 7;           // wParam: one of the UPLOAD_STATUS_ values
constexpr UINT WM_UPLOAD_BLOCK_SENT = WM_USER + 8;       // a block was acknowledged
constexpr UINT WM_UPLOAD_QUEUE_EMPTY = WM_USER + 14;     // nothing left to hand out, blocks still travel
constexpr UINT WM_UPLOAD_CONNECT_FAILED = WM_USER + 35;  // the batch could not connect, or it failed

constexpr WPARAM UPLOAD_STATUS_NEXT_PICTURE = 1;  // a next picture was set up (first block seen)
constexpr WPARAM UPLOAD_STATUS_ALL_SENT = 9;      // every picture sent and recorded, workers stopped
constexpr WPARAM UPLOAD_STATUS_CONNECTED = 10;    // the first worker connected

// Thread messages. The uploader posts WM_START_UPLOAD (wParam 0) to the pool's thread; the others
// pass between the pool's thread and its workers.
constexpr UINT WM_WORKER_SEND_FILE = WM_USER + 2;        // to a worker: send the block in your entry
constexpr UINT WM_START_UPLOAD = WM_USER + 3;
constexpr UINT WM_WORKER_START = WM_USER + 15;           // to a worker: connect and ask for work
constexpr UINT WM_WORKER_CONNECT_FAILED = WM_USER + 17;  // to the pool: worker wParam could not start
constexpr UINT WM_WORKER_BLOCK_FAILED = WM_USER + 18;    // to the pool: worker wParam cannot send
constexpr UINT WM_POOL_ACTIONS = WM_USER + 19;           // to the pool: actions wait for its thread
