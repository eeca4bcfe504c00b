// The member's road through Hoistly's picture settings, with real clicks and keys: what is typed
// for a picture reaches the service's record of that picture, whichever way the member moved
// between the rows, changed folders or started the upload.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tests/winkit/member_input.h"
#include "tests/winkit/screenshot.h"
#include "tests/winkit/standin_client.h"
#include "tests/winkit/winkit.h"
#include "upload/win/tests/standin_control.h"
#include "uploader/hoistly_resource.h"
#include "uploader/member/win/member_resources.h"
#include "uploader/tests/hoistly_driver.h"

namespace {

using namespace hoistlytest;

void WritePicture(const std::string& path, std::uint32_t seed) {
  ASSERT_TRUE(WriteNoisyPicture(path, seed, 8, {90, 140, 60, 255})) << path;
}

// What the service must hold for one picture.
struct Expected {
  std::string title, remark, tag;
  int privateFlag = 0, pk = 0;
  unsigned pictureType = 12;
};

std::string Describe(const std::string& title, const std::string& remark, const std::string& tag, int privateFlag,
                     int pk, unsigned pictureType) {
  return title + " | " + remark + " | " + tag + " | private " + std::to_string(privateFlag) + " | pk " +
         std::to_string(pk) + " | type " + std::to_string(pictureType);
}

class Road {
 public:
  Road(HWND frame, DWORD processId) : frame_(frame), id_(processId) {
    HWND inner = GetDlgItem(frame, ID_INNER_SPLITTER);
    view_ = GetDlgItem(inner, ID_PANE_IMAGE_VIEW);
    tree_ = GetDlgItem(inner, ID_PANE_FOLDER_TREE);
    pane_ = FindWindowExA(GetDlgItem(GetDlgItem(inner, ID_OUTER_SPLITTER), ID_PANE_IMAGE_LIMIT), nullptr, "#32770",
                          nullptr);
    status_ = Child(frame, STATUSCLASSNAMEA, ID_VIEW_STATUS_BAR);
  }
  HWND Pane() const { return pane_; }
  HWND Item(int id) const { return GetDlgItem(pane_, id); }
  HWND List() const { return list_; }

  // Scene: the folder tree is set to a folder, as the member's choice of it would.
  bool OpenFolder(const std::string& folder, int rows) {
    RemoteBuffer path(id_, MAX_PATH);
    SendMessageA(tree_, WM_USER + 51, 0, path.Put(folder.c_str(), folder.size() + 1));
    return WaitUntil([&] {
      list_ = FindChild(view_, WC_LISTVIEWA, true);
      return list_ && SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0) == rows &&
             !FindWindowA(nullptr, "正在载入图片...");
    });
  }

  std::string FileOfRow(int row) const { return CellText(list_, id_, row, 0); }

  // Other tests' windows share the display: the frame is brought forward again until the point
  // reaches the window meant (or a few seconds pass).
  bool InSight(POINT point, HWND window) {
    for (int tries = 0; tries < 20; ++tries) {
      if (winkit::BringToFront(frame_) && winkit::PointReaches(point, window)) return true;
      Sleep(250);
    }
    return false;
  }
  bool Click(HWND control) {
    for (int tries = 0; tries < 20; ++tries) {
      if (winkit::ClickControl(control)) return true;
      Sleep(250);
    }
    return false;
  }

  // A double click on the row's file name: the editor opens on the picture.
  void DoubleClickRow(int row) {
    const POINT point = RowPoint(row);
    ASSERT_TRUE(InSight(point, list_)) << "row " << row << " is covered";
    winkit::DoubleClickAt(point);
    Settle();
  }

  // A click on the row's file name (its tick toggles, as the member's click on a row does).
  void ClickRow(int row) {
    const POINT point = RowPoint(row);
    ASSERT_TRUE(InSight(point, list_)) << "row " << row << " is covered";
    winkit::ClickAt(point);
    Settle();
  }

  // A key for the list, which has the keyboard once the frame is in front again.
  void Key(WORD key) {
    ASSERT_TRUE(winkit::BringToFront(frame_));
    ASSERT_EQ(FocusOf(list_), list_);
    winkit::PressKey(key);
    Settle();
  }

  // Clicks into a box of the pane and types over what it holds; typed again when another test's
  // window took the keyboard meanwhile (the box then holds something else).
  void TypeInto(int id, const std::string& text) {
    for (int tries = 0; tries < 5 && winkit::WindowText(Item(id)) != text; ++tries) {
      ASSERT_TRUE(Click(Item(id)));
      winkit::PressKey(VK_END, winkit::kCtrl);
      winkit::PressKey(VK_HOME, winkit::kCtrl | winkit::kShift);
      winkit::TypeText(text);
      Settle();
    }
    ASSERT_EQ(winkit::WindowText(Item(id)), text);
  }

  void TypeSettings(const std::string& title, const std::string& remark, const std::string& tag) {
    TypeInto(IDC_LIMIT_TITLE, title);
    TypeInto(IDC_LIMIT_REMARK, remark);
    TypeInto(IDC_LIMIT_TAG, tag);
  }

  // Opens the combo box with the mouse and clicks the entry in its dropped list.
  void ChooseWithMouse(int comboId, int entry) {
    HWND combo = Item(comboId);
    ASSERT_TRUE(Click(combo));
    HWND dropped = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (dropped = VisibleTopWindow("ComboLBox", id_)) != nullptr; }, 5000));
    RECT item = {};  // the system carries this list box message's rectangle across processes
    ASSERT_NE(SendMessageA(dropped, LB_GETITEMRECT, entry, reinterpret_cast<LPARAM>(&item)), LB_ERR);
    POINT point = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(dropped, &point);
    ASSERT_TRUE(winkit::PointReaches(point, dropped));
    winkit::ClickAt(point);
    Settle();
    ASSERT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), entry);
  }

  // The pane shows the row once its title box holds the row's title.
  bool PaneShows(const std::string& title) {
    return WaitUntil([&] { return winkit::WindowText(Item(IDC_LIMIT_TITLE)) == title; }, 5000);
  }

  std::string StatusText(int pane) const {
    char text[512] = "";
    RemoteBuffer remote(id_, sizeof text);
    const LPARAM address = remote.Put(text, sizeof text);
    SendMessageA(status_, SB_GETTEXTA, pane, address);
    remote.Get(text, sizeof text);
    return text;
  }

 private:
  static void Settle() { Sleep(250); }
  // The window with the keyboard focus in the thread that owns window.
  static HWND FocusOf(HWND window) {
    GUITHREADINFO info = {sizeof info};
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
  }
  // The centre of the row's file name, on the screen.
  POINT RowPoint(int row) const {
    RECT label = {LVIR_LABEL, 0, 0, 0};
    RemoteBuffer remote(id_, sizeof label);
    SendMessageA(list_, LVM_GETITEMRECT, row, remote.Put(&label, sizeof label));
    remote.Get(&label, sizeof label);
    POINT point = {(label.left + label.right) / 2, (label.top + label.bottom) / 2};
    ClientToScreen(list_, &point);
    return point;
  }

  HWND frame_, view_ = nullptr, tree_ = nullptr, pane_ = nullptr, status_ = nullptr, list_ = nullptr;
  DWORD id_;
};

}  // namespace

// A first run (no category lists yet) against the stand-ins. The member opens a folder of twelve
// pictures and gives five of them, the ninth among them, a title, remark and tag, moving between
// the rows with the mouse and with the arrow keys; sets one private with the mouse and ticks
// "参与图片PK" for another; opens another folder and comes back; and starts the upload from the
// pane while it shows a row reached with the keys. Every record the upload server receives
// carries exactly what was typed for its picture, the category chosen from the lists that arrived
// after the start, and nothing of another row's settings. Then a double click opens the editor with
// the picture's facts in the status bar, and leaving the editor gives the status bar back whole.
TEST(HoistlySettingsRoad, WhatTheMemberTypesReachesEachPicturesRecord) {
  winkit::StandinSession service;
  uploadtest::StandinControl servers;
  servers.Reset();
  winkit::InstallFolder folder(kProgram);
  const std::string root = "C:\\hoistly_road_" + std::to_string(GetCurrentProcessId());
  const std::string pictures = root + "\\pictures", other = root + "\\other";
  ASSERT_TRUE(winkit::MakeFolders(pictures));
  ASSERT_TRUE(winkit::MakeFolders(other));
  std::vector<std::string> files;
  for (int i = 0; i < 12; ++i) {
    files.push_back(pictures + "\\" + std::string(1, static_cast<char>('a' + i)) + ".jpg");
    WritePicture(files.back(), 100u + i);
  }
  WritePicture(other + "\\z.jpg", 7);

  Uploader uploader;
  ASSERT_TRUE(uploader.Start(folder.Path(""), "张三"));
  const DWORD id = uploader.Id();
  HWND frame = winkit::WaitForWindow(nullptr, kTitle, kStartTimeoutMs, id);
  ASSERT_NE(frame, nullptr);
  Road road(frame, id);
  ASSERT_NE(road.Pane(), nullptr);
  // The category lists came with the data files after the pane was made.
  ASSERT_TRUE(WaitUntil([&] { return SendMessageA(road.Item(IDC_LIMIT_CLASS_1), CB_GETCOUNT, 0, 0) == 3; }, 10000));
  // Scene: the report view, where the rows stand one under another.
  SendMessageA(frame, WM_COMMAND, 32787, 0);
  ASSERT_TRUE(road.OpenFolder(pictures, 12));
  std::vector<std::string> names;  // file name of each row, in the list's order
  for (int row = 0; row < 12; ++row) names.push_back(road.FileOfRow(row));

  std::map<std::string, Expected> expected;  // by file name, for every ticked row
  auto typed = [&](int row, const std::string& tag) -> Expected& {
    Expected& e = expected[names[row]];
    e.title = "Title " + tag;
    e.remark = "Remark " + tag + ", typed";
    e.tag = "tag" + tag;
    e.pictureType = 2;  // 风景 - 自然风光, the first choices of the lists that arrived
    return e;
  };

  // The ninth row, by mouse: the pane follows it (row 8 is a row like any other).
  road.ClickRow(8);
  ASSERT_TRUE(road.PaneShows(names[8]));
  EXPECT_EQ(road.StatusText(0), "当前文件夹共有 12 张图片文件，其中 1 张被选中");
  road.TypeSettings("Title 8", "Remark 8, typed", "tag8");
  typed(8, "8");

  // The tenth, by mouse; private, chosen with the mouse.
  road.ClickRow(9);
  ASSERT_TRUE(road.PaneShows(names[9]));
  EXPECT_EQ(road.StatusText(0), "当前文件夹共有 12 张图片文件，其中 2 张被选中");
  road.TypeSettings("Title 9", "Remark 9, typed", "tag9");
  road.ChooseWithMouse(IDC_LIMIT_ACCESS, 1);
  typed(9, "9").privateFlag = 1;

  // The eleventh is ticked and left as it came; Down reaches the twelfth, which takes part in PK.
  road.ClickRow(10);
  expected[names[10]] = {names[10], names[10], "", 0, 0, 12};
  road.Key(VK_DOWN);
  ASSERT_TRUE(road.PaneShows(names[11]));
  road.TypeSettings("Title 11", "Remark 11, typed", "tag11");
  ASSERT_TRUE(road.Click(road.Item(IDC_LIMIT_PK)));
  typed(11, "11").pk = 1;

  // A click on the twelfth (its edits go back to it), then Up twice: the tenth shows its own.
  road.ClickRow(11);
  ASSERT_TRUE(road.PaneShows("Title 11"));
  EXPECT_EQ(SendMessageA(road.Item(IDC_LIMIT_PK), BM_GETCHECK, 0, 0), BST_CHECKED);
  road.Key(VK_UP);
  ASSERT_TRUE(road.PaneShows(names[10]));
  EXPECT_EQ(SendMessageA(road.Item(IDC_LIMIT_PK), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  road.Key(VK_UP);
  ASSERT_TRUE(road.PaneShows("Title 9"));
  EXPECT_EQ(winkit::WindowText(road.Item(IDC_LIMIT_TAG)), "tag9");
  EXPECT_EQ(SendMessageA(road.Item(IDC_LIMIT_ACCESS), CB_GETCURSEL, 0, 0), 1);
  road.Key(VK_UP);
  ASSERT_TRUE(road.PaneShows("Title 8"));
  for (int i = 0; i < 4; ++i) road.Key(VK_UP);
  ASSERT_TRUE(road.PaneShows(names[4]));
  road.TypeSettings("Title 4", "Remark 4, typed", "tag4");
  typed(4, "4");

  // Another folder and back: the edits of the fifth row stay with it.
  ASSERT_TRUE(road.OpenFolder(other, 1));
  EXPECT_EQ(winkit::WindowText(road.Item(IDC_LIMIT_TITLE)), "");
  ASSERT_TRUE(road.OpenFolder(pictures, 12));
  road.ClickRow(4);
  ASSERT_TRUE(road.PaneShows("Title 4"));
  EXPECT_EQ(winkit::WindowText(road.Item(IDC_LIMIT_REMARK)), "Remark 4, typed");

  // Up twice to the third row (ticked by a click first), typed, and the upload started from the
  // pane while it shows that row.
  road.ClickRow(2);
  road.Key(VK_DOWN);
  road.Key(VK_UP);
  ASSERT_TRUE(road.PaneShows(names[2]));
  road.TypeSettings("Title 2", "Remark 2, typed", "tag2");
  typed(2, "2");
  EXPECT_EQ(road.StatusText(0), "当前文件夹共有 12 张图片文件，其中 6 张被选中");
  winkit::SaveClientScreenshot(frame, "hoistly_settings_road");
  ASSERT_TRUE(road.Click(road.Item(IDC_LIMIT_UPLOAD)));

  EXPECT_TRUE(winkit::AnswerMessageBox("提示", IDOK, 60000, nullptr, id));
  ASSERT_TRUE(WaitUntil([&] { return servers.Records().size() >= expected.size(); }, 60000));
  std::vector<std::string> arrived, wanted;
  for (const uploadtest::StoredRecord& record : servers.Records()) {
    arrived.push_back(Describe(record.title, record.remark, record.tag, record.imgSourceId, record.pk, record.imgArtId));
  }
  for (const auto& [name, e] : expected) {
    wanted.push_back(Describe(e.title, e.remark, e.tag, e.privateFlag, e.pk, e.pictureType));
  }
  std::sort(arrived.begin(), arrived.end());
  std::sort(wanted.begin(), wanted.end());
  EXPECT_EQ(arrived, wanted);

  // A double click opens the editor and the frame shows the picture's facts in the status bar.
  road.DoubleClickRow(0);
  EXPECT_TRUE(WaitUntil([&] { return road.StatusText(0) == "文件名：" + names[0]; }, 5000)) << road.StatusText(0);
  EXPECT_EQ(road.StatusText(3), "图像大小：1024*768");

  // The editor's leave button: the status bar's ordinary panes come back whole, with the count.
  HWND editor = FindChild(GetDlgItem(GetDlgItem(frame, ID_INNER_SPLITTER), ID_PANE_IMAGE_VIEW), "#32770", true);
  ASSERT_NE(editor, nullptr);
  HWND editorTools = Child(editor, TOOLBARCLASSNAMEA);
  ASSERT_NE(editorTools, nullptr);
  RECT leave = {};
  RemoteBuffer remote(id, sizeof leave);
  ASSERT_TRUE(SendMessageA(editorTools, TB_GETRECT, 32844, remote.Put(&leave, sizeof leave)));
  remote.Get(&leave, sizeof leave);
  POINT leavePoint = {(leave.left + leave.right) / 2, (leave.top + leave.bottom) / 2};
  ClientToScreen(editorTools, &leavePoint);
  ASSERT_TRUE(road.InSight(leavePoint, editorTools));
  winkit::ClickAt(leavePoint);
  // The double click that opened the editor left the row's tick as it was.
  EXPECT_TRUE(WaitUntil([&] { return road.StatusText(0) == "当前文件夹共有 12 张图片文件，其中 6 张被选中"; }, 5000))
      << road.StatusText(0);
  EXPECT_EQ(road.StatusText(2), "");
  EXPECT_EQ(road.StatusText(3), "");

  PostMessageA(frame, WM_USER + 998, 0, 0);
  EXPECT_TRUE(uploader.WaitForExit(kStartTimeoutMs));
  for (const std::string& file : files) DeleteFileA(file.c_str());
  DeleteFileA((other + "\\z.jpg").c_str());
  RemoveDirectoryA(pictures.c_str());
  RemoveDirectoryA(other.c_str());
  RemoveDirectoryA(root.c_str());
  servers.Reset();
}
