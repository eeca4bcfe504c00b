#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/winkit/screenshot.h"
#include "tests/winkit/standin_client.h"
#include "tests/winkit/winkit.h"
#include "upload/win/tests/standin_control.h"
#include "uploader/hoistly_resource.h"
#include "uploader/tests/hoistly_driver.h"

namespace {

using namespace hoistlytest;

// A noisy band, so that the file spans many blocks.
void WritePicture(const std::string& path, std::uint32_t seed) {
  ASSERT_TRUE(WriteNoisyPicture(path, seed, 400, {40, 90, 160, 255})) << path;
}

winkit::Rgb Colour(COLORREF colour) {
  return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

// A child window's rectangle in its frame's client coordinates.
RECT RectIn(HWND frame, HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// The four labels of the information pane, top to bottom.
std::vector<HWND> InfoLabels(HWND infoPane) {
  HWND dialog = FindWindowExA(infoPane, nullptr, "#32770", nullptr);
  std::vector<HWND> labels;
  for (HWND label = FindWindowExA(dialog, nullptr, "#32770", nullptr); label;
       label = FindWindowExA(dialog, label, "#32770", nullptr)) {
    labels.push_back(label);
  }
  std::sort(labels.begin(), labels.end(), [](HWND a, HWND b) {
    RECT ra, rb;
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    return ra.top < rb.top;
  });
  return labels;
}

std::string LabelText(HWND label) { return Text(GetDlgItem(label, 1038)); }

struct TipSearch {
  DWORD processId;
  HWND label;
  std::string text;
};

// One tooltip control of Hoistly asked for the label's tool text; enumeration stops at the text.
BOOL CALLBACK AskTip(HWND tip, LPARAM data) {
  auto* search = reinterpret_cast<TipSearch*>(data);
  char name[64] = "";
  GetClassNameA(tip, name, sizeof name);
  if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0 || winkit::WindowProcessId(tip) != search->processId) return TRUE;
  // The wide form: the narrow one copies at most 80 bytes of any tip.
  struct Ask {
    TTTOOLINFOW info;
    wchar_t text[1100];
  } ask = {};
  RemoteBuffer remote(search->processId, sizeof ask);
  ask.info.cbSize = TTTOOLINFOW_V2_SIZE;
  ask.info.hwnd = search->label;
  ask.info.uId = reinterpret_cast<UINT_PTR>(search->label);
  const LPARAM address = remote.Put(&ask, sizeof ask);
  ask.info.lpszText = reinterpret_cast<wchar_t*>(address + offsetof(Ask, text));
  remote.Put(&ask, sizeof ask);
  SendMessageW(tip, TTM_GETTEXTW, sizeof ask.text / sizeof ask.text[0], address);
  remote.Get(&ask, sizeof ask);
  char narrow[2200] = "";
  WideCharToMultiByte(CP_ACP, 0, ask.text, -1, narrow, sizeof narrow, nullptr, nullptr);
  search->text = narrow;
  return search->text.empty();
}

// The tooltip text the label registered for itself, asked of every tooltip control of Hoistly.
std::string LabelTip(HWND label, DWORD processId) {
  TipSearch search = {processId, label, ""};
  EnumWindows(AskTip, reinterpret_cast<LPARAM>(&search));
  return search.text;
}

}  // namespace

// An upload to the stand-in servers as the status bar shows it: the skinned bar with its framed
// panes, the progress control over pane 1 from the first block with its percentage (a screenshot
// at about 37%), gone when all is sent. The control itself: an empty range paints nothing and divides
// by nothing, and its text is copied with room for the terminating zero. Then the information
// pane: a row click fills its four labels, a row whose file was deleted leaves them, and a long
// folder is whole in the label's tooltip.
TEST(HoistlyStatus, UploadProgressAndInformationPane) {
  winkit::StandinSession service;
  uploadtest::StandinControl servers;
  servers.Reset();
  servers.Command("delay block 400");  // about 15 blocks a second over the six connections
  winkit::InstallFolder folder(kProgram);
  const std::string pictures = "C:\\hoistly_status_" + std::to_string(GetCurrentProcessId()) +
                               "\\a_folder_whose_name_is_far_too_long_for_the_information_pane_to_show_in_one_line";
  ASSERT_TRUE(winkit::MakeFolders(pictures));
  const std::string first = pictures + "\\a.jpg", second = pictures + "\\b.jpg";
  WritePicture(first, 7);
  WritePicture(second, 11);

  Uploader uploader;
  ASSERT_TRUE(uploader.Start(folder.Path(""), "张三"));
  const DWORD id = uploader.Id();
  HWND frame = winkit::WaitForWindow(nullptr, kTitle, kStartTimeoutMs, id);
  ASSERT_NE(frame, nullptr);
  HWND inner = GetDlgItem(frame, ID_INNER_SPLITTER);
  HWND view = GetDlgItem(inner, ID_PANE_IMAGE_VIEW);
  HWND infoPane = GetDlgItem(GetDlgItem(inner, ID_OUTER_SPLITTER), ID_PANE_INFO);
  HWND status = Child(frame, STATUSCLASSNAMEA, ID_VIEW_STATUS_BAR);
  HWND progress = Child(status, PROGRESS_CLASSA, ID_STATUS_PROGRESS);
  ASSERT_TRUE(view && infoPane && status && progress);
  RemoteBuffer path(id, MAX_PATH);
  SendMessageA(GetDlgItem(inner, ID_PANE_FOLDER_TREE), WM_USER + 51, 0, path.Put(pictures.c_str(), pictures.size() + 1));
  HWND list = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    list = FindChild(view, WC_LISTVIEWA, true);
    return list && SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 2;
  }));
  HWND toolBar = GetDlgItem(frame, ID_VIEW_TOOLBAR);
  ASSERT_TRUE(WaitUntil([&] { return SendMessageA(toolBar, TB_ISBUTTONENABLED, 32895, 0) != 0; }));

  // The skinned bar: both frame colours around the panes.
  RECT bar = RectIn(frame, status);
  winkit::RgbImage shot = winkit::CaptureClientArea(frame);
  EXPECT_GT(shot.CountPixels({255, 206, 104}, bar.left, bar.top, bar.right, bar.bottom), 100u);
  EXPECT_GT(shot.CountPixels({226, 121, 31}, bar.left, bar.top, bar.right, bar.bottom), 100u);

  // Everything ticked and sent: the bar is caught at about 37% on its way (35-40%: one percent
  // lasts a few tens of milliseconds, less than a loaded machine may keep this thread waiting).
  SendMessageA(frame, WM_COMMAND, 32891, 0);
  PostMessageA(frame, WM_COMMAND, 32895, 0);
  bool at37 = WaitUntil(
      [&] {
        const int high = static_cast<int>(SendMessageA(progress, PBM_GETRANGE, FALSE, 0));
        const int pos = static_cast<int>(SendMessageA(progress, PBM_GETPOS, 0, 0));
        const int percent = high > 0 ? pos * 100 / high : 0;
        return IsWindowVisible(progress) && percent >= 35 && percent <= 40;
      },
      60000);
  ASSERT_TRUE(at37);
  shot = winkit::SaveClientScreenshot(frame, "hoistly_status_37");
  const RECT bounds = RectIn(frame, progress);
  const int row = bounds.top + 1, width = bounds.right - bounds.left;
  const winkit::Rgb barColour = Colour(GetSysColor(COLOR_HIGHLIGHT)), backColour = Colour(GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(shot.Pixel(bounds.left + width * 30 / 100, row), barColour);
  EXPECT_EQ(shot.Pixel(bounds.left + width * 60 / 100, row), backColour);
  EXPECT_TRUE(winkit::AnswerMessageBox("提示", IDOK, 60000, nullptr, id));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(progress); }));
  EXPECT_EQ(servers.Records().size(), 2u);

  // An empty range: the position is taken without a fault and not a pixel changes.
  ShowWindow(progress, SW_SHOWNA);
  SendMessageA(progress, PBM_SETRANGE32, 0, 100);
  SendMessageA(progress, PBM_SETPOS, 50, 0);
  // Painted before the picture is taken, as below: no part of the full bar shown at the end of the
  // batch may still be on the screen.
  RedrawWindow(progress, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  winkit::PumpMessages(200);
  const winkit::RgbImage half = winkit::CaptureClientArea(frame);
  EXPECT_EQ(half.Pixel(bounds.left + width / 4, row), barColour);
  SendMessageA(progress, PBM_SETRANGE32, 0, 0);
  EXPECT_EQ(SendMessageA(progress, PBM_SETPOS, 80, 0), 50);
  RedrawWindow(progress, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  winkit::PumpMessages(200);
  const winkit::RgbImage empty = winkit::CaptureClientArea(frame);
  for (int x = bounds.left; x < bounds.right; x += 3) {
    for (int y = bounds.top; y < bounds.bottom; ++y) ASSERT_EQ(empty.Pixel(x, y), half.Pixel(x, y)) << x << "," << y;
  }
  SendMessageA(progress, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc"));
  char text[3] = "zz";
  EXPECT_EQ(SendMessageA(progress, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)), 2);
  EXPECT_STREQ(text, "ab");
  SendMessageA(progress, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  ShowWindow(progress, SW_HIDE);

  // A row click fills the information pane.
  const std::vector<HWND> labels = InfoLabels(infoPane);
  ASSERT_EQ(labels.size(), 4u);
  ClickRow(list, id, 0);
  ASSERT_TRUE(WaitUntil([&] { return LabelText(labels[3]) == "图像大小：1024*768"; }, 5000)) << LabelText(labels[3]);
  EXPECT_EQ(LabelText(labels[0]), "文件名：a.jpg");
  EXPECT_EQ(LabelText(labels[1]), "文件路径：" + pictures);
  EXPECT_EQ(LabelText(labels[2]).rfind("文件大小：", 0), 0u) << LabelText(labels[2]);
  // The folder is cut in the label but whole in its tooltip.
  EXPECT_EQ(LabelTip(labels[1], id), "文件路径：" + pictures);
  RECT label;
  GetClientRect(labels[1], &label);
  EXPECT_LT(label.right, static_cast<LONG>(pictures.size()) * 5);
  Sleep(500);
  winkit::SaveClientScreenshot(frame, "hoistly_information_pane");

  // The other row's file is gone: its click leaves the pane as it was.
  ASSERT_TRUE(DeleteFileA(second.c_str()));
  ClickRow(list, id, 1);
  winkit::PumpMessages(1000);
  EXPECT_EQ(LabelText(labels[0]), "文件名：a.jpg");
  EXPECT_EQ(LabelText(labels[1]), "文件路径：" + pictures);

  PostMessageA(frame, WM_USER + 998, 0, 0);
  EXPECT_TRUE(uploader.WaitForExit(kStartTimeoutMs));
  DeleteFileA(first.c_str());
  RemoveDirectoryA(pictures.c_str());
  RemoveDirectoryA(pictures.substr(0, pictures.rfind('\\')).c_str());
  servers.Reset();
}
