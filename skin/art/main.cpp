// skin_art OUTPUT_FOLDER [FONT_FILE]: writes the skin pictures and configurations of the three
// layouts and their waiting animations into OUTPUT_FOLDER.
#include <cstdio>
#include <string>

#include "common/atomic_file.h"
#include "skin/art/skin_art.h"

namespace {

constexpr const char* kDefaultFont = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc";

bool Write(const std::string& folder, const std::string& name, const std::string& bytes) {
  const std::string path = folder + "/" + name;
  if (mb::WriteFileReplacing(path, bytes)) return true;
  std::fprintf(stderr, "skin_art: cannot write %s\n", path.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: skin_art OUTPUT_FOLDER [FONT_FILE]\n");
    return 2;
  }
  const std::string folder = argv[1];
  std::string error;
  auto text = mb::skinart::TextPainter::Open(argc == 3 ? argv[2] : kDefaultFont, &error);
  if (!text) {
    std::fprintf(stderr, "skin_art: %s\n", error.c_str());
    return 1;
  }
  for (int layout = 1; layout <= 3; ++layout) {
    const mb::skinart::SkinArt art = mb::skinart::DrawSkinArt(layout, *text);
    if (!Write(folder, mb::skinart::SkinPictureFileName(layout), mb::skinfile::EncodeBmp24(art.picture)) ||
        !Write(folder, mb::skinart::SkinConfigFileName(layout), mb::skinfile::FormatSkinCatalog(art.catalog)) ||
        !Write(folder, mb::skinart::WaitingAnimationFileName(layout), mb::skinart::WaitingAnimation(layout))) {
      return 1;
    }
  }
  return 0;
}
