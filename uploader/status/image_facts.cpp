#include "uploader/status/image_facts.h"

#include <windows.h>

#include "common/gbk_text.h"

namespace hoistly {

bool ReadImageFacts(const stImageInfo& info, ImageFacts& facts) {
  const std::string path = mb::ReadField(info.filePath, sizeof info.filePath);
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (path.empty() || attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  const size_t slash = mb::GbkFindLast(path, '\\');
  facts.name = slash == std::string::npos ? path : path.substr(slash + 1);
  facts.folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
  facts.size = mb::ReadField(info.sizeText, sizeof info.sizeText);
  facts.dimensions = mb::ReadField(info.dimensions, sizeof info.dimensions);
  return true;
}

}  // namespace hoistly
