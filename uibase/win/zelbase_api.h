// Export marker of ZelBase.dll's classes.
#pragma once

#if defined(MB_ZELBASE_BUILDING)
#define MB_ZELBASE_API __declspec(dllexport)
#else
#define MB_ZELBASE_API __declspec(dllimport)
#endif
