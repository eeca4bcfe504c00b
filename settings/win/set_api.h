// Export marker of Set.dll's classes.
#pragma once

#if defined(MB_SET_BUILDING)
#define MB_SET_API __declspec(dllexport)
#else
#define MB_SET_API __declspec(dllimport)
#endif
