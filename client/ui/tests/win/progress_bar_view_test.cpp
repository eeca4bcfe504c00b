// The skinned progress bar on a window: its text at 0, 37 and 100 per cent, values past the
// ends, the percentage handed to the page in layouts 2 and 3, one repaint per change, and no
// GDI object left behind by any number of paints.
#include <gtest/gtest.h>

#include <windows.h>

#include "client/ui/progress/win/progress_bar_view.h"
#include "client/ui/tests/win/control_test_support.h"
#include "framework/gdi.h"
#include "framework/module.h"
#include "framework/window.h"

namespace mb::uitest {
namespace {

constexpr int kBarWidth = 288;  // the link dialog's bar: (33, 107)-(321, 123)
constexpr int kBarHeight = 16;

// The text's own colour: the strokes of its characters are drawn in it exactly.
bool IsTextColour(const winkit::Rgb& c) { return c == winkit::Rgb{255, 123, 54}; }

// A top-level window holding one bar; it counts the percentages the bar hands it.
class BarHost : public fw::Window {
 public:
  BarHost(int layout, bool dialogStyle) : bar(layout) {
    Handle(WM_PROGRESS_PERCENT, &BarHost::OnPercent);
    fw::Module::Init(GetModuleHandleA(nullptr));
    const RECT frame = {40, 40, 40 + kBarWidth + 20, 40 + kBarHeight + 20};
    Create(nullptr, "progress", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW, &frame);
    bar.SetDialogStyle(dialogStyle);
    bar.SetNotifyWindow(Handle());
    const RECT place = {10, 10, 10 + kBarWidth, 10 + kBarHeight};
    bar.Create(Handle(), "", WS_CHILD | WS_VISIBLE, 0, &place, reinterpret_cast<HMENU>(1013));
    UpdateWindow(Handle());
  }
  ~BarHost() override { Destroy(); }

  // Paints now whatever is pending.
  void Flush() { RedrawWindow(bar, nullptr, nullptr, RDW_UPDATENOW); }
  winkit::RgbImage Shot(const std::string& name) { return SaveScreenshot(bar, name); }

  ProgressBarView bar;
  std::vector<int> percents;

 protected:
  fw::WindowClassSpec ClassSpec() const override {
    fw::WindowClassSpec spec;
    spec.name = "mb.test.BarHost";
    return spec;
  }

 private:
  LRESULT OnPercent(const fw::Message& m) {
    EXPECT_EQ(m.lParam, 0);
    percents.push_back(static_cast<int>(m.wParam));
    return 0;
  }
};

// Columns [left, right) of the text colour's pixels, or an empty span.
struct Span {
  int left = 0;
  int right = 0;
  int Width() const { return right - left; }
};

Span TextSpan(const winkit::RgbImage& shot) {
  Span span{shot.Width(), 0};
  for (int x = 0; x < shot.Width(); ++x) {
    if (CountPixels(shot, x, 0, x + 1, shot.Height(), IsTextColour) > 0) {
      span.left = std::min(span.left, x);
      span.right = x + 1;
    }
  }
  return span.right > span.left ? span : Span{};
}

TEST(ProgressBarView, WritesTheCompletedPercentageCentredOverTheFill) {
  CurrentSkin skin(1);
  BarHost host(1, false);
  const skinfile::SkinImage* fill = skin.Files().Catalog().Find("progress_step");
  ASSERT_NE(fill, nullptr);
  const int fillTop = (kBarHeight - fill->rect.height) / 2;

  host.Flush();
  const winkit::RgbImage none = host.Shot("progress_layout1_none");
  EXPECT_EQ(TextSpan(none).Width(), 0) << "before the first position only the background shows";

  int lastWidth = 0;
  for (int percent : {0, 37, 100}) {
    SCOPED_TRACE(percent);
    host.bar.SetPos(percent);
    host.Flush();
    const winkit::RgbImage shot = host.Shot("progress_layout1_" + std::to_string(percent));
    const Span text = TextSpan(shot);
    ASSERT_GT(text.Width(), 20) << "\"已完成 n%\" is written";
    EXPECT_NEAR((text.left + text.right) / 2.0, kBarWidth / 2.0, 3.0) << "centred";
    EXPECT_GT(text.Width(), lastWidth) << "more digits, wider text";
    lastWidth = text.Width();

    // The fill's left end piece is copied unscaled where the bar starts (below the text).
    const int filled = kBarWidth * percent / 100;
    const int endPiece = std::min(filled, fill->rect.width / 3);
    for (int y = 0; y < fill->rect.height; ++y) {
      for (int x = 0; x < endPiece; ++x) {
        const auto expected = skin.Files().ImagePixel("progress_step", x, y);
        if (expected) {
          ASSERT_EQ(shot.Pixel(x, fillTop + y), ToWinkit(*expected)) << x << "," << y;
        }
      }
    }
    if (percent == 37) {
      // Past the fill the bar's background shows: its right end piece at the right edge.
      const skinfile::SkinImage* back = skin.Files().Catalog().Find("progress_bk");
      const int backTop = (kBarHeight - back->rect.height) / 2;
      const int third = back->rect.width / 3;
      const auto expected = skin.Files().ImagePixel("progress_bk", back->rect.width - 2, back->rect.height / 2);
      ASSERT_TRUE(expected);
      EXPECT_EQ(shot.Pixel(kBarWidth - 2, backTop + back->rect.height / 2), ToWinkit(*expected));
      EXPECT_GT(third, 0);
    }
  }
  EXPECT_TRUE(host.percents.empty()) << "layout 1 writes the text itself";
}

TEST(ProgressBarView, DrawsValuesPastTheEndsAsTheEnds) {
  CurrentSkin skin(1);
  BarHost full(1, true);
  BarHost over(1, true);
  full.bar.SetPos(100);
  over.bar.SetPos(250);
  EXPECT_EQ(over.bar.GetPos(), 100);
  full.Flush();
  over.Flush();
  const winkit::RgbImage expected = full.Shot("progress_dialog_100");
  const winkit::RgbImage drawn = over.Shot("progress_dialog_250");
  ASSERT_FALSE(drawn.Empty());
  EXPECT_EQ(drawn.Bytes(), expected.Bytes()) << "drawn exactly as 100";

  // Below zero is "no progress yet": background only, no text.
  over.bar.SetPos(-20);
  EXPECT_EQ(over.bar.GetPos(), -1);
  over.Flush();
  EXPECT_EQ(TextSpan(over.Shot("progress_dialog_negative")).Width(), 0);
}

TEST(ProgressBarView, HandsThePercentageToItsPageInLayoutsTwoAndThree) {
  for (int layout = 2; layout <= 3; ++layout) {
    SCOPED_TRACE(layout);
    CurrentSkin skin(layout);
    BarHost page(layout, false);
    BarHost dialog(layout, true);
    page.Flush();
    EXPECT_TRUE(page.percents.empty()) << "nothing to hand over before a position is set";
    page.bar.SetPos(37);
    dialog.bar.SetPos(37);
    page.Flush();
    dialog.Flush();
    EXPECT_EQ(page.percents, std::vector<int>{37});
    EXPECT_EQ(TextSpan(page.Shot("progress_layout" + std::to_string(layout) + "_page_37")).Width(), 0);
    EXPECT_GT(TextSpan(dialog.Shot("progress_layout" + std::to_string(layout) + "_dialog_37")).Width(), 20)
        << "the link dialog's bar writes its text in every layout";
    EXPECT_TRUE(dialog.percents.empty());
  }
}

TEST(ProgressBarView, RepaintsOnlyWhenThePositionChanges) {
  CurrentSkin skin(2);
  BarHost page(2, false);
  page.Flush();
  page.bar.SetPos(37);
  page.bar.SetPos(37);
  page.Flush();
  page.bar.SetPos(37);
  page.Flush();
  EXPECT_EQ(page.percents, std::vector<int>{37});
  page.bar.SetPos(38);
  page.Flush();
  EXPECT_EQ(page.percents, (std::vector<int>{37, 38}));
}

TEST(ProgressBarView, LeavesNoGdiObjectBehindOverManyPaints) {
  CurrentSkin skin(1);
  BarHost host(1, true);
  host.bar.SetPos(1);
  host.Flush();
  // The measure itself sees a leak of ten objects.
  const std::size_t before = GdiObjectsInUse();
  std::vector<fw::Brush> leak;
  for (int i = 0; i < 10; ++i) leak.emplace_back(CreateSolidBrush(RGB(i, i, i)));
  EXPECT_EQ(GdiObjectsInUse(), before + 10);
  leak.clear();
  ASSERT_EQ(GdiObjectsInUse(), before);

  for (int paint = 0; paint < 300; ++paint) {
    host.bar.SetPos(paint % 101);
    host.Flush();
  }
  EXPECT_EQ(GdiObjectsInUse(), before);
}

}  // namespace
}  // namespace mb::uitest
