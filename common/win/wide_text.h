// Conversions between the programs' GBK texts (code page 936) and UTF-16, for the COM and wide
// interfaces that have no A form. Header-only: Windows code of every module includes it.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace mb {

constexpr UINT kGbkCodePage = 936;

// Converts bytes in a code page to UTF-16. With strict set, bytes that are not valid in the code
// page fail the conversion (false); otherwise they become replacement characters.
inline bool CodePageToWide(UINT codePage, std::string_view bytes, bool strict, std::wstring& wide) {
  wide.clear();
  if (bytes.empty()) return true;
  const DWORD flags = strict ? MB_ERR_INVALID_CHARS : 0;
  const int count = MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (count <= 0) return false;
  wide.resize(static_cast<std::size_t>(count));
  MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), &wide[0], count);
  return true;
}

inline std::wstring GbkToWide(std::string_view gbk) {
  std::wstring wide;
  CodePageToWide(kGbkCodePage, gbk, false, wide);
  return wide;
}

// Characters without a GBK form become '?'.
inline std::string WideToGbk(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int count = WideCharToMultiByte(kGbkCodePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                        nullptr, nullptr);
  if (count <= 0) return {};
  std::string gbk(static_cast<std::size_t>(count), '\0');
  WideCharToMultiByte(kGbkCodePage, 0, wide.data(), static_cast<int>(wide.size()), &gbk[0], count, nullptr, nullptr);
  return gbk;
}

}  // namespace mb
