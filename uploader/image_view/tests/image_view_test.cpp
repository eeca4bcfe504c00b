// The picture pane in a frame under Wine: a folder scan cancelled and completed, and, against the
// stand-in upload servers, a folder listed by its scan whose ticked pictures the rule allows arrive
// whole, a refused server that ends the batch with the engine's notice, and a second batch that
// stops the first.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "conf/win/config.h"
#include "image/picture.h"
#include "tests/winkit/screenshot.h"
#include "tests/winkit/winkit.h"
#include "thumblist/win/list_image_ctrl.h"
#include "upload/core/block_plan.h"
#include "upload/win/tests/standin_control.h"
#include "upload/win/upload_pool.h"
#include "uploader/image_view/image_view.h"
#include "uploader/image_view/tests/test_frame.h"
#include "uploader/view_mediator.h"

namespace {

// What the pools of a test leave behind: their notices and whether each has ended.
struct PoolLog {
  std::mutex mutex;
  std::vector<std::string> notices;
  std::vector<HANDLE> ended;  // one event per pool, in order of creation
  ~PoolLog() {
    for (HANDLE event : ended) CloseHandle(event);
  }
  std::vector<std::string> Notices() {
    std::lock_guard<std::mutex> lock(mutex);
    return notices;
  }
};

class LoggedPool : public CZELUploadThreadsPool {
 public:
  LoggedPool(PoolLog& log, HANDLE ended) : log_(log), ended_(ended) { SetNetworkTimeouts(2000, 4000); }

 protected:
  ~LoggedPool() override { SetEvent(ended_); }
  void ShowNotice(const std::string& text, const std::string&, UINT) override {
    std::lock_guard<std::mutex> lock(log_.mutex);
    log_.notices.push_back(text);
  }

 private:
  PoolLog& log_;
  HANDLE ended_;
};

// The view with its message boxes answered and its pools logged (the log outlives the view, whose
// last pool ends only when the view goes).
class TestView : public CImageView {
 public:
  explicit TestView(PoolLog& log) : pools(log) {}
  std::vector<std::string> asked;
  int answer = IDYES;
  PoolLog& pools;

 protected:
  int AskMember(const std::string& text, UINT) override {
    asked.push_back(text);
    return answer;
  }
  CZELUploadThreadsPool* CreatePool() override {
    HANDLE ended = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    pools.ended.push_back(ended);
    return new LoggedPool(pools, ended);
  }
};

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return true;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The view in its frame over a folder of generated pictures.
class ImageViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CConfig* config = CConfig::GetConfig();
    config->SetDefaultUserName("ann.lee");
    config->SetFirstBlockFlag(0);
    config->SetDefaultListView(1);
    frame_.Open(view_);
  }

  // With a band of noise, so that each picture takes a good number of blocks.
  void WritePicture(const std::string& name, int width, int height, bool noise = true) {
    mb::Picture picture;
    ASSERT_TRUE(picture.Create(width, height, {30, static_cast<std::uint8_t>(width % 251), 90, 255}));
    std::uint32_t seed = static_cast<std::uint32_t>(width * 7919 + height);
    for (int y = 0; noise && y < 48; ++y) {
      for (int x = 0; x < width; ++x) {
        seed = seed * 1664525u + 1013904223u;
        picture.SetPixelColor(x, y, {static_cast<std::uint8_t>(seed >> 24), static_cast<std::uint8_t>(seed >> 16),
                                     static_cast<std::uint8_t>(seed >> 8), 255});
      }
    }
    ASSERT_TRUE(picture.Save(folder_.Path(name), mb::PictureFormat::kJpeg)) << picture.LastError();
  }
  void TickAllAndStart() {
    view_.Send(WM_TICK_ALL_ROWS, 1, 0);
    view_.Send(WM_START_UPLOAD, 0, 0);
  }
  const std::vector<std::string>& Status() const { return frame_.paneTexts[0]; }
  bool StatusSaid(const std::string& text, std::size_t from = 0) const {
    return std::find(Status().begin() + std::min(from, Status().size()), Status().end(), text) != Status().end();
  }
  // The "files done of total" texts from position from on.
  std::vector<std::string> DoneTexts(std::size_t from = 0) const {
    std::vector<std::string> texts;
    for (std::size_t i = from; i < Status().size(); ++i) {
      if (Contains(Status()[i], "已传送完成")) texts.push_back(Status()[i]);
    }
    return texts;
  }

  winkit::TempFolder folder_;
  PoolLog pools_;
  TestView view_{pools_};
  RecordingFrame frame_;
};

using ImageViewFolders = ImageViewTest;

TEST_F(ImageViewFolders, CancelledScanClosesItsDialogAndTheNextOpeningAddsOnlyWhatIsMissing) {
  const int count = 100;
  for (int i = 0; i < count; ++i) WritePicture("p" + std::to_string(i) + ".jpg", 1024, 768, false);
  bool cancelled = false;
  std::thread member([&] { cancelled = winkit::AnswerMessageBox("正在载入图片...", IDCANCEL, 20000); });
  view_.OpenFolder(folder_.Root());
  member.join();
  EXPECT_TRUE(cancelled);
  EXPECT_EQ(FindWindowA(nullptr, "正在载入图片..."), nullptr);
  ASSERT_TRUE(PumpUntil([&] { return Contains(Status().back(), "当前文件夹共有"); }, 10000)) << Status().back();
  EXPECT_LT(view_.RowCount(), count);

  view_.OpenFolder(folder_.Root());
  EXPECT_EQ(FindWindowA(nullptr, "正在载入图片..."), nullptr);
  ASSERT_EQ(view_.RowCount(), count);
  std::set<std::string> paths;
  for (int row = 0; row < count; ++row) paths.insert(view_.CurrentList()->GetItemFilePath(row).Str());
  EXPECT_EQ(paths.size(), static_cast<std::size_t>(count));
  EXPECT_EQ(Status().back(), "当前文件夹共有 100 张图片文件，其中 0 张被选中");
  EXPECT_EQ(view_.StoredListCount(), 1);
}

class ImageViewUpload : public ImageViewTest {
 protected:
  void SetUp() override {
    standin_.Reset();
    ImageViewTest::SetUp();
  }
  void TearDown() override { standin_.Reset(); }
  // Every record names a stored file equal, byte for byte, to the picture of its title.
  void ExpectArrivedWhole(const std::vector<std::string>& names) {
    const auto files = standin_.Files();
    const auto records = standin_.Records();
    ASSERT_EQ(records.size(), names.size());
    std::vector<std::string> titles;
    for (const uploadtest::StoredRecord& record : records) {
      titles.push_back(record.title);
      ASSERT_EQ(files.count(record.fileName), 1u) << record.title;
      EXPECT_TRUE(standin_.ReadStoredFile(files.at(record.fileName)) ==
                  winkit::ReadTextFile(folder_.Path(record.title)))
          << record.title;
      EXPECT_EQ(record.userName, "ann.lee");
    }
    std::sort(titles.begin(), titles.end());
    EXPECT_EQ(titles, names);
  }

  uploadtest::StandinControl standin_;
};

TEST_F(ImageViewUpload, FolderIsScannedAndTheAllowedTickedPicturesArriveWhole) {
  WritePicture("a.jpg", 1024, 768);
  WritePicture("b.JPEG", 1280, 960);
  WritePicture("c.jpg", 1600, 1200);
  WritePicture("small.jpg", 800, 600);
  ASSERT_TRUE(winkit::WriteTextFile(folder_.Path("broken.jpg"), std::string(5000, '\x5a')));
  ASSERT_TRUE(winkit::WriteTextFile(folder_.Path("notes.txt"), "not a picture"));
  WritePicture("hidden.jpg", 1024, 768);
  SetFileAttributesA(folder_.Path("hidden.jpg").c_str(), FILE_ATTRIBUTE_HIDDEN);

  // Five picture files: read by a scan behind the loading dialog, which is gone afterwards.
  view_.OpenFolder(folder_.Root());
  EXPECT_EQ(FindWindowA(nullptr, "正在载入图片..."), nullptr);
  ASSERT_TRUE(PumpUntil([&] { return view_.RowCount() == 4; }, 10000)) << view_.RowCount();
  ASSERT_EQ(view_.asked.size(), 1u);
  EXPECT_TRUE(Contains(view_.asked[0], folder_.Path("broken.jpg"))) << view_.asked[0];
  EXPECT_EQ(Status().back(), "当前文件夹共有 4 张图片文件，其中 0 张被选中");
  EXPECT_EQ(view_.StoredListCount(), 1);

  // Opened again with one picture more, and refreshed with another: the same list gets only the
  // new ones.
  WritePicture("d.jpg", 1024, 768);
  view_.OpenFolder(folder_.Root().substr(0, folder_.Root().size() - 1));
  EXPECT_EQ(view_.StoredListCount(), 1);
  EXPECT_EQ(view_.RowCount(), 5);
  WritePicture("e.jpg", 1024, 768);
  view_.Send(WM_REFRESH_FOLDER, 0, 0);
  EXPECT_EQ(view_.RowCount(), 6);
  winkit::SaveClientScreenshot(frame_, "imageview_folder_listed");

  // Nothing ticked: nothing starts.
  view_.Send(WM_START_UPLOAD, 0, 0);
  EXPECT_EQ(view_.asked.back(), "请勾选要上传的图片!");
  EXPECT_TRUE(view_.pools.ended.empty());

  // All ticked: the member is asked about the small one; No starts nothing, Yes sends the other five.
  view_.answer = IDNO;
  TickAllAndStart();
  EXPECT_TRUE(view_.pools.ended.empty());
  EXPECT_EQ(CConfig::GetConfig()->GetUploading(), 0);
  view_.answer = IDYES;
  const std::size_t before = Status().size();
  TickAllAndStart();
  EXPECT_TRUE(Contains(view_.asked.back(), folder_.Path("small.jpg") + "\r\n是否继续上传其它图片？"));
  EXPECT_EQ(CConfig::GetConfig()->GetUploading(), 1);
  const std::uint64_t blocks = view_.BlocksTotal();
  ASSERT_TRUE(PumpUntil([&] { return StatusSaid("传送完成！", before) && !view_.pools.Notices().empty(); }, 60000));
  winkit::SaveClientScreenshot(frame_, "imageview_after_upload");

  EXPECT_EQ(view_.pools.Notices(), std::vector<std::string>{"文件传送完成了"});
  ExpectArrivedWhole({"a.jpg", "b.JPEG", "c.jpg", "d.jpg", "e.jpg"});
  std::uint64_t expectedBlocks = 0;
  for (const char* name : {"a.jpg", "b.JPEG", "c.jpg", "d.jpg", "e.jpg"}) {
    expectedBlocks += mb::upload::EngineBlockCount(winkit::ReadTextFile(folder_.Path(name)).size());
  }
  EXPECT_EQ(blocks, expectedBlocks);
  EXPECT_EQ(frame_.progressRange, expectedBlocks);
  EXPECT_EQ(frame_.progressPos, static_cast<int>(expectedBlocks));
  const std::vector<std::string> done = DoneTexts(before);
  ASSERT_EQ(done.size(), 5u);
  for (int i = 0; i < 5; ++i) {
    EXPECT_TRUE(Contains(done[i], "共 5 张图片上传(共")) << done[i];
    EXPECT_TRUE(Contains(done[i], "已传送完成 " + std::to_string(i) + " 张！")) << done[i];
  }
  EXPECT_EQ(CConfig::GetConfig()->GetUploading(), 0);
  EXPECT_EQ(view_.BlocksTotal(), 0u);
}

TEST_F(ImageViewUpload, RefusedServerEndsTheBatchWithTheEngineNotice) {
  WritePicture("a.jpg", 1024, 768);
  view_.OpenFolder(folder_.Root());
  ASSERT_EQ(view_.RowCount(), 1);  // read at once
  standin_.Set("block", "refuse");
  TickAllAndStart();
  ASSERT_TRUE(PumpUntil([&] { return StatusSaid("上传失败!") && !view_.pools.Notices().empty(); }, 40000));
  EXPECT_EQ(view_.pools.Notices()[0], "连接服务器失败，请检查网络是否畅通！");
  EXPECT_EQ(CConfig::GetConfig()->GetUploading(), 0);
  EXPECT_TRUE(standin_.Records().empty());
}

TEST_F(ImageViewUpload, SecondBatchStopsTheFirstAndCountsOnlyItsOwnReports) {
  WritePicture("a.jpg", 1024, 768);
  WritePicture("b.jpg", 1280, 1024);
  view_.OpenFolder(folder_.Root());
  ASSERT_EQ(view_.RowCount(), 2);

  // The first batch connects and then waits on a server that answers nothing.
  standin_.Set("block", "stall");
  TickAllAndStart();
  ASSERT_TRUE(PumpUntil([&] { return StatusSaid("连接服务器成功,开始传送文件!"); }, 20000));
  // The clock ticks every second but counts only from the first acknowledged block.
  ASSERT_TRUE(PumpUntil([&] { return !frame_.paneTexts[2].empty(); }, 3000));
  EXPECT_EQ(frame_.paneTexts[2].back(), "00:00:00");
  EXPECT_EQ(frame_.paneTexts[3].back(), "");  // no speed while nothing is acknowledged
  standin_.Set("block", "normal");
  const std::size_t before = Status().size();
  view_.Send(WM_START_UPLOAD, 0, 0);
  ASSERT_EQ(view_.pools.ended.size(), 2u);
  EXPECT_EQ(WaitForSingleObject(view_.pools.ended[0], 12000), WAIT_OBJECT_0);

  ASSERT_TRUE(PumpUntil([&] { return StatusSaid("传送完成！", before) && !view_.pools.Notices().empty(); }, 60000));
  EXPECT_EQ(view_.pools.Notices(), std::vector<std::string>{"文件传送完成了"});  // none from the first
  EXPECT_FALSE(StatusSaid("上传失败!", before));
  ExpectArrivedWhole({"a.jpg", "b.jpg"});
  const std::vector<std::string> done = DoneTexts(before);
  ASSERT_EQ(done.size(), 2u);
  EXPECT_TRUE(Contains(done[0], "已传送完成 0 张！")) << done[0];
  EXPECT_TRUE(Contains(done[1], "共 2 张图片上传(共")) << done[1];
  EXPECT_TRUE(Contains(done[1], "已传送完成 1 张！")) << done[1];
  EXPECT_EQ(frame_.progressPos, static_cast<int>(frame_.progressRange));
}

}  // namespace
