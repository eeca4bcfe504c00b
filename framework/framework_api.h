// Export marker of the window framework. The uploader's program and libraries share one copy of
// it per process, Framework.dll (built with FW_BUILDING); the client links the static library
// (FW_STATIC) into its program.
#pragma once

#if defined(FW_STATIC)
#define FW_API
#elif defined(FW_BUILDING)
#define FW_API __declspec(dllexport)
#else
#define FW_API __declspec(dllimport)
#endif
