// The MSXML interfaces the client uses, with the identifiers MinGW-w64's libraries lack.
#pragma once

#include <windows.h>
#include <msxml2.h>

namespace mb {

// The version-independent DOM document of MSXML 3.
extern const CLSID kClsidDomDocument;

}  // namespace mb
