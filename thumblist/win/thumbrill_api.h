// Export marker of Thumbrill.dll's classes.
#pragma once

#if defined(MB_THUMBRILL_BUILDING)
#define MB_THUMBRILL_API __declspec(dllexport)
#else
#define MB_THUMBRILL_API __declspec(dllimport)
#endif
