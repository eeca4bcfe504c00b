#include "common/win/file_version.h"

#include <windows.h>

#include <vector>

#include "common/version_text.h"

namespace mb {

VersionInfo::VersionInfo(const std::string& path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) return;
  std::vector<char> block(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return;

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  if (!VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize) || !fixed ||
      fixedSize < sizeof(VS_FIXEDFILEINFO) || fixed->dwSignature != 0xFEEF04BD) {
    return;
  }
  fileVersionMS_ = fixed->dwFileVersionMS;
  fileVersionLS_ = fixed->dwFileVersionLS;

  void* translations = nullptr;
  UINT translationBytes = 0;
  if (VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &translations, &translationBytes)) {
    translationCount_ = static_cast<int>(translationBytes / (2 * sizeof(WORD)));
  }
  valid_ = true;
}

bool GetFileVersionText(const std::string& path, std::string& text) {
  VersionInfo info(path);
  if (!info.IsValid()) return false;
  text = FormatFileVersion(info.MostSignificant(), info.LeastSignificant());
  return true;
}

}  // namespace mb
