#include "client/core/win/advert_cache.h"

#include "client/core/win/url_download.h"
#include "common/atomic_file.h"
#include "common/win/url_fetch.h"
#include "image/picture.h"
#include "image/win/picture_gdi.h"

namespace mb {

void RunAdvertCache(const AdvertCachePlaces& places, AdvertSchedule& schedule, const std::atomic<int>& quitting,
                    DWORD timeLimitMs) {
  const std::string listFile = NewTemporaryFile("NEW");
  if (listFile.empty()) return;
  const UrlDownloadLimits limits{timeLimitMs, &quitting};
  const bool fetched = DownloadUrlToFile(places.listUrl, listFile, limits);
  const std::optional<std::string> text = fetched ? ReadWholeFile(listFile) : std::nullopt;
  DeleteFileA(listFile.c_str());
  if (!text || quitting) return;

  std::vector<AdSlot> slots = ParseAdvertList(*text, places.programFolder);
  if (!slots.empty()) CreateDirectoryA((places.programFolder + "conf").c_str(), nullptr);
  for (const AdSlot& slot : slots) {
    if (quitting) return;
    // A picture that fails stays out of the cache; the player then shows the plain wallpaper.
    if (!FileExists(slot.localPath)) DownloadUrlToFile(slot.pictureUrl, slot.localPath, limits);
  }
  if (quitting) return;
  schedule.Replace(std::move(slots));
}

bool ComposeAdvertOverlay(const std::string& picturePath, const std::string& advertPath, int left, int top,
                          int width, int height, const std::string& outputPath) {
  Picture picture, advert;
  if (width <= 0 || height <= 0 || !picture.Load(picturePath) || !advert.Load(advertPath)) return false;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateCompatibleBitmap(screen, width, height);
  ReleaseDC(nullptr, screen);
  bool drawn = false;
  if (memory && canvas) {
    HGDIOBJ old = SelectObject(memory, canvas);
    drawn = DrawPicture(memory, picture, 0, 0, width, height) &&
            DrawPicture(memory, advert, left, top, advert.Width(), advert.Height());
    SelectObject(memory, old);
  }
  Picture composed;
  const bool saved = drawn && PictureFromBitmap(canvas, composed) && composed.Save(outputPath, PictureFormat::kBmp);
  if (canvas) DeleteObject(canvas);
  if (memory) DeleteDC(memory);
  return saved;
}

}  // namespace mb
