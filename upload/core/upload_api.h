// Export marker of the Upload library's classes: exported while Upload.dll is built, imported by
// its users, nothing in the native tree nor in a program that builds the client's block sender
// in (MB_UPLOAD_STATIC).
#pragma once

#if defined(_WIN32) && !defined(MB_UPLOAD_STATIC)
#if defined(MB_UPLOAD_BUILDING)
#define MB_UPLOAD_API __declspec(dllexport)
#else
#define MB_UPLOAD_API __declspec(dllimport)
#endif
#else
#define MB_UPLOAD_API
#endif
