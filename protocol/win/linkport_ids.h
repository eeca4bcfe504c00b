// Identities of Linkport: its class, type library and resources.
#pragma once

#include <windows.h>

// Resources (also read by the resource script).
#define IDR_LINKPORT_REGISTRATION 101
#define IDS_PROJNAME 100
#define IDD_NOT_INSTALLED 201
#define IDC_HOME_PAGE_LINK 202

#ifndef RC_INVOKED
namespace mb {

// {C025ACE8-F726-4773-A829-123D9AD06598}
constexpr CLSID kLinkportPlugClsid = {0xC025ACE8, 0xF726, 0x4773, {0xA8, 0x29, 0x12, 0x3D, 0x9A, 0xD0, 0x65, 0x98}};
// {233CD11E-4F7C-4452-923E-F533B9549FCC}
constexpr GUID kLinkportTypeLibId = {0x233CD11E, 0x4F7C, 0x4452, {0x92, 0x3E, 0xF5, 0x33, 0xB9, 0x54, 0x9F, 0xCC}};
// {5B0E4C0A-3D61-4E36-9C52-7A1F0D9E2B47}
constexpr IID kILinkportPlugIid = {0x5B0E4C0A, 0x3D61, 0x4E36, {0x9C, 0x52, 0x7A, 0x1F, 0x0D, 0x9E, 0x2B, 0x47}};

constexpr char kLinkportClsidText[] = "{C025ACE8-F726-4773-A829-123D9AD06598}";
constexpr char kLinkportTypeLibText[] = "{233CD11E-4F7C-4452-923E-F533B9549FCC}";

}  // namespace mb
#endif
