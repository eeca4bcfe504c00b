// The upload page under Wine against the stand-in service and upload servers: a picture sent and
// registered, the author address, a refused registration, a cancel of a stalled transfer, the
// album roads, and the page in each skin layout.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "client/core/client_config.h"
#include "client/ui/res/resource.h"
#include "client/ui/tests/win/control_test_support.h"
#include "client/ui/upload/win/upload_page.h"
#include "common/gbk_text.h"
#include "common/percent_text.h"
#include "framework/module.h"
#include "image/picture.h"
#include "tests/winkit/standin_client.h"
#include "tests/winkit/winkit.h"
#include "upload/win/tests/standin_control.h"

namespace mb {
namespace {

const char kCaption[] = "墨岚屏[Pelora]-系统消息";
const std::string kSite = "http://" + std::string(MB_SERVICE_HOST) + ":" + std::to_string(MB_SERVICE_HTTP_PORT);

// The main window as the page sees it: a plain parent.
class PageParent : public fw::Window {
 public:
  explicit PageParent(int height) {
    const RECT frame = {20, 20, 20 + 700, 20 + height};
    Create(nullptr, "upload", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW, &frame);
  }
  ~PageParent() override { Destroy(); }

 protected:
  fw::WindowClassSpec ClassSpec() const override {
    fw::WindowClassSpec spec;
    spec.name = "mb.test.UploadMain";
    return spec;
  }
};

std::vector<std::pair<std::string, std::string>> QueryPairs(const std::string& query) {
  std::vector<std::pair<std::string, std::string>> pairs;
  for (const std::string& item : GbkSplit(query, "&")) {
    const std::size_t equals = item.find('=');
    pairs.emplace_back(item.substr(0, equals), PercentDecode(item.substr(equals + 1)));
  }
  return pairs;
}

class UploadPageTest : public ::testing::Test {
 protected:
  void MakePage(int layout, const std::string& user = "zhang.san") {
    fw::Module::Init(GetModuleHandleA(nullptr));
    ASSERT_TRUE(standin_.Control("clear")) << standin_.Error();
    skin_ = std::make_unique<uitest::CurrentSkin>(layout);
    ASSERT_TRUE(winkit::WriteTextFile(folder_.Path("classify.dat"), "1:风景:NULL\r\n2:动漫:NULL\r\n3:山水:风景\r\n"
                                                                    "4:晨雾:山水\r\n5:海景:风景区\r\n"));
    ASSERT_TRUE(CreateClientConfig({folder_.Root(), kSite}));
    ClientConfig& config = *GetClientConfig();
    config.skinLayout = layout;
    config.SetSharedText(&ClientConfig::sessionUser, user);
    config.uploadSorts = {{1, "风景"}, {2, "人物"}};
    parent_ = std::make_unique<PageParent>(layout == 1 ? 330 : 320);
    page_ = std::make_unique<UploadPage>();
    ASSERT_TRUE(page_->Create(parent_->Handle()));
    SetWindowPos(page_->Handle(), nullptr, 0, 0, layout == 1 ? 528 : 679, layout == 2 ? 298 : 318, SWP_NOZORDER);
    ShowWindow(page_->Handle(), SW_SHOW);
    // The starter albums arrive from the service off the page's thread.
    ASSERT_TRUE(uitest::WaitUntil([&] { return Count(IDC_UPLOAD_ALBUM) == 2; }, 20000));
  }
  void TearDown() override {
    page_.reset();
    parent_.reset();
    DestroyClientConfig();
    skin_.reset();
  }

  int Count(int combo) const { return static_cast<int>(SendMessageA(Item(combo), CB_GETCOUNT, 0, 0)); }
  HWND Item(int id) const { return GetDlgItem(page_->Handle(), id); }
  std::string Text(int id) const {
    char text[512] = {};
    GetWindowTextA(Item(id), text, sizeof text);
    return text;
  }
  void Select(int combo, int index) {
    SendMessageA(Item(combo), CB_SETCURSEL, index, 0);
    SendMessageA(page_->Handle(), WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Item(combo)));
  }
  // A 1024 x 768 JPEG in a folder with a Chinese name.
  std::string MakePicture() {
    const std::string folder = folder_.Path("图片 夹\\");
    winkit::MakeFolders(folder);
    Picture picture;
    picture.Create(1024, 768, Rgba{40, 90, 160, 255});
    for (int y = 0; y < 768; y += 3) {
      for (int x = (y * 7) % 5; x < 1024; x += 5) picture.SetPixelColor(x, y, Rgba{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 9, 255});
    }
    const std::string path = folder + "海边.jpg";
    EXPECT_TRUE(picture.Save(path, PictureFormat::kJpeg));
    return path;
  }

  // Presses a page button while another thread answers the message box that ends its road, and
  // dispatches the page's messages until that box is gone; the box's text ("" when none came).
  std::string PressAndAnswer(int button, std::function<void()> meanwhile = nullptr, DWORD timeoutMs = 60000) {
    auto answer = std::async(std::launch::async, [timeoutMs] {
      std::string text;
      winkit::AnswerMessageBox(kCaption, IDOK, timeoutMs, &text, GetCurrentProcessId());
      return text;
    });
    SendMessageA(page_->Handle(), WM_COMMAND, button, 0);
    if (meanwhile) meanwhile();
    uitest::WaitUntil([&] { return answer.wait_for(std::chrono::milliseconds(0)) == std::future_status::ready; },
                      timeoutMs + 5000);
    return answer.get();
  }

  winkit::StandinSession standin_;
  winkit::TempFolder folder_;
  std::unique_ptr<uitest::CurrentSkin> skin_;
  std::unique_ptr<PageParent> parent_;
  std::unique_ptr<UploadPage> page_;
};

class UploadPageRoad : public UploadPageTest {
 protected:
  void SetUp() override {
    servers_.Reset();
    MakePage(2);
  }
  void TearDown() override {
    UploadPageTest::TearDown();
    servers_.Reset();
  }
  uploadtest::StandinControl servers_;
};

TEST_F(UploadPageRoad, PictureArrivesWholeAndIsRegisteredWithItsValuesInOrder) {
  EXPECT_EQ(PressAndAnswer(IDC_UPLOAD_START), "请选择上传文件");
  // The set-up: sources with "转载" chosen, the visibilities, the sort names, the categories by
  // exact parent, the albums.
  EXPECT_EQ(Text(IDC_UPLOAD_SOURCE), "转载");
  EXPECT_EQ(Count(IDC_UPLOAD_VISIBILITY), 2);
  EXPECT_EQ(Text(IDC_UPLOAD_SORT), "风景");
  EXPECT_EQ(Count(IDC_UPLOAD_CATEGORY1), 2);
  EXPECT_EQ(Text(IDC_UPLOAD_CATEGORY2), "山水");
  EXPECT_EQ(Count(IDC_UPLOAD_CATEGORY2), 1) << "海景's parent only begins like 风景";
  EXPECT_EQ(Text(IDC_UPLOAD_CATEGORY3), "晨雾");
  EXPECT_EQ(Text(IDC_UPLOAD_ALBUM), "默认专辑");
  EXPECT_FALSE(IsWindowEnabled(Item(IDC_UPLOAD_CANCEL)));
  EXPECT_EQ(Text(IDC_UPLOAD_BROWSE), "...");

  const std::string path = MakePicture();
  const std::string bytes = winkit::ReadTextFile(path);
  std::string refused;
  auto box = std::async(std::launch::async, [&] {
    winkit::AnswerMessageBox(kCaption, IDOK, 20000, &refused, GetCurrentProcessId());
  });
  EXPECT_FALSE(page_->TakePicture(folder_.Path("classify.dat")));
  box.get();
  EXPECT_EQ(refused, folder_.Path("classify.dat") + " 不是有效的图片文件!");
  ASSERT_TRUE(page_->TakePicture(path));
  EXPECT_EQ(Text(IDC_UPLOAD_TITLE), "海边.jpg");
  SetWindowTextA(Item(IDC_UPLOAD_TITLE), "海边的日落");
  SetWindowTextA(Item(IDC_UPLOAD_DESCRIPTION), "傍晚 & 海风=凉");
  SetWindowTextA(Item(IDC_UPLOAD_TAG), " 海 ");
  Select(IDC_UPLOAD_ALBUM, 1);
  SendMessageA(Item(IDC_UPLOAD_VISIBILITY), CB_SETCURSEL, 1, 0);

  EXPECT_EQ(PressAndAnswer(IDC_UPLOAD_START, [&] {
              EXPECT_FALSE(IsWindowEnabled(Item(IDC_UPLOAD_START)));
              EXPECT_TRUE(IsWindowEnabled(Item(IDC_UPLOAD_CANCEL)));
            }),
            "上传文件成功!");
  ASSERT_TRUE(uitest::WaitUntil([&] { return !page_->Uploading(); }, 10000));
  EXPECT_TRUE(IsWindowEnabled(Item(IDC_UPLOAD_START)));
  EXPECT_FALSE(IsWindowEnabled(Item(IDC_UPLOAD_CANCEL)));
  EXPECT_EQ(Text(IDC_UPLOAD_PERCENT), "已完成100%");
  RedrawWindow(page_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  uitest::SaveScreenshot(page_->Handle(), "upload_page_after_upload_layout2");

  // The file arrived byte for byte (the last block is filled up with zeros).
  const auto files = servers_.Files();
  ASSERT_EQ(files.size(), 1u);
  const std::string remoteName = files.begin()->first;
  const std::string stored = servers_.ReadStoredFile(files.begin()->second);
  ASSERT_GE(stored.size(), bytes.size());
  EXPECT_TRUE(stored.substr(0, bytes.size()) == bytes);
  EXPECT_EQ(stored.find_first_not_of('\0', bytes.size()), std::string::npos);
  EXPECT_EQ(remoteName.rfind("zhangsan", 0), 0u);
  EXPECT_EQ(remoteName.substr(remoteName.size() - 4), ".jpg");
  const auto blocks = servers_.Blocks();
  ASSERT_FALSE(blocks.empty());
  EXPECT_EQ(blocks[0].userName, "zhangsan");

  // The registration: the reprint address, fourteen values in their order, GBK as typed.
  std::vector<winkit::StandinRequest> registrations;
  for (const winkit::StandinRequest& r : standin_.Requests()) {
    if (r.path.rfind("/muralbox2/", 0) == 0) registrations.push_back(r);
  }
  ASSERT_EQ(registrations.size(), 1u);
  EXPECT_EQ(registrations[0].method, "POST");
  EXPECT_EQ(registrations[0].path, "/muralbox2/douploadgo.jsp");
  const std::string remotePath = blocks[0].dateFolder + "/" + blocks[0].minuteFolder;
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"username", "zhang.san"}, {"title", "海边的日落"}, {"srctype", "2"}, {"desc", "傍晚 & 海风=凉"},
      {"pictype1", "1"}, {"pictype2", "3"}, {"pictype3", "4"}, {"special", "2"}, {"tag", "海"},
      {"width", "1024"}, {"height", "768"}, {"remotepath", remotePath}, {"filename", remoteName}, {"pub", "1"}};
  EXPECT_EQ(QueryPairs(registrations[0].query), expected);

  // "原创" goes to the author address; a reply "0" there is a failed registration.
  standin_.Mark();
  Select(IDC_UPLOAD_SOURCE, 0);
  ASSERT_TRUE(standin_.Control("fault /muralbox2/douploadauthor_client.jsp zero"));
  EXPECT_EQ(PressAndAnswer(IDC_UPLOAD_START), "写入数据库失败,上传失败!");
  registrations.clear();
  for (const winkit::StandinRequest& r : standin_.Requests()) {
    if (r.path.rfind("/muralbox2/", 0) == 0) registrations.push_back(r);
  }
  ASSERT_EQ(registrations.size(), 1u);
  EXPECT_EQ(registrations[0].path, "/muralbox2/douploadauthor_client.jsp");
  EXPECT_EQ(QueryPairs(registrations[0].query)[2].second, "1");
  EXPECT_EQ(servers_.Files().size(), 2u);
}

TEST_F(UploadPageRoad, CancelOfAStalledTransferEndsInBoundedTime) {
  ASSERT_TRUE(page_->TakePicture(MakePicture()));
  servers_.Set("block", "stall");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(PressAndAnswer(IDC_UPLOAD_START, [&] {
              uitest::WaitUntil([&] { return servers_.Counter("block_connections") > 0; }, 10000);
              uitest::WaitUntil([] { return false; }, 300);
              PostMessageA(page_->Handle(), WM_COMMAND, IDC_UPLOAD_CANCEL, 0);
            }),
            "壁纸上传取消");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_FALSE(page_->Uploading());
  EXPECT_TRUE(IsWindowEnabled(Item(IDC_UPLOAD_START)));
  EXPECT_FALSE(IsWindowEnabled(Item(IDC_UPLOAD_CANCEL)));
  // The stalled worker, left to itself, never tells the page anything.
  uitest::WaitUntil([] { return false; }, 500);
  EXPECT_FALSE(winkit::WaitForWindow("#32770", kCaption, 0, GetCurrentProcessId()));
}

class UploadPageAlbums : public UploadPageTest {
 protected:
  // A member of this run alone: the service keeps the albums it makes.
  void SetUp() override { MakePage(2, user_); }

  // "添加..." with name typed into the album dialog; the text of the box that ends the road
  // (none when boxExpected is false).
  std::string AddAlbum(const std::string& name, bool boxExpected = true) {
    auto answers = std::async(std::launch::async, [name, boxExpected] {
      HWND dialog = winkit::WaitForWindow("#32770", "添加专辑", 20000, GetCurrentProcessId());
      if (!dialog) return std::string("(no dialog)");
      SetDlgItemTextA(dialog, IDC_ADD_ALBUM_NAME, name.c_str());
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
      std::string text;
      if (!boxExpected) return text;
      winkit::AnswerMessageBox(kCaption, IDOK, 20000, &text, GetCurrentProcessId());
      if (IsWindow(dialog)) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
      return text;
    });
    SendMessageA(page_->Handle(), WM_COMMAND, IDC_UPLOAD_ADD_ALBUM, 0);
    return answers.get();
  }
  const std::string user_ = "li.si" + std::to_string(GetTickCount());
};

TEST_F(UploadPageAlbums, NewAlbumJoinsTheListAndDuplicatesAndRefusalsAreTold) {
  EXPECT_EQ(AddAlbum("海边 之旅", false), "");
  EXPECT_EQ(Text(IDC_UPLOAD_ALBUM), "海边 之旅");
  EXPECT_EQ(Count(IDC_UPLOAD_ALBUM), 3);
  std::vector<winkit::StandinRequest> added;
  for (const winkit::StandinRequest& r : standin_.Requests()) {
    if (r.path == "/common/upload/addalbum_client.jsp") added.push_back(r);
  }
  ASSERT_EQ(added.size(), 1u);
  EXPECT_EQ(QueryPairs(added[0].query),
            (std::vector<std::pair<std::string, std::string>>{{"userid", user_}, {"v", "海边 之旅"}}));

  EXPECT_EQ(AddAlbum("海边 之旅"), "该专辑已经存在!");
  EXPECT_EQ(AddAlbum(" "), "请输入专辑名称!");
  ASSERT_TRUE(standin_.Control("fault /common/upload/addalbum_client.jsp zero"));
  EXPECT_EQ(AddAlbum("第二个"), "添加专辑失败,请稍后再试!");
  ASSERT_TRUE(standin_.Control("fault /common/upload/addalbum_client.jsp 404"));
  EXPECT_EQ(AddAlbum("第三个"), "添加专辑失败,请稍后再试!");
  // A refusal fetches the list again: the service's list, which holds the new album.
  EXPECT_EQ(Count(IDC_UPLOAD_ALBUM), 3);
}

class UploadPageLayout : public UploadPageTest {};

TEST_F(UploadPageLayout, EachSkinLayoutShowsTheWholeForm) {
  for (int layout = 1; layout <= 3; ++layout) {
    SCOPED_TRACE(layout);
    MakePage(layout);
    ASSERT_TRUE(page_->TakePicture(MakePicture()));
    SetWindowTextA(Item(IDC_UPLOAD_DESCRIPTION), "傍晚的海边");
    RECT page, start, picture;
    GetClientRect(page_->Handle(), &page);
    for (int id : {IDC_UPLOAD_START, IDC_UPLOAD_EDIT_PICTURE, IDC_UPLOAD_PROGRESS, IDC_UPLOAD_PICTURE}) {
      RECT item;
      GetWindowRect(Item(id), &item);
      MapWindowPoints(nullptr, page_->Handle(), reinterpret_cast<POINT*>(&item), 2);
      EXPECT_TRUE(item.left >= 0 && item.top >= 0 && item.right <= page.right && item.bottom <= page.bottom) << id;
    }
    GetWindowRect(Item(IDC_UPLOAD_START), &start);
    GetWindowRect(Item(IDC_UPLOAD_PICTURE), &picture);
    EXPECT_GT(picture.left, start.right) << "the picture stands right of the form";
    RedrawWindow(page_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    uitest::SaveScreenshot(page_->Handle(), "upload_page_layout" + std::to_string(layout));
    TearDown();
  }
}

}  // namespace
}  // namespace mb
