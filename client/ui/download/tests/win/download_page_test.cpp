// The download road under Wine against the stand-in service: requests sent to a download page as
// page script sends them, the category dialog answered, pictures landing byte for byte with their
// downloadinfo.res record, and every way a download can end without a picture.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "client/core/client_config.h"
#include "client/ui/download/win/category_tree.h"
#include "client/ui/download/win/download_category_dialog.h"
#include "client/ui/download/win/download_dialog.h"
#include "client/ui/download/win/manager_page_link.h"
#include "client/ui/progress/win/progress_bar_view.h"
#include "client/ui/res/download_resource.h"
#include "client/ui/tests/win/control_test_support.h"
#include "framework/module.h"
#include "tests/winkit/standin_client.h"
#include "tests/winkit/winkit.h"

namespace mb {
namespace {

const char kCaption[] = "墨岚屏[Pelora]-系统消息";
const std::string kSite = "http://" + std::string(MB_SERVICE_HOST) + ":" + std::to_string(MB_SERVICE_HTTP_PORT);

// The main window as the page sees it: its parent, counting finished downloads.
class MainWindowStandIn : public fw::Window {
 public:
  MainWindowStandIn() {
    Handle(WM_DOWNLOAD_FINISHED, &MainWindowStandIn::OnFinished);
    const RECT frame = {20, 20, 20 + 700, 20 + 330};
    Create(nullptr, "download", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW, &frame);
  }
  ~MainWindowStandIn() override { Destroy(); }
  int finished = 0;

 protected:
  fw::WindowClassSpec ClassSpec() const override {
    fw::WindowClassSpec spec;
    spec.name = "mb.test.DownloadMain";
    return spec;
  }

 private:
  LRESULT OnFinished(const fw::Message& m) {
    EXPECT_EQ(m.wParam, 1u);
    ++finished;
    return 0;
  }
};

// The manager page's side: a real category tree, and what the page was told.
class RecordingManagerPage : public ManagerPageLink {
 public:
  void InsertCategoryItem(const std::string& category) override {
    inserted.push_back(category);
    tree.InsertCategoryItem(category, 0);
  }
  void SelectCategoryInTree(const std::string& category) override {
    selected.push_back(category);
    tree.SelectCategoryInTree(category);
  }
  void OnPictureDownloaded(const std::string& path) override { carousel.push_back(path); }
  std::vector<std::string> inserted, selected, carousel;
  CategoryTree tree;
};

long long FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::vector<std::string> FolderFiles(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

// In the category dialog: "新建类别", the name typed key by key, OK; the category dialog stays.
bool NameNewCategory(const std::string& typed) {
  HWND choice = winkit::WaitForWindow("#32770", "选择类别", 10000, GetCurrentProcessId());
  if (!choice) return false;
  PostMessageA(choice, WM_COMMAND, IDC_CATEGORY_NEW, 0);
  HWND naming = winkit::WaitForWindow("#32770", "新建类别", 10000, GetCurrentProcessId());
  if (!naming) return false;
  for (char c : typed) SendMessageA(GetDlgItem(naming, IDC_NEW_CATEGORY_EDIT), WM_CHAR, static_cast<unsigned char>(c), 1);
  PostMessageA(naming, WM_COMMAND, IDOK, 0);
  while (IsWindow(naming)) Sleep(10);
  return true;
}

class DownloadPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fw::Module::Init(GetModuleHandleA(nullptr));
    ASSERT_TRUE(standin_.Control("clear")) << standin_.Error();
    ASSERT_TRUE(CreateClientConfig({folder_.Root(), kSite}));
    GetClientConfig()->skinLayout = 2;
    GetClientConfig()->categoryFolderNames = {"动漫"};
    main_ = std::make_unique<MainWindowStandIn>();
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    manager_.tree.Attach(CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD, 0, 0, 100, 100, main_->Handle(), nullptr, nullptr, nullptr));
    // A category whose label begins like the one the downloads choose, and one holding "(".
    manager_.tree.InsertCategoryItem("风景区", 3);
    manager_.tree.InsertCategoryItem("动漫(新)", 1);
    page_ = std::make_unique<DownloadDialog>(&manager_);
    ASSERT_TRUE(page_->Create(main_->Handle()));
    ShowWindow(page_->Handle(), SW_SHOW);
    progress_ = static_cast<ProgressBarView*>(fw::Window::FromHandle(GetDlgItem(page_->Handle(), IDC_DOWNLOAD_PROGRESS)));
    ASSERT_NE(progress_, nullptr);
  }
  void TearDown() override {
    page_.reset();
    main_.reset();
    DestroyClientConfig();
  }

  // Sends the request as the script bridge does; categoryButton answers the category dialog
  // (0: no dialog expected). Returns the page's answer; box gets the text of the message box
  // that ends the road (empty when none came).
  LRESULT Send(const std::string& name, int setWallpaper, int categoryButton, std::string& box,
               std::string fields = "风景*第二*第三*第四*第五") {
    auto* request = new DownloadRequest{"标题 " + name, kSite + "/samples/" + name};
    std::vector<std::string*> parts = {&request->category, &request->f2, &request->f3, &request->f4, &request->f5};
    for (std::string* part : parts) {
      const size_t star = fields.find('*');
      *part = fields.substr(0, star);
      fields = star == std::string::npos ? "" : fields.substr(star + 1);
    }
    auto answers = std::async(std::launch::async, [categoryButton] {
      if (categoryButton == IDC_CATEGORY_NEW && !NameNewCategory("x/y:z*|")) return std::string("(no new category)");
      const int button = categoryButton == IDC_CATEGORY_NEW ? IDOK : categoryButton;
      if (button && !winkit::AnswerMessageBox("选择类别", button, 10000, nullptr, GetCurrentProcessId())) {
        return std::string("(no category dialog)");
      }
      if (categoryButton == IDCANCEL) return std::string();
      std::string text;
      HWND box = winkit::WaitForWindow("#32770", kCaption, 60000, GetCurrentProcessId());
      if (!box) return std::string();
      winkit::AnswerMessageBox(kCaption, IDOK, 1000, &text, GetCurrentProcessId());
      while (IsWindow(box)) Sleep(10);
      return text;
    });
    const LRESULT answer = SendMessageA(page_->Handle(), WM_DOWNLOAD_REQUEST, reinterpret_cast<WPARAM>(request), setWallpaper);
    if (answer == -1) delete request;  // a busy page leaves the request to its sender
    if (answer == -1) return answer;
    bool screenshotTaken = false;
    uitest::WaitUntil([&] {
      const int position = progress_->GetPos();
      maxProgress_ = std::max(maxProgress_, position);
      if (position > 0 && !screenshotTaken && name.rfind("sky", 0) == 0) {
        uitest::SaveScreenshot(main_->Handle(), "download_page_in_progress");
        screenshotTaken = true;
      }
      return answers.wait_for(std::chrono::milliseconds(0)) == std::future_status::ready && !page_->IsBusy();
    }, 60000);
    box = answers.get();
    return answer;
  }

  std::string Folder(const std::string& category) { return GetClientConfig()->downloadPath + category + "\\"; }

  winkit::StandinSession standin_;
  winkit::TempFolder folder_;
  uitest::CurrentSkin skin_{2};
  RecordingManagerPage manager_;
  std::unique_ptr<MainWindowStandIn> main_;
  std::unique_ptr<DownloadDialog> page_;
  ProgressBarView* progress_ = nullptr;
  int maxProgress_ = -1;
};

TEST_F(DownloadPageTest, PictureLandsWithItsRecordAndIsRefusedTheSecondTime) {
  const std::string info = GetClientConfig()->DownloadInfoPath();
  const long long infoBefore = std::max(0LL, FileSize(info));
  std::string box;
  // About 1.4 MB at 1 MB a second: the bar is seen moving and photographed.
  ASSERT_EQ(Send("sky-800x600.bmp?rate=1000000", 0, IDOK, box), 0);
  EXPECT_EQ(box, "下载完毕");
  const std::string path = Folder("风景") + "sky-800x600.bmp";
  const winkit::StandinReply original = winkit::SendToStandin("GET", "/samples/sky-800x600.bmp");
  ASSERT_EQ(original.status, 200);
  EXPECT_EQ(winkit::ReadTextFile(path), original.body) << "the picture lands byte for byte";
  EXPECT_EQ(FolderFiles(Folder("风景")), std::vector<std::string>{"sky-800x600.bmp"}) << "no partial file is left";
  EXPECT_GT(maxProgress_, 0) << "the progress bar moved";
  EXPECT_EQ(progress_->GetPos(), -1) << "and was cleared at the end";
  char percent[64] = {};
  GetDlgItemTextA(page_->Handle(), IDC_DOWNLOAD_PERCENT, percent, sizeof percent);
  EXPECT_EQ(std::string(percent).rfind("已完成", 0), 0u) << percent;

  // One 424-byte record, its fields where they belong.
  EXPECT_EQ(FileSize(info), infoBefore + 424);
  const std::string bytes = winkit::ReadTextFile(info);
  const std::string record = bytes.substr(bytes.size() - 424);
  EXPECT_EQ(std::string(record.c_str()), path);
  EXPECT_EQ(std::string(record.c_str() + 260), "第二");
  EXPECT_EQ(std::string(record.c_str() + 302), "第四");
  EXPECT_EQ(std::string(record.c_str() + 334), "第三");
  EXPECT_EQ(std::string(record.c_str() + 346), "风景");
  EXPECT_EQ(std::string(record.c_str() + 378), "第五");
  EXPECT_EQ(GetClientConfig()->DownloadRecords().size(), 1u);

  // The new category joined the client's list and the manager's tree; layout 2 told the main
  // window, which selected the category.
  EXPECT_EQ(GetClientConfig()->categoryFolderNames, (std::vector<std::string>{"动漫", "风景"}));
  EXPECT_EQ(manager_.inserted, std::vector<std::string>{"风景"});
  EXPECT_EQ(manager_.selected, std::vector<std::string>{"风景"});
  const HTREEITEM chosen = TreeView_GetSelection(manager_.tree.Tree());
  EXPECT_EQ(manager_.tree.CategoryOf(chosen), "风景") << "the exact name, not the first label that begins alike";
  char label[64] = {};
  TVITEMA item = {TVIF_TEXT, chosen};
  item.pszText = label;
  item.cchTextMax = sizeof label;
  TreeView_GetItem(manager_.tree.Tree(), &item);
  EXPECT_STREQ(label, "风景 (0张)");
  EXPECT_EQ(manager_.tree.SelectCategoryInTree("风景"), CategoryTree::Selection::kAlreadySelected);
  EXPECT_EQ(manager_.tree.SelectCategoryInTree("动漫(新)"), CategoryTree::Selection::kSelected);
  EXPECT_EQ(manager_.tree.SelectCategoryInTree("动漫"), CategoryTree::Selection::kNotFound);
  EXPECT_EQ(main_->finished, 1);
  int fetches = 0;
  for (const winkit::StandinRequest& r : standin_.Requests()) fetches += r.path == "/samples/sky-800x600.bmp";
  EXPECT_EQ(fetches, 2) << "the service logs each fetch (the page's and the test's own)";

  // The same picture again: refused before any transfer, nothing recorded.
  ASSERT_EQ(Send("sky-800x600.bmp", 0, IDOK, box), 0);
  EXPECT_EQ(box, "该壁纸已被下载过.");
  EXPECT_EQ(FileSize(info), infoBefore + 424);
  EXPECT_EQ(main_->finished, 1);

  // setWallpaper: the picture joins the carousel through the manager page.
  ASSERT_EQ(Send("lake-320x200.png", 1, IDOK, box, "动漫"), 0);
  EXPECT_EQ(box, "该壁纸已添加到已选壁纸列表中");
  EXPECT_EQ(manager_.carousel, std::vector<std::string>{Folder("动漫") + "lake-320x200.png"});
  EXPECT_EQ(main_->finished, 2);
  EXPECT_EQ(FileSize(info), infoBefore + 2 * 424);

  // A category named in the new-category dialog: characters a folder name cannot hold are
  // swallowed as they are typed, and the picture goes into the category the member named.
  ASSERT_EQ(Send("lake-320x200.png", 0, IDC_CATEGORY_NEW, box, "动漫"), 0);
  EXPECT_EQ(box, "下载完毕");
  EXPECT_TRUE(winkit::FileExists(GetClientConfig()->downloadPath + "xyz\\lake-320x200.png"));
  EXPECT_EQ(GetClientConfig()->categoryFolderNames.back(), "xyz");

  // Cancelling the category dialog: nothing at all.
  ASSERT_EQ(Send("other.png", 0, IDCANCEL, box), 0);
  EXPECT_EQ(box, "");
  EXPECT_FALSE(winkit::FileExists(Folder("风景") + "other.png"));
}

TEST_F(DownloadPageTest, CancelBusyNotFoundCutShortAndUnsafeNamesLeaveNoFile) {
  const std::string info = GetClientConfig()->DownloadInfoPath();
  // A slow picture (1.4 MB at 100 KB a second) keeps the page busy: a second request gets -1,
  // and the page's cancel button stops the first.
  auto* second = new DownloadRequest{"second", kSite + "/samples/a.png", "风景"};
  std::string box;
  std::thread cancel([&] {
    winkit::WaitForWindow("#32770", "选择类别", 10000, GetCurrentProcessId());
    Sleep(100);
    while (!page_->IsBusy() || progress_->GetPos() <= 0) Sleep(20);
    EXPECT_EQ(SendMessageA(page_->Handle(), WM_DOWNLOAD_REQUEST, reinterpret_cast<WPARAM>(second), 0), -1);
    delete second;
    PostMessageA(page_->Handle(), WM_COMMAND, IDC_DOWNLOAD_CANCEL, 0);
  });
  ASSERT_EQ(Send("slow-800x600.bmp?rate=100000", 0, IDOK, box), 0);
  cancel.join();
  EXPECT_EQ(box, "壁纸下载取消");
  EXPECT_TRUE(FolderFiles(Folder("风景")).empty());

  // A missing picture (the transfer itself saves the 404 page and succeeds) and a connection
  // cut half-way (the transfer ends quietly): both are failures and say why.
  ASSERT_TRUE(standin_.Control("fault /samples/gone.jpg 404\nfault /samples/cut-640x480.bmp truncate"));
  ASSERT_EQ(Send("gone.jpg", 0, IDOK, box), 0);
  EXPECT_EQ(box.rfind("壁纸下载取消", 0), 0u) << box;
  EXPECT_NE(box.find("404"), std::string::npos) << box;
  ASSERT_EQ(Send("cut-640x480.bmp", 1, IDOK, box), 0);
  EXPECT_EQ(box.rfind("壁纸下载取消", 0), 0u) << box;
  EXPECT_NE(box.find("Received 460827 of 921654 bytes"), std::string::npos) << box;
  EXPECT_TRUE(FolderFiles(Folder("风景")).empty());
  EXPECT_TRUE(manager_.carousel.empty());
  EXPECT_EQ(main_->finished, 0);
  EXPECT_FALSE(winkit::FileExists(info)) << "nothing is recorded";

  // A file name from the address that cannot be a local name is refused before the dialog.
  ASSERT_EQ(Send("aux.jpg", 0, 0, box), 0);
  EXPECT_EQ(box.rfind("该壁纸的文件名", 0), 0u) << box;
  EXPECT_FALSE(page_->IsBusy());
}

// A wallpaper link run through the main window's path; drive works the "壁纸下载" dialog from a
// second thread. Returns the text of the message box that ended the road (empty when none).
std::string RunLink(const std::string& picture, ManagerPageLink& manager, HWND mainWindow,
                    const std::function<void(HWND dialog)>& drive) {
  const std::string link = "\"MURALBOX://" + kSite.substr(7) + "/samples/" + picture + "\"";
  auto answers = std::async(std::launch::async, [&] {
    HWND dialog = winkit::WaitForWindow("#32770", "壁纸下载", 10000, GetCurrentProcessId());
    if (!dialog) return std::string("(no link dialog)");
    drive(dialog);
    std::string text;
    uitest::WaitUntil([&] {
      return !IsWindow(dialog) || winkit::WaitForWindow("#32770", kCaption, 10, GetCurrentProcessId());
    }, 60000);
    if (IsWindow(dialog)) winkit::AnswerMessageBox(kCaption, IDOK, 1000, &text, GetCurrentProcessId());
    while (IsWindow(dialog)) Sleep(10);
    return text;
  });
  HandleMainWindowLink(link, &manager, mainWindow);
  return answers.get();
}

TEST_F(DownloadPageTest, LinkDownloadsIntoTheChosenCategoryAndEndsItsDialog) {
  const std::string info = GetClientConfig()->DownloadInfoPath();
  GetClientConfig()->categoryFolderNames = {"动漫", "风景"};
  auto selectLandscapeAndOK = [](HWND dialog) {
    SendDlgItemMessageA(dialog, IDC_CATEGORY_COMBO, CB_SETCURSEL, 1, 0);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  };
  bool secondLinkIgnored = false;
  std::string box = RunLink("sky-800x600.bmp?rate=1000000", manager_, main_->Handle(), [&](HWND dialog) {
    // A link while the dialog is open is dropped at once.
    HandleMainWindowLink("muralbox://h/other.jpg", &manager_, main_->Handle());
    secondLinkIgnored = winkit::WaitForWindow("#32770", "壁纸下载", 10, GetCurrentProcessId()) == dialog;
    selectLandscapeAndOK(dialog);
    auto* bar = static_cast<ProgressBarView*>(fw::Window::FromHandle(GetDlgItem(dialog, IDC_DOWNLOAD_PROGRESS)));
    if (bar && uitest::WaitUntil([&] { return bar->GetPos() > 0; }, 10000)) {
      uitest::SaveScreenshot(dialog, "link_dialog_progress");
    }
  });
  EXPECT_TRUE(secondLinkIgnored);
  EXPECT_EQ(box, "下载完毕");
  const winkit::StandinReply original = winkit::SendToStandin("GET", "/samples/sky-800x600.bmp");
  EXPECT_EQ(winkit::ReadTextFile(Folder("风景") + "sky-800x600.bmp"), original.body);
  EXPECT_EQ(main_->finished, 1);
  EXPECT_EQ(manager_.selected, std::vector<std::string>{"风景"});
  EXPECT_EQ(GetClientConfig()->linkDialogBusy, 0);
  EXPECT_EQ(GetClientConfig()->loggedIn, 1);

  // The same picture again: kept under a numbered name.
  EXPECT_EQ(RunLink("sky-800x600.bmp", manager_, main_->Handle(), selectLandscapeAndOK), "下载完毕");
  EXPECT_EQ(FolderFiles(Folder("风景")), (std::vector<std::string>{"sky-800x600(1).bmp", "sky-800x600.bmp"}));

  // A slow picture cancelled: the worker stops, reports and ends the dialog; no file stays.
  box = RunLink("slow-800x600.bmp?rate=50000", manager_, main_->Handle(), [&](HWND dialog) {
    selectLandscapeAndOK(dialog);
    Sleep(500);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK))) << "OK is refused while the download runs";
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(box, "壁纸下载取消");
  EXPECT_EQ(FolderFiles(Folder("风景")).size(), 2u);

  // A new category named with blanks around it, then cancelled: the category stays; an unsafe
  // name is refused and stored nowhere.
  box = RunLink("lake-320x200.png", manager_, main_->Handle(), [&](HWND dialog) {
    for (const char* typed : {"  新类 ", ".."}) {
      PostMessageA(dialog, WM_COMMAND, IDC_CATEGORY_NEW, 0);
      HWND naming = winkit::WaitForWindow("#32770", "新建类别", 10000, GetCurrentProcessId());
      SetDlgItemTextA(naming, IDC_NEW_CATEGORY_EDIT, typed);
      PostMessageA(naming, WM_COMMAND, IDOK, 0);
      while (IsWindow(naming)) Sleep(10);
    }
    std::string refused;
    winkit::AnswerMessageBox(kCaption, IDOK, 5000, &refused, GetCurrentProcessId());
    EXPECT_EQ(refused.rfind("类别名称不能含有", 0), 0u) << refused;
    char chosen[64] = {};
    GetDlgItemTextA(dialog, IDC_CATEGORY_COMBO, chosen, sizeof chosen);
    EXPECT_STREQ(chosen, "新类");
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(box, "");
  EXPECT_EQ(GetClientConfig()->categoryFolderNames, (std::vector<std::string>{"动漫", "风景", "新类"}));
  EXPECT_EQ(manager_.inserted, std::vector<std::string>{"新类"});
  EXPECT_FALSE(winkit::FileExists(info)) << "a link download writes no record";
}

}  // namespace
}  // namespace mb
