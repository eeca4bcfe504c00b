// Manager page benchmark program (run under Wine by run_manager_bench.sh):
//   manager_bench PROGRAM_FOLDER ROUNDS
// PROGRAM_FOLDER holds wallpaper\bench (the pictures) and wallpaper\empty. Each round selects
// "empty", then "bench" in skin layout 1 and pumps the page's messages until the first page's
// 20 thumbnails are drawn. Prints per round the time from the selection to that paint and the
// longest time the window's thread spent in one step (the selection itself or one message);
// then the shown pictures' paths, one a line after "shown:", for the djpeg runs.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "client/core/client_config.h"
#include "client/ui/manager/win/wallpaper_manager_page.h"
#include "framework/module.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

class BenchHost : public fw::Window {
 public:
  BenchHost() {
    const RECT frame = {10, 10, 10 + 540, 10 + 340};
    Create(nullptr, "manager bench", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW, &frame);
  }
  ~BenchHost() override { Destroy(); }

 protected:
  fw::WindowClassSpec ClassSpec() const override {
    fw::WindowClassSpec spec;
    spec.name = "mb.bench.ManagerHost";
    return spec;
  }
};

struct Round {
  double drawnMs = 0;
  double longestStepMs = 0;
  UINT longestMessage = 0;  // 0: the selection itself
};

// Selects the category and runs the window's messages until every cell of the page is drawn.
Round MeasureSelection(mb::WallpaperManagerPage& page, int cells) {
  Round round;
  const Clock::time_point start = Clock::now();
  page.SelectCategoryInTree("bench");
  round.longestStepMs = Milliseconds(start, Clock::now());
  const mb::ThumbnailPreviewList& list = page.Preview();
  const Clock::time_point deadline = start + std::chrono::seconds(60);
  while (Clock::now() < deadline) {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (list.ReadyCells() == cells && !GetUpdateRect(list.Handle(), nullptr, FALSE)) break;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
      continue;
    }
    const Clock::time_point step = Clock::now();
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    const double ms = Milliseconds(step, Clock::now());
    if (ms > round.longestStepMs) {
      round.longestStepMs = ms;
      round.longestMessage = msg.message;
    }
  }
  round.drawnMs = Milliseconds(start, Clock::now());
  return round;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: manager_bench PROGRAM_FOLDER ROUNDS\n");
    return 2;
  }
  fw::Module::Init(GetModuleHandleA(nullptr));
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  std::string folder = argv[1];
  if (folder.back() != '\\') folder += '\\';
  if (!mb::CreateClientConfig({folder, "http://127.0.0.1:9"})) return 1;
  mb::GetClientConfig()->skinLayout = 1;
  int status = 0;
  {
    BenchHost host;
    mb::WallpaperManagerPage page;
    if (!page.Create(host.Handle())) return 1;
    MoveWindow(page.Handle(), 0, 0, 528, 318, TRUE);
    ShowWindow(page.Handle(), SW_SHOW);
    const int cells = 20;
    for (int i = 0, rounds = std::atoi(argv[2]); i < rounds; ++i) {
      page.SelectCategoryInTree("empty");
      const Round round = MeasureSelection(page, cells);
      if (page.Preview().ReadyCells() != cells) status = 1;
      std::printf("round %d: first %d thumbnails drawn in %.1f ms, longest step %.1f ms (message 0x%X)\n", i + 1,
                  cells, round.drawnMs, round.longestStepMs, round.longestMessage);
    }
    std::printf("shown:\n");
    for (int cell = 0; cell < cells; ++cell) std::printf("%s\n", page.Preview().PathOfCell(cell).c_str());
  }
  mb::DestroyClientConfig();
  return status;
}
