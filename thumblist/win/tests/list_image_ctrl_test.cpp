#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "conf/win/config.h"
#include "framework/module.h"
#include "framework/window.h"
#include "image/picture.h"
#include "tests/winkit/png_writer.h"
#include "tests/winkit/screenshot.h"
#include "tests/winkit/winkit.h"
#include "thumblist/core/image_info_record.h"
#include "thumblist/win/list_header_ctrl.h"
#include "thumblist/win/list_image_ctrl.h"
#include "thumblist/win/list_messages.h"

namespace {

const char kCaption[] = "墨岚屏[Pelora]-系统消息";

struct Received {
  UINT message;
  WPARAM wParam;
  std::string text;  // status text or path
  stImageInfo info;  // WM_SHOW_IMAGE_INFO only
};

// Plays the uploader's main frame and its image view: records what the list sends.
class Recorder : public fw::Window {
 public:
  explicit Recorder(std::vector<Received>& log) : log_(log) {
    for (UINT message : {WM_UPLOAD_STATUS, WM_SHOW_IMAGE_INFO, WM_STORE_IMAGE_INFO, WM_LIST_ROTATED,
                         WM_EDIT_PICTURE, WM_LIST_PREVIEW, WM_REFRESH_FOLDER, static_cast<UINT>(WM_COMMAND)}) {
      Handle(message, &Recorder::OnAny);
    }
    Handle(WM_SIZE, &Recorder::OnSize);
  }
  HWND child = nullptr;

 protected:
  fw::WindowClassSpec ClassSpec() const override {
    fw::WindowClassSpec spec;
    spec.name = "thumbrill.test.Recorder";
    return spec;
  }

 private:
  LRESULT OnAny(const fw::Message& m) {
    Received r{m.id, m.wParam, {}, {}};
    std::memset(&r.info, 0, sizeof r.info);
    if (m.id == WM_SHOW_IMAGE_INFO) {
      r.info = *reinterpret_cast<const stImageInfo*>(m.lParam);
    } else if (m.lParam && m.id != WM_COMMAND) {
      r.text = reinterpret_cast<const char*>(m.lParam);
    }
    log_.push_back(r);
    return 0;
  }
  LRESULT OnSize(const fw::Message& m) {
    if (child) MoveWindow(child, 0, 0, LOWORD(m.lParam), HIWORD(m.lParam), TRUE);
    return 0;
  }
  std::vector<Received>& log_;
};

// The main frame, the view inside it and the list inside the view.
struct ListHost {
  std::vector<Received> log;
  Recorder frame{log};
  Recorder view{log};
  CListImageCtrl list{"C:\\pictures\\"};

  explicit ListHost(DWORD listStyle) {
    fw::Module::Init(GetModuleHandleA(nullptr));
    frame.Create(nullptr, "Pelora--壁纸批量上传工具", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN);
    SetWindowPos(frame, nullptr, 0, 0, 900, 420, SWP_NOZORDER | SWP_NOMOVE);
    fw::Module::SetMainWindow(frame);
    RECT inside = {0, 0, 880, 380};
    view.Create(frame, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, &inside);
    frame.child = view;
    list.Create(view, inside, WS_VISIBLE | WS_TABSTOP | LVS_SHOWSELALWAYS | listStyle, 10000);
    view.child = list;
    list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    list.CreateColumn();
    ShowWindow(frame, SW_SHOWNORMAL);
    UpdateWindow(frame);
  }
  ~ListHost() { fw::Module::SetMainWindow(nullptr); frame.Destroy(); }

  std::vector<Received> Take(UINT message) {
    std::vector<Received> found;
    for (const Received& r : log) {
      if (r.message == message) found.push_back(r);
    }
    return found;
  }
};

// Pictures of one colour, in the format of their name.
void WritePicture(const std::string& path, int width, int height, mb::PictureFormat format) {
  mb::Picture picture;
  ASSERT_TRUE(picture.Create(width, height, {200, 30, 40, 255}));
  ASSERT_TRUE(picture.Save(path, format)) << picture.LastError();
}

void SetColumnFlags(bool path, bool size, bool dims, bool title, bool remark) {
  CConfig* config = CConfig::GetConfig();
  config->SetShowFileName(0);
  config->SetShowFilePath(path);
  config->SetShowFileSize(size);
  config->SetShowImageSize(dims);
  config->SetShowTitle(title);
  config->SetShowRemark(remark);
  config->SetShowFileType(0);
  config->SetShowImageSource(0);
  config->SetShowPK(1);
}

void SaveScreenshot(HWND window, const std::string& name) {
  char folder[MAX_PATH] = {};
  GetFullPathNameA((winkit::BinFolder() + "..\\screenshots\\").c_str(), MAX_PATH, folder, nullptr);
  winkit::MakeFolders(folder);
  EXPECT_TRUE(winkit::WritePngFile(winkit::CaptureClientArea(window), std::string(folder) + name + ".png"));
}

// A drop of files as the shell makes it.
HDROP MakeDrop(const std::vector<std::string>& paths) {
  std::string names;
  for (const std::string& path : paths) names += path + '\0';
  names += '\0';
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

// Answers the next message box with the common caption from another thread.
class BoxAnswer {
 public:
  explicit BoxAnswer(int button)
      : thread_([this, button] { answered_ = winkit::AnswerMessageBox(kCaption, button, 10000, &text_, GetCurrentProcessId()); }) {}
  std::string Text() {
    if (thread_.joinable()) thread_.join();
    return answered_ ? text_ : std::string("(no box)");
  }
  ~BoxAnswer() { Text(); }

 private:
  bool answered_ = false;
  std::string text_;
  std::thread thread_;
};

TEST(ListImageCtrl, ReportColumnsFollowTheFlagsAndTheMarginRule) {
  SetColumnFlags(true, true, false, false, false);
  ListHost host(LVS_REPORT);
  CListImageCtrl& list = host.list;
  ASSERT_EQ(list.GetColumnCount(), 13);
  const int created[13] = {200, 200, 75, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  for (int c = 0; c < 13; ++c) EXPECT_EQ(list.GetColumnWidth(c), created[c]) << c;

  CConfig::GetConfig()->SetShowTitle(1);
  list.RefreshColumn();
  const int refreshed[13] = {200, 212, 87, 0, 112, 0, 0, 0, 0, 0, 0, 0, 0};
  for (int c = 0; c < 13; ++c) EXPECT_EQ(list.GetColumnWidth(c), refreshed[c]) << c;

  // The column menu: a hidden column keeps the 12-pixel margin; PK never opens.
  list.Send(WM_COMMAND, 32785);  // remark, flag clear
  list.Send(WM_COMMAND, 32784);  // PK, flag set
  list.Send(WM_COMMAND, 32777);  // image size, flag clear
  EXPECT_EQ(list.GetColumnWidth(5), 12);
  EXPECT_EQ(list.GetColumnWidth(8), 12);
  EXPECT_EQ(list.GetColumnWidth(3), 12);

  // Dragging a divider: hidden columns and the data columns refuse, the tag column may open.
  HWND header = list.GetHeader();
  auto begin = [&](int item) {
    NMHEADERA n = {};
    n.hdr.hwndFrom = header;
    n.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(header));
    n.hdr.code = HDN_BEGINTRACKW;
    n.iItem = item;
    return list.Send(WM_NOTIFY, n.hdr.idFrom, reinterpret_cast<LPARAM>(&n));
  };
  EXPECT_EQ(begin(1), FALSE);
  EXPECT_EQ(begin(3), TRUE);
  EXPECT_EQ(begin(9), TRUE);
  EXPECT_EQ(begin(12), FALSE);
}

TEST(ListImageCtrl, RowsDropsKeysSortAndNotifications) {
  SetColumnFlags(true, true, true, true, false);
  CConfig* config = CConfig::GetConfig();
  config->SetUploading(0);
  config->SetSettingsEdited(0);
  winkit::TempFolder folder;
  const std::string small = folder.Path("small.jpg"), big = folder.Path("big.jpg"), bmp = folder.Path("old.bmp"),
                    png = folder.Path("clip.png"), cut = folder.Path("cut.jpg"), odd = folder.Path("odd.jpg.txt");
  WritePicture(small, 1024, 768, mb::PictureFormat::kJpeg);
  WritePicture(big, 4000, 3000, mb::PictureFormat::kJpeg);
  WritePicture(bmp, 800, 600, mb::PictureFormat::kBmp);
  WritePicture(png, 1200, 900, mb::PictureFormat::kPng);
  WritePicture(odd, 1300, 1000, mb::PictureFormat::kJpeg);
  WritePicture(cut, 1600, 1200, mb::PictureFormat::kJpeg);
  {
    std::string bytes = winkit::ReadTextFile(cut);
    std::ofstream(cut, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size() / 3));
  }

  ListHost host(LVS_REPORT);
  CListImageCtrl& list = host.list;
  for (const std::string& path : {small, big, bmp, png, cut}) list.AddImage(path);
  EXPECT_NE(list.GetLastLoadError().Str().find(cut), std::string::npos);  // the last failure names the file
  ASSERT_EQ(list.GetItemCount(), 3);
  EXPECT_EQ(list.GetItemText(0, 0), "small.jpg");
  EXPECT_EQ(list.GetItemText(0, 1), folder.Root());
  EXPECT_EQ(list.GetItemText(1, 3), "4000*3000");
  EXPECT_EQ(list.GetItemText(2, 3), "800*600");
  EXPECT_EQ(list.GetItemText(2, 2), "1.37 MB");  // 1,440,054 bytes of BMP
  const std::vector<Received> statuses = host.Take(WM_UPLOAD_STATUS);
  ASSERT_GE(statuses.size(), 7u);
  EXPECT_EQ(statuses[0].wParam, LIST_STATUS_TEXT);
  EXPECT_EQ(statuses[0].text, "正在载入图片文件 ： " + small + " ...");
  int ready = 0;
  for (const Received& r : statuses) ready += r.text == "就绪" ? 1 : 0;
  EXPECT_EQ(ready, 2);  // the PNG and the cut JPEG

  // Thumbnails keep a whole frame and the picture's shape (4000x3000 leaves bands above and below).
  {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, 90, 90);
    HGDIOBJ old = SelectObject(dc, canvas);
    ImageList_Draw(list.GetImageList(LVSIL_NORMAL), list.GetItemImage(1), dc, 0, 0, ILD_NORMAL);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(GetPixel(dc, 89, 89), RGB(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(GetPixel(dc, 45, 89), RGB(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(GetPixel(dc, 45, 5), RGB(255, 255, 255));
    const COLORREF middle = GetPixel(dc, 45, 45);
    EXPECT_GT(GetRValue(middle), 150);
    EXPECT_LT(GetGValue(middle), 80);
    SelectObject(dc, old);
    DeleteObject(canvas);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
  }

  // A drop takes JPEG-named files (x.jpg.txt too) and gives them the same row as AddImage.
  host.log.clear();
  list.Send(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({odd, png, bmp})));
  ASSERT_EQ(list.GetItemCount(), 4);
  const mb::thumblist::RowTexts* dropped = list.GetRowTexts(3);
  ASSERT_NE(dropped, nullptr);
  EXPECT_EQ((*dropped)[0], "odd.jpg.txt");
  EXPECT_EQ((*dropped)[3], "1300*1000");
  EXPECT_EQ((*dropped)[4], "odd.jpg.txt");
  EXPECT_EQ((*dropped)[6], "壁纸-人物");
  EXPECT_EQ((*dropped)[9], "12");
  EXPECT_EQ(GetFocus(), list.Handle());

  // The upload rule over ticked rows.
  list.OnEditSelectall();
  std::vector<fw::CString> refused;
  int accepted = -1;
  EXPECT_EQ(list.ContinueUpload(refused, &accepted), 0);
  EXPECT_EQ(accepted, 3);
  ASSERT_EQ(refused.size(), 1u);
  EXPECT_EQ(refused[0].Str(), bmp);
  EXPECT_EQ(host.Take(WM_UPLOAD_STATUS).back().wParam, LIST_STATUS_FOLDER_COUNT);

  // Keys: Down reports the next row with its record; Up on the first row does nothing.
  list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  host.log.clear();
  list.Send(WM_KEYDOWN, VK_DOWN);
  std::vector<Received> shown = host.Take(WM_SHOW_IMAGE_INFO);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].wParam, 1u);
  EXPECT_STREQ(shown[0].info.filePath, big.c_str());
  EXPECT_STREQ(shown[0].info.dimensions, "4000*3000");
  EXPECT_STREQ(shown[0].info.category, "壁纸-人物");
  EXPECT_EQ(shown[0].info.pictureType, 12);
  EXPECT_EQ(list.GetCurrentIndex(), 1);
  list.SetItemState(-1, 0, LVIS_SELECTED);
  list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  host.log.clear();
  list.Send(WM_KEYDOWN, VK_UP);
  EXPECT_TRUE(host.Take(WM_SHOW_IMAGE_INFO).empty());

  // Edited settings of the rows highlighted at a click go back before a sort moves the rows.
  RECT cell;
  list.GetSubItemRect(2, 0, LVIR_LABEL, cell);
  PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(cell.left + 4, cell.top + 3));
  list.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cell.left + 4, cell.top + 3));
  winkit::PumpMessages(50);
  EXPECT_EQ(host.Take(WM_SHOW_IMAGE_INFO).back().wParam, 2u);
  config->SetSettingsEdited(1);
  list.SetItemText(2, 4, "aaa");  // the title edit reaches the sort key
  host.log.clear();
  NMLISTVIEW click = {};
  click.hdr.hwndFrom = list;
  click.hdr.idFrom = 10000;
  click.hdr.code = LVN_COLUMNCLICK;
  click.iItem = -1;
  click.iSubItem = 4;
  host.view.Send(WM_NOTIFY, 10000, reinterpret_cast<LPARAM>(&click));
  const std::vector<Received> stored = host.Take(WM_STORE_IMAGE_INFO);
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].wParam, 2u);
  EXPECT_EQ(config->GetSettingsEdited(), 0);
  EXPECT_EQ(list.GetItemText(0, 0), "old.bmp");  // "aaa" sorts first
  host.view.Send(WM_NOTIFY, 10000, reinterpret_cast<LPARAM>(&click));
  EXPECT_EQ(list.GetItemText(3, 0), "old.bmp");  // the same column again: descending

  // A cell's tooltip is cut to 79 bytes without splitting a character.
  std::string longTitle;
  for (int i = 0; i < 50; ++i) longTitle += "题";
  list.SetItemText(1, 4, longTitle.c_str());
  EXPECT_EQ(list.OnToolTipText(1, 4).Str(), longTitle.substr(0, 78));

  // Rotation changes files: refused while an upload runs, else one notice per picture.
  config->SetUploading(1);
  host.log.clear();
  {
    BoxAnswer answer(IDOK);
    list.Send(WM_COMMAND, 32780);
    EXPECT_EQ(answer.Text(), "正在上传图片,请等待图片上传完成后再进行编辑!");
  }
  EXPECT_TRUE(host.Take(WM_LIST_ROTATED).empty());
  config->SetUploading(0);
  config->SetShowOperateDialog(0);
  config->SetOperateHighlight(0);
  list.OnEditSelectall();
  host.log.clear();
  list.OnRotate90Left();
  std::vector<Received> rotated = host.Take(WM_LIST_ROTATED);
  ASSERT_EQ(rotated.size(), 4u);
  EXPECT_EQ(rotated[0].wParam, 0u);
  EXPECT_EQ(host.Take(WM_SHOW_IMAGE_INFO).size(), 4u);  // each rebuilt row is reported

  // Delete removes the highlighted row and tells the view.
  list.SetItemState(-1, 0, LVIS_SELECTED);
  list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
  const std::string removed = list.GetItemFilePath(1).Str();
  host.log.clear();
  list.Send(WM_KEYDOWN, VK_DELETE);
  EXPECT_EQ(list.GetItemCount(), 3);
  for (int row = 0; row < list.GetItemCount(); ++row) EXPECT_NE(list.GetItemFilePath(row).Str(), removed);
  EXPECT_EQ(host.Take(WM_UPLOAD_STATUS).size(), 1u);

  SaveScreenshot(host.frame, "thumbrill_report");
  SetWindowLongA(list, GWL_STYLE, (GetWindowLongA(list, GWL_STYLE) & ~LVS_TYPEMASK) | LVS_ICON);
  list.SetImageList2(1);
  list.DrawWindow();
  SaveScreenshot(host.frame, "thumbrill_thumbnails");
}

TEST(ListImageCtrl, ScanThreadsHandRowsToTheWindowThread) {
  SetColumnFlags(true, true, true, false, false);
  winkit::TempFolder folder;
  std::vector<std::string> paths;
  for (int i = 0; i < 4; ++i) {
    paths.push_back(folder.Path("scan" + std::to_string(i) + ".jpg"));
    WritePicture(paths.back(), 1024 + i, 768, mb::PictureFormat::kJpeg);
  }
  ListHost host(LVS_ICON);
  std::atomic<bool> done{false};
  std::thread scan([&] {
    for (const std::string& path : paths) host.list.AddImage(path);
    done = true;
  });
  for (int wait = 0; !done && wait < 3000; ++wait) winkit::PumpMessages(10);
  scan.join();
  winkit::PumpMessages(50);
  ASSERT_EQ(host.list.GetItemCount(), 4);
  for (int row = 0; row < 4; ++row) EXPECT_EQ(host.list.GetItemFilePath(row).Str(), paths[row]);
  EXPECT_EQ(host.list.GetItemText(3, 3), "1027*768");
}

// Rows of texts only, as the editors and the header need them.
void AddTextRows(CListImageCtrl& list, int count) {
  for (int row = 0; row < count; ++row) {
    const std::string name = "row" + std::to_string(row) + ".jpg";
    mb::thumblist::RowTexts texts = {name, "C:\\nowhere\\", "1 KB", "10*10", "title" + std::to_string(row), "remark",
                                     "壁纸-人物", "公开", "否", "12", "0", "0", ""};
    ASSERT_EQ(list.AddItem(I_IMAGENONE, texts), row);
  }
}

// Rows of the arrow drawn at the right end of a header item: the widest is its flat side.
int ArrowFlatSide(const winkit::RgbImage& shot, const RECT& item, const winkit::Rgb& face) {
  int widest = 0, flatRow = -1;
  for (int y = item.top + 2; y < item.bottom - 2; ++y) {
    int width = 0;
    for (int x = item.right - (item.bottom - item.top); x < item.right - 2; ++x) width += shot.Pixel(x, y) != face ? 1 : 0;
    if (width > widest) widest = width, flatRow = y;
  }
  return flatRow - (item.top + item.bottom) / 2;  // < 0: at the top (pointing down)
}

TEST(ListHeaderCtrl, ArrowColumnMenuAndCellEditors) {
  SetColumnFlags(true, true, true, true, false);
  ListHost host(LVS_REPORT);
  CListImageCtrl& list = host.list;
  AddTextRows(list, 3);
  auto* header = dynamic_cast<CListHeaderCtrl*>(fw::Window::FromHandle(list.GetHeader()));
  ASSERT_NE(header, nullptr);
  // Check boxes drawn by the header (without an image list: the list view hands it the small
  // icons): empty on "路径", ticked on "文件大小"; the sort goes to the next column.
  header->Send(HDM_SETIMAGELIST, 0, 0);
  for (int item : {1, 2}) {
    HDITEMA hdi = {};
    hdi.mask = HDI_IMAGE;
    hdi.iImage = item;
    header->Send(HDM_SETITEMA, item, reinterpret_cast<LPARAM>(&hdi));
  }

  // Two clicks on a column: owner-drawn, arrow up, then turned over.
  NMLISTVIEW click = {};
  click.hdr = {list.Handle(), 10000, static_cast<UINT>(LVN_COLUMNCLICK)};
  click.iSubItem = 3;
  const winkit::Rgb face = {GetRValue(GetSysColor(COLOR_BTNFACE)), GetGValue(GetSysColor(COLOR_BTNFACE)),
                            GetBValue(GetSysColor(COLOR_BTNFACE))};
  RECT item;
  int sides[2] = {};
  for (int& side : sides) {
    host.view.Send(WM_NOTIFY, 10000, reinterpret_cast<LPARAM>(&click));
    EXPECT_TRUE(header->GetItemFormat(3) & HDF_OWNERDRAW);
    ASSERT_TRUE(header->GetItemRect(3, item));
    side = ArrowFlatSide(winkit::CaptureClientArea(*header), item, face);
  }
  EXPECT_EQ(header->GetSortColumn(), 3);
  EXPECT_FALSE(header->IsSortAscending());
  EXPECT_GT(sides[0], 0);  // ascending: pointing up, flat side below
  EXPECT_LT(sides[1], 0);
  const winkit::RgbImage shot = winkit::CaptureClientArea(*header);
  header->GetItemRect(1, item);
  const winkit::Rgb frame = {0x33, 0x66, 0x99}, tick = {0x33, 0x99, 0x33};
  EXPECT_GE(shot.CountPixels(frame, item.left, item.top, item.right, item.bottom), 48u);
  EXPECT_EQ(shot.CountPixels(tick, item.left, item.top, item.right, item.bottom), 0u);
  header->GetItemRect(2, item);
  EXPECT_GE(shot.CountPixels(tick, item.left, item.top, item.right, item.bottom), 20u);
  SaveScreenshot(host.frame, "thumbrill_header");

  // The column menu as its handler builds it, and its path command.
  HMENU menu = header->BuildColumnMenu();
  ASSERT_NE(menu, nullptr);
  HMENU popup = GetSubMenu(menu, 0);
  EXPECT_EQ(GetMenuState(popup, 32784, MF_BYCOMMAND), static_cast<UINT>(-1));
  EXPECT_EQ(GetMenuItemCount(popup), 8);
  EXPECT_TRUE(GetMenuState(popup, 32774, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(GetMenuState(popup, 32788, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_FALSE(GetMenuState(popup, 32785, MF_BYCOMMAND) & MF_CHECKED);
  DestroyMenu(menu);
  header->Send(WM_COMMAND, 32788);
  EXPECT_EQ(CConfig::GetConfig()->GetShowFilePath(), 0);
  EXPECT_EQ(list.GetColumnWidth(1), 12);
  header->Send(WM_COMMAND, 32788);
  EXPECT_EQ(CConfig::GetConfig()->GetShowFilePath(), 1);
  EXPECT_EQ(list.GetColumnWidth(1), 212);
  menu = header->BuildColumnMenu();
  EXPECT_TRUE(GetMenuState(GetSubMenu(menu, 0), 32788, MF_BYCOMMAND) & MF_CHECKED);
  DestroyMenu(menu);

  // An edit box takes the whole text and gives it back when the focus leaves.
  const std::string longText(300, 'x'), longer = std::string(400, 'y') + "题";
  list.SetItemText(1, 4, longText.c_str());
  HWND edit = list.DisplayEditBox(1, 4);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(GetDlgCtrlID(edit), 100);
  EXPECT_EQ(GetWindowTextLengthA(edit), 300);
  int row = -1, column = -1;
  list.GetCellInfo(row, column);
  EXPECT_EQ(row * 100 + column, 104);
  SetWindowTextA(edit, longer.c_str());
  SetFocus(list);
  winkit::PumpMessages(50);
  EXPECT_EQ((*list.GetRowTexts(1))[4], longer);
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_EQ(GetDlgItem(list, 100), nullptr);
  list.GetCellInfo(row, column);
  EXPECT_EQ(row, -1);

  // A combo box of the column's choices ("$", any row), the cell's text among them.
  list.SetComboBox(-1, 6, "壁纸-风景$壁纸-人物$壁纸-动物");
  HWND combo = list.DisplayComboBox(0, 6);
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(GetDlgCtrlID(combo), 110);
  EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
  SendMessageA(combo, CB_SETCURSEL, 2, 0);
  list.Send(WM_COMMAND, MAKEWPARAM(110, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
  winkit::PumpMessages(50);
  EXPECT_EQ(list.GetItemText(0, 6), "壁纸-动物");
  EXPECT_FALSE(IsWindow(combo));

  // A row removed while an editor is open: the typed text lands in its own row first.
  edit = list.DisplayEditBox(2, 4);
  SetWindowTextA(edit, "typed");
  list.EditDelete(1);
  winkit::PumpMessages(50);
  ASSERT_EQ(list.GetItemCount(), 2);
  EXPECT_EQ(list.GetItemText(0, 4), "title0");
  EXPECT_EQ(list.GetItemText(0, 6), "壁纸-动物");
  EXPECT_EQ(list.GetItemText(1, 0), "row2.jpg");
  EXPECT_EQ(list.GetItemText(1, 4), "typed");
  EXPECT_FALSE(IsWindow(edit));
}

// Answers the operation-range dialog from another thread: the boxes clicked in order, then the
// button; the dialog's client area is kept as a screenshot when a name is given.
class RangeAnswer {
 public:
  RangeAnswer(std::vector<int> clicks, int button, std::string screenshot = "")
      : thread_([=] {
          HWND dialog = winkit::WaitForWindow("#32770", "选择图片操作范围", 3000, GetCurrentProcessId());
          if (!dialog) return;
          shown_ = true;
          initial_ = IsDlgButtonChecked(dialog, 1019) * 100 + IsDlgButtonChecked(dialog, 1020) * 10 +
                     IsDlgButtonChecked(dialog, 1021);
          for (int id : clicks) SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
          if (!screenshot.empty()) winkit::SaveClientScreenshot(dialog, screenshot);
          SendMessageA(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
        }) {}
  ~RangeAnswer() { Join(); }
  void Join() {
    if (thread_.joinable()) thread_.join();
  }
  bool Shown() { return Join(), shown_; }
  int Initial() { return Join(), initial_; }  // 1019, 1020, 1021 checked as three digits

 private:
  std::atomic<bool> shown_{false};
  std::atomic<int> initial_{-1};
  std::thread thread_;
};

TEST(RotateSetDlg, RangeAskedAnsweredAndCancelled) {
  SetColumnFlags(true, true, true, false, false);
  CConfig* config = CConfig::GetConfig();
  config->SetUploading(0);
  config->SetShowOperateDialog(1);
  config->SetOperateHighlight(0);
  ListHost host(LVS_REPORT);
  CListImageCtrl& list = host.list;
  AddTextRows(list, 3);
  list.SetCheck(0, true);
  list.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);

  // Cancel: nothing turns, nothing is written.
  {
    RangeAnswer answer({1021, 1020}, IDCANCEL);
    list.OnRotate90Right();
    EXPECT_TRUE(answer.Shown());
    EXPECT_EQ(answer.Initial(), 100);
  }
  EXPECT_TRUE(host.Take(WM_LIST_ROTATED).empty());
  EXPECT_EQ(config->GetShowOperateDialog(), 1);
  EXPECT_EQ(config->GetOperateHighlight(), 0);

  // "Do not ask again" and the highlighted picture: this and the next turn act on row 2 alone.
  {
    RangeAnswer answer({1021, 1020}, IDOK, "thumbrill_range_dialog");
    list.Send(WM_COMMAND, 32780);
    EXPECT_TRUE(answer.Shown());
  }
  EXPECT_EQ(config->GetShowOperateDialog(), 0);
  EXPECT_EQ(config->GetOperateHighlight(), 1);
  {
    RangeAnswer none({}, IDCANCEL);
    list.OnRotate90Left();
    EXPECT_FALSE(none.Shown());
  }
  const std::vector<Received> rotated = host.Take(WM_LIST_ROTATED);
  ASSERT_EQ(rotated.size(), 2u);
  EXPECT_EQ(rotated[0].wParam, 1u);
  EXPECT_EQ(rotated[1].wParam, 0u);
  for (const Received& r : rotated) EXPECT_EQ(r.text, "C:\\nowhere\\row2.jpg");

  // Asked again, the dialog shows the stored range.
  config->SetShowOperateDialog(1);
  RangeAnswer again({}, IDCANCEL);
  list.OnRotate90Left();
  EXPECT_EQ(again.Initial(), 10);
}

}  // namespace
