// Bytes from anywhere: percent-encoding keeps only safe characters and decodes back to the same
// bytes; the query never gains a separator from a value; path texts split back into the path.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "client/core/path_text.h"
#include "client/core/service_url.h"

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string Decode(const std::string& encoded) {
  std::string bytes;
  for (std::size_t i = 0; i < encoded.size(); ++i) {
    const char c = encoded[i];
    if (c == '%') {
      if (i + 2 >= encoded.size()) std::abort();
      const int high = HexValue(encoded[i + 1]), low = HexValue(encoded[i + 2]);
      if (high < 0 || low < 0) std::abort();
      bytes += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                              c == '-' || c == '_' || c == '.' || c == '~';
      if (!unreserved) std::abort();
      bytes += c;
    }
  }
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);

  const std::string encoded = mb::PercentEncode(input);
  if (Decode(encoded) != input) std::abort();

  const std::string url = mb::AppendQuery(input, mb::QueryText().Add("v", input));
  if (url.size() < input.size()) std::abort();

  // Path texts: the pieces put back together give the path again.
  const mb::PathParts parts = mb::SplitPath(input);
  const std::string rebuilt =
      parts.folder + parts.baseName + (input.size() > parts.folder.size() + parts.baseName.size() ? "." : "") +
      parts.extension;
  if (rebuilt != input) std::abort();
  const std::string name = mb::GetFileNamePart(input);
  if (input.compare(input.size() - name.size(), name.size(), name) != 0) std::abort();
  for (const std::string& folder : mb::FolderChain(input)) {
    if (input.compare(0, folder.size(), folder) != 0) std::abort();
  }
  mb::IsPictureFileName(input);
  mb::ImageFormatFromExtension(input);
  mb::FolderSearchPattern(input);
  return 0;
}
