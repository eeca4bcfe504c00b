// Thumbnail benchmark program (run under Wine, and natively, by run_thumbnail_bench.sh):
//   thumbnail_bench generate FOLDER COUNT   writes COUNT 4000 x 3000 JPEGs with photo-like detail
//   thumbnail_bench thumbs FOLDER           makes the picture list's 90 x 90 framed thumbnail of
//                                           every *.jpg in FOLDER; prints files, ms, ms per file
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "image/picture.h"

namespace {

// Smooth shapes plus fine grain, so the files compress like photographs (a few MB each).
mb::Picture Photo(int width, int height, unsigned seed) {
  mb::PictureData d;
  d.width = width;
  d.height = height;
  d.frameCount = 1;
  d.pixels.resize(d.Stride() * height);
  unsigned state = seed * 2654435761u + 1;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = &d.pixels[d.Stride() * y];
    for (int x = 0; x < width; ++x) {
      state ^= state << 13;
      state ^= state >> 17;
      state ^= state << 5;
      const int grain = static_cast<int>(state % 41) - 20;
      const int wave = ((x / 7 + y / 11 + static_cast<int>(seed)) % 64) * 2;
      const int base[3] = {(x * 255 / width + wave) / 2, (y * 255 / height + wave) / 2, ((x ^ y) & 255) / 2};
      for (int k = 0; k < 3; ++k) row[x * 3 + k] = static_cast<std::uint8_t>(std::min(255, std::max(0, base[k] + 40 + grain)));
    }
  }
  mb::Picture p;
  p.Adopt(std::move(d));
  return p;
}

std::vector<std::string> JpegFiles(const std::string& folder) {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().extension() == ".jpg") files.push_back(entry.path().string());
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 2 ? argv[1] : "";
  if (mode == "generate" && argc == 4) {
    std::filesystem::create_directories(argv[2]);
    for (int i = 0, n = std::atoi(argv[3]); i < n; ++i) {
      mb::Picture photo = Photo(4000, 3000, static_cast<unsigned>(i));
      char name[32];
      std::snprintf(name, sizeof name, "photo%03d.jpg", i);
      if (!photo.Save((std::filesystem::path(argv[2]) / name).string(), mb::PictureFormat::kJpeg)) {
        std::fprintf(stderr, "%s\n", photo.LastError().c_str());
        return 1;
      }
    }
    return 0;
  }
  if (mode != "thumbs") {
    std::fprintf(stderr, "usage: thumbnail_bench generate FOLDER COUNT | thumbs FOLDER\n");
    return 2;
  }
  const std::vector<std::string> files = JpegFiles(argv[2]);
  const auto start = std::chrono::steady_clock::now();
  int made = 0;
  for (const std::string& file : files) {
    mb::Picture picture;
    if (!mb::LoadThumbnail(file, 88, 88, picture)) {
      std::fprintf(stderr, "%s: %s\n", file.c_str(), picture.LastError().c_str());
      continue;
    }
    const mb::Picture framed = mb::MakeFramedThumbnail(picture, 90, 90, mb::Rgba{0xC0, 0xC0, 0xC0, 255},
                                                       mb::Rgba{255, 255, 255, 255});
    made += framed.IsValid() ? 1 : 0;
  }
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("thumbnails %d of %d files in %.1f ms, %.2f ms per file\n", made, static_cast<int>(files.size()), ms,
              files.empty() ? 0.0 : ms / static_cast<double>(files.size()));
  return made == static_cast<int>(files.size()) ? 0 : 1;
}
