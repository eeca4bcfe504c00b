// The animated picture control on a window: GIFs made here (and the skins' waiting animations)
// split, decoded by the system's loader and played by one drawing thread with their delays and
// disposal methods; still pictures; files that are not pictures; stopping within the wait.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "client/ui/gif/gif_writer.h"
#include "client/ui/gif/win/animated_gif_control.h"
#include "client/ui/tests/win/control_test_support.h"
#include "common/win/com_ptr.h"
#include "framework/module.h"
#include "skin/format/bmp24.h"
#include "tests/winkit/screenshot.h"
#include "tests/winkit/winkit.h"

namespace mb::uitest {
namespace {

using gif::GifWriter;
using gif::GifWriterFrame;

const winkit::Rgb kRed{255, 0, 0};
const winkit::Rgb kGreen{0, 255, 0};
const winkit::Rgb kBlue{0, 0, 255};
const winkit::Rgb kBlack{0, 0, 0};
const std::vector<std::uint32_t> kTable = {0xFF0000, 0x00FF00, 0x0000FF, 0x000000};

GifWriterFrame Solid(int left, int top, int width, int height, std::uint8_t colour, int delay, int disposal) {
  GifWriterFrame f;
  f.left = left;
  f.top = top;
  f.width = width;
  f.height = height;
  f.pixels.assign(static_cast<std::size_t>(width * height), colour);
  f.delay = delay;
  f.disposal = disposal;
  return f;
}

// Four frames on a 40 x 30 screen: red left half (kept), green top right (kept), blue bottom
// right (restored to the background), a black corner.
std::string FourFrameGif(int delay) {
  GifWriter writer(40, 30, kTable);
  writer.LoopForever();
  writer.Frame(Solid(0, 0, 20, 30, 0, delay, 1));
  writer.Frame(Solid(20, 0, 20, 15, 1, delay, 1));
  writer.Frame(Solid(20, 15, 20, 15, 2, delay, 2));
  writer.Frame(Solid(0, 0, 4, 4, 3, delay, 1));
  return writer.Finish();
}

winkit::Rgb SystemColour(int index) {
  const COLORREF c = GetSysColor(index);
  return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

// A control as a top-level window, so that it can be captured on its own; COM for the loader.
class GifTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fw::Module::Init(GetModuleHandleA(nullptr));
    threadsBefore = ThreadCount();
    const RECT frame = {60, 60, 160, 160};
    ASSERT_NE(control->Create(nullptr, "gif", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW, &frame), nullptr);
  }
  void TearDown() override {
    control.reset();
    EXPECT_TRUE(WaitUntil([this] { return ThreadCount() == threadsBefore; }, 2000)) << "no drawing thread is left";
  }

  bool LoadBytes(const std::string& bytes) {
    const std::string path = folder.Path("picture");
    winkit::WriteTextFile(path, bytes);
    return control->LoadFromFile(path);
  }
  winkit::RgbImage Shot() { return winkit::CaptureClientArea(*control); }
  SIZE ClientSize() {
    RECT r = {};
    GetClientRect(*control, &r);
    return {r.right, r.bottom};
  }

  ComApartment com;
  winkit::TempFolder folder;
  std::unique_ptr<AnimatedGifControl> control = std::make_unique<AnimatedGifControl>();
  int threadsBefore = 0;
};

TEST_F(GifTest, PlaysFramesInOrderWithTheirDisposalAndClearsAfterTheLast) {
  ASSERT_TRUE(LoadBytes(FourFrameGif(20)));
  EXPECT_EQ(control->FrameCount(), 4u);
  EXPECT_EQ(ClientSize().cx, 40);
  EXPECT_EQ(ClientSize().cy, 30);
  control->Start();
  EXPECT_TRUE(control->IsPlaying());
  EXPECT_EQ(ThreadCount(), threadsBefore + 1);

  const winkit::Rgb background = SystemColour(COLOR_BTNFACE);
  // Probe points: left half, top right, bottom right, the corner.
  enum State { kOther, kBlueShown, kBlueDisposed, kClearedAndRestarted };
  auto stateOf = [&](const winkit::RgbImage& s) {
    const winkit::Rgb left = s.Pixel(10, 20), top = s.Pixel(30, 7), bottom = s.Pixel(30, 22), corner = s.Pixel(1, 1);
    if (top == kGreen && bottom == kBlue) return kBlueShown;
    if (top == kGreen && bottom == background && corner == kBlack) return kBlueDisposed;
    if (left == kRed && corner == kRed && top == background && bottom == background) return kClearedAndRestarted;
    return kOther;
  };
  std::vector<State> seen;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 4000 && (seen.size() < 3 || seen.back() != kClearedAndRestarted)) {
    const winkit::RgbImage shot = Shot();
    const State state = stateOf(shot);
    if (state != kOther && (seen.empty() || seen.back() != state)) seen.push_back(state);
    winkit::PumpMessages(10);
  }
  // Whatever the first state caught, the three follow each other in this order.
  const std::vector<State> order = {kBlueShown, kBlueDisposed, kClearedAndRestarted};
  bool found = false;
  for (std::size_t i = 0; i + 3 <= seen.size() && !found; ++i) {
    found = std::vector<State>(seen.begin() + static_cast<long>(i), seen.begin() + static_cast<long>(i) + 3) == order;
  }
  EXPECT_TRUE(found) << "states seen: " << seen.size();
  SaveScreenshot(*control, "gif_generated_playing");
}

TEST_F(GifTest, HoldsEachFrameForItsDelay) {
  // Red for 3 hundredths (played at 100 ms), green for 50 (500 ms).
  GifWriter writer(20, 20, kTable);
  writer.Frame(Solid(0, 0, 20, 20, 0, 3, 1));
  writer.Frame(Solid(0, 0, 20, 20, 1, 50, 1));
  ASSERT_TRUE(LoadBytes(writer.Finish()));
  control->Start();
  std::vector<std::pair<winkit::Rgb, DWORD>> changes;  // colour and when it appeared
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 2600) {
    const winkit::Rgb now = Shot().Pixel(10, 10);
    if ((now == kRed || now == kGreen) && (changes.empty() || changes.back().first != now)) {
      changes.push_back({now, GetTickCount()});
    }
    winkit::PumpMessages(5);
  }
  // Phases between two changes: green lasts about 500 ms, red about 100 ms.
  int greens = 0;
  int reds = 0;
  for (std::size_t i = 1; i + 1 < changes.size(); ++i) {
    const DWORD lasted = changes[i + 1].second - changes[i].second;
    if (changes[i].first == kGreen) {
      ++greens;
      EXPECT_GE(lasted, 420u);
      EXPECT_LE(lasted, 1500u);
    } else {
      ++reds;
      EXPECT_LT(lasted, 400u);
    }
  }
  EXPECT_GE(greens, 2);
  EXPECT_GE(reds, 2);
}

TEST_F(GifTest, StopsWithinItsWaitAndRestartsWithOneThreadAtMost) {
  ASSERT_TRUE(LoadBytes(FourFrameGif(500)));  // five seconds a frame
  control->Start();
  control->Start();
  EXPECT_EQ(ThreadCount(), threadsBefore + 1) << "a second Start makes no second thread";
  winkit::PumpMessages(100);

  const DWORD before = GetTickCount();
  EXPECT_TRUE(control->Stop());
  EXPECT_LT(GetTickCount() - before, 1000u) << "woken by the stop event, not by the frame's delay";
  EXPECT_FALSE(control->IsPlaying());
  EXPECT_TRUE(WaitUntil([this] { return ThreadCount() == threadsBefore; }, 1000));
  EXPECT_TRUE(control->Stop()) << "stopping again is harmless";

  // Stopped means still: the buffer no longer changes.
  const winkit::RgbImage still = Shot();
  winkit::PumpMessages(300);
  EXPECT_EQ(Shot().Bytes(), still.Bytes());

  // It plays again, with one thread.
  control->Start();
  EXPECT_TRUE(control->IsPlaying());
  EXPECT_EQ(ThreadCount(), threadsBefore + 1);
  // Destroying the window stops the thread.
  DestroyWindow(*control);
  EXPECT_FALSE(control->IsPlaying());
  EXPECT_TRUE(WaitUntil([this] { return ThreadCount() == threadsBefore; }, 1000));
}

TEST_F(GifTest, GivesUpAStopThatTakesTooLongWithoutFreeingWhatTheThreadUses) {
  ASSERT_TRUE(LoadBytes(FourFrameGif(2)));
  control->Start();
  // No time at all to end: the stop is given up, the control is left empty, and the thread
  // ends on its own with its frames and buffer.
  const bool stopped = control->Stop(0);
  if (!stopped) {
    EXPECT_FALSE(control->IsPrepared());
    EXPECT_EQ(control->FrameCount(), 0u);
  }
  control->Start();  // nothing to play
  control->Unload();
  control.reset();
  // TearDown checks the thread has gone.
}

TEST_F(GifTest, ShowsOneFrameGifsAndOtherPicturesStillWithoutAThread) {
  GifWriter writer(30, 20, kTable);
  writer.Frame(Solid(0, 0, 30, 20, 2, 10, 0));
  ASSERT_TRUE(LoadBytes(writer.Finish()));
  EXPECT_EQ(ClientSize().cx, 30);
  EXPECT_EQ(ClientSize().cy, 20);
  control->Start();
  EXPECT_FALSE(control->IsPlaying());
  EXPECT_EQ(ThreadCount(), threadsBefore);
  winkit::RgbImage shot = Shot();
  EXPECT_EQ(shot.CountPixels(kBlue), 30u * 20u);

  // A bitmap goes straight to the loader.
  skinfile::Bitmap24 bitmap(24, 16, {0, 128, 255});
  ASSERT_TRUE(LoadBytes(skinfile::EncodeBmp24(bitmap)));
  EXPECT_EQ(ClientSize().cx, 24);
  EXPECT_EQ(ClientSize().cy, 16);
  control->Start();
  shot = Shot();
  EXPECT_EQ(shot.CountPixels(winkit::Rgb{0, 128, 255}), 24u * 16u);
  EXPECT_EQ(ThreadCount(), threadsBefore);
}

TEST_F(GifTest, RefusesWhatIsNotAPictureAndKeepsFramesBeforeDamage) {
  EXPECT_FALSE(control->LoadFromFile(folder.Path("missing.gif")));
  EXPECT_FALSE(LoadBytes(""));
  EXPECT_FALSE(LoadBytes("this is no picture at all"));
  EXPECT_FALSE(control->IsPrepared());
  // A GIF without any frame.
  EXPECT_FALSE(LoadBytes(GifWriter(10, 10, kTable).Finish()));
  EXPECT_EQ(control->FrameCount(), 0u);
  EXPECT_FALSE(control->IsPrepared());
  control->Start();
  EXPECT_EQ(ThreadCount(), threadsBefore);

  // Cut in the middle of the third frame: the two frames before it play.
  GifWriter writer(40, 30, kTable);
  writer.Frame(Solid(0, 0, 20, 30, 0, 5, 1));
  writer.Frame(Solid(20, 0, 20, 15, 1, 5, 1));
  writer.Frame(Solid(20, 15, 20, 15, 2, 5, 1));
  const GifWriter::Span third = writer.FrameSpans()[2];
  const std::string cut = writer.Bytes().substr(0, third.end - 10);
  ASSERT_TRUE(LoadBytes(cut));
  EXPECT_EQ(control->FrameCount(), 2u);
  control->Start();
  EXPECT_TRUE(control->IsPlaying());
}

TEST_F(GifTest, PlaysTheWaitingAnimationOfEverySkin) {
  // (No SCOPED_TRACE here: the test framework starts a thread of its own for it.)
  for (int layout = 1; layout <= 3; ++layout) {
    const std::string name = skintest::LayoutFile("waitting", layout, ".gif");
    ASSERT_TRUE(control->LoadFromFile(winkit::BinFolder() + name)) << name;
    EXPECT_GT(control->FrameCount(), 1u) << name;
    control->SetBackgroundColor(RGB(255, 255, 255));
    control->Start();
    EXPECT_TRUE(control->IsPlaying()) << name;
    winkit::PumpMessages(450);
    const winkit::RgbImage shot = SaveScreenshot(*control, "gif_waitting_layout" + std::to_string(layout));
    EXPECT_GT(shot.Width(), 10) << name;
    // Something besides the background is drawn.
    EXPECT_LT(shot.CountPixels(winkit::Rgb{255, 255, 255}), static_cast<std::size_t>(shot.Width() * shot.Height()))
        << name;
    control->Unload();
    EXPECT_FALSE(control->IsPlaying()) << name;
  }
}

}  // namespace
}  // namespace mb::uitest
