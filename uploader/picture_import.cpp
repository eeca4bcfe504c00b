#include "uploader/picture_import.h"

#include <commdlg.h>

#include <cstdio>

#include "common/gbk_text.h"

namespace hoistly {

namespace {
const char kFilter[] =
    "Picture files (*.jpg)\0*.jpg\0Picture files (*.gif)\0*.gif\0BMP files (*.bmp)\0*.bmp\0All Files (*.*)\0*.*\0";
const DWORD kSelectionBytes = 64 * 1024;

std::string FileNameOf(const std::string& path) {
  const size_t slash = mb::GbkFindLast(path, '\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path) {
  const size_t slash = mb::GbkFindLast(path, '\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool SameFolder(const std::string& a, const std::string& b) {
  auto bare = [](std::string text) {
    while (mb::GbkEndsWith(text, '\\')) text.pop_back();
    return text;
  };
  return mb::GbkEqualsNoCase(bare(a), bare(b));
}
}  // namespace

std::string FreeFileName(const std::string& name, const std::function<bool(const std::string&)>& taken) {
  if (!taken(name)) return name;
  const size_t dot = mb::GbkFindLast(name, '.');
  const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
  const std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
  for (int n = 1;; ++n) {
    char number[16];
    std::snprintf(number, sizeof number, "(%d)", n);
    const std::string candidate = stem + number + extension;
    if (!taken(candidate)) return candidate;
  }
}

bool SplitDialogSelection(const char* buffer, std::string& folder, std::vector<std::string>& paths) {
  paths.clear();
  const std::string first = buffer;
  if (first.empty()) return false;
  const char* next = buffer + first.size() + 1;
  if (*next == '\0') {
    folder = FolderOf(first);
    paths.push_back(first);
    return true;
  }
  folder = first;
  for (; *next; next += std::string(next).size() + 1) paths.push_back(folder + "\\" + next);
  return true;
}

std::vector<std::string> CopyIntoFolder(const std::vector<std::string>& paths, const std::string& folder) {
  std::vector<std::string> copied;
  for (const std::string& path : paths) {
    const std::string name = FreeFileName(FileNameOf(path), [&](const std::string& candidate) {
      return GetFileAttributesA((folder + "\\" + candidate).c_str()) != INVALID_FILE_ATTRIBUTES;
    });
    const std::string target = folder + "\\" + name;
    if (CopyFileA(path.c_str(), target.c_str(), TRUE)) copied.push_back(target);
  }
  return copied;
}

ImportResult ImportPictures(HWND owner, const std::string& folder) {
  ImportResult result;
  std::string buffer(kSelectionBytes, '\0');
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = kFilter;
  dialog.lpstrFile = &buffer[0];
  dialog.nMaxFile = kSelectionBytes - 2;
  dialog.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetOpenFileNameA(&dialog)) return result;
  std::string chosenFolder;
  std::vector<std::string> paths;
  if (!SplitDialogSelection(buffer.c_str(), chosenFolder, paths)) return result;
  if (SameFolder(chosenFolder, folder)) {
    result.sameFolder = true;
    return result;
  }
  result.copied = CopyIntoFolder(paths, folder);
  return result;
}

}  // namespace hoistly
