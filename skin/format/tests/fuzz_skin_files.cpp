// The skin engine reads the configuration and the picture from the program folder: any bytes
// must parse or fail cleanly, and whatever parses must format and parse back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "skin/format/bmp24.h"
#include "skin/format/keyed_region.h"
#include "skin/format/skin_catalog.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const mb::skinfile::ParsedCatalog parsed = mb::skinfile::ParseSkinCatalog(bytes);
  const mb::skinfile::ParsedCatalog again = mb::skinfile::ParseSkinCatalog(FormatSkinCatalog(parsed.catalog));
  if (again.rejectedLines != 0 || again.catalog.Images().size() != parsed.catalog.Images().size()) std::abort();

  if (const auto bitmap = mb::skinfile::DecodeBmp24(bytes)) {
    if (bitmap->Width() > 64 || bitmap->Height() > 64) return 0;
    const auto region = mb::skinfile::KeyedRegion(*bitmap, {0, 0, bitmap->Width(), bitmap->Height()},
                                                  mb::skinfile::SkinCatalog::kDefaultTransparent);
    for (const auto& r : region) {
      if (r.left < 0 || r.top < 0 || r.right > bitmap->Width() || r.bottom > bitmap->Height()) std::abort();
    }
  }
  return 0;
}
