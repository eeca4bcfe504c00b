// The recommended-pictures fetch that follows every login request: one run at a time, on a
// thread of its own. It fetches the list, puts the new home address and the list's label into
// the configuration, downloads the pictures the download folder lacks into their category
// folders (each under a temporary name, renamed once whole) and keeps the list's stamp in
// top10.dat, so that the same list is not fetched again.
#pragma once

#include <windows.h>

#include <string>

namespace mb {

// Posted to the listening window when the list has been applied (or found already applied).
constexpr UINT WM_TOP_LIST_READ = WM_USER + 0x1D0;

// The window that hears of finished runs (the main window while it stands); null for none. A
// run that ends before a window listens has already put its label into the configuration, so a
// window that starts listening and then reads the label misses nothing.
void SetTopListListener(HWND window);

struct TopListFetchPlaces {
  std::string listUrl;         // site + "/client/yhtj1.html"
  std::string downloadFolder;  // with its trailing backslash
  std::string stampPath;       // program folder + "top10.dat"
};

// Starts a run with the configuration's places unless one is running; false then.
bool FetchTopList();
bool FetchTopList(const TopListFetchPlaces& places);

// True while a run is under way.
bool TopListFetchRunning();

// Asks a run to end between its downloads and waits up to waitMs. From this call on the run
// no longer touches the configuration or posts anything, even when it outlives the wait.
bool StopTopListFetch(DWORD waitMs);

}  // namespace mb
