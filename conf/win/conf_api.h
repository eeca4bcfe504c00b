// Export marker of Conf.dll's classes.
#pragma once

#if defined(MB_CONF_BUILDING)
#define MB_CONF_API __declspec(dllexport)
#else
#define MB_CONF_API __declspec(dllimport)
#endif
