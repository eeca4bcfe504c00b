#include "client/ui/manager/preview_paging.h"

#include "client/ui/manager/preview_grid.h"

#include <gtest/gtest.h>

namespace mb::manager {
namespace {

TEST(PreviewPaging, PagesOfZeroFourAndFivePicturesAtFourAPage) {
  PreviewPaging paging;
  paging.Reset(0, PicturesPerPage(2));
  EXPECT_EQ(paging.Count(), 0);
  EXPECT_FALSE(paging.First());
  EXPECT_FALSE(paging.Last());
  EXPECT_EQ(PagePositionText(paging.Current(), paging.Count()), "0/0 页");
  EXPECT_EQ(PageChooserEntries(paging.Count()), std::vector<std::string>{"第1页"});

  paging.Reset(4, 4);
  EXPECT_EQ(paging.Count(), 1);
  EXPECT_FALSE(paging.Next());
  paging.Reset(5, 4);
  EXPECT_EQ(paging.Count(), 2);
  EXPECT_TRUE(paging.Last());
  EXPECT_EQ(paging.FirstPicture(), 4);
  EXPECT_EQ(PagePositionText(paging.Current(), paging.Count()), "2/2 页");
  EXPECT_FALSE(paging.Next());  // past the end: stays
  EXPECT_TRUE(paging.Previous());
  EXPECT_FALSE(paging.Previous());
  EXPECT_EQ(PageChooserEntries(2), (std::vector<std::string>{"第1页", "第2页"}));

  // 25 pictures: 2 pages in layout 1, 7 in layout 2; a rebuild starts at the first page.
  paging.Reset(25, PicturesPerPage(1));
  EXPECT_EQ(paging.Count(), 2);
  paging.Reset(25, PicturesPerPage(2));
  EXPECT_EQ(paging.Count(), 7);
  EXPECT_EQ(paging.Current(), 0);
}

TEST(PreviewPaging, GoBoxAndChooserSteps) {
  EXPECT_FALSE(ParseGoPage("abc"));
  EXPECT_FALSE(ParseGoPage(""));
  EXPECT_FALSE(ParseGoPage("00"));
  EXPECT_EQ(ParseGoPage("0"), 0);
  EXPECT_EQ(ParseGoPage("3x"), 3);
  EXPECT_EQ(ParseGoPage("99999999999999"), 2147483647);  // no overflow into a small page
  PreviewPaging paging;
  paging.Reset(25, 4);
  EXPECT_FALSE(paging.GoTo(*ParseGoPage("7")));  // at the page count: nothing
  EXPECT_TRUE(paging.GoTo(*ParseGoPage("6")));

  EXPECT_EQ(StepChooser(0, 3, -1).notice, "已经是开始页了!");
  EXPECT_EQ(StepChooser(2, 3, +1).notice, "已经是最尾页了!");
  EXPECT_EQ(StepChooser(0, 1, +1).notice, "已经是最尾页了!");
  const ChooserStep next = StepChooser(1, 3, +1);
  EXPECT_EQ(next.selection, 2);
  EXPECT_TRUE(next.notice.empty());
}

TEST(PreviewPaging, LabelsAndCaption) {
  EXPECT_EQ(CategoryLabel("a(b)", 3), "a(b) (3张)");
  EXPECT_EQ(PictureCountText(25), "共25张");
  EXPECT_EQ(PreviewCaption("张三", "风景", 0), "张三的风景类壁纸，共0张");
}

TEST(PreviewGrid, CellsHitsContentHeightAndScrolling) {
  // Layout 1: rows of four small cells 67 px apart, at least two rows drawn; the others one row
  // of large cells under the caption line.
  EXPECT_EQ(PreviewCellRect(1, 5, 0), (skin::Rect{87, 77, 168, 141}));
  EXPECT_EQ(PreviewCellRect(1, 5, 64), (skin::Rect{87, 13, 168, 77}));
  EXPECT_EQ(PreviewCellRect(2, 3, 0), (skin::Rect{404, 32, 524, 124}));
  EXPECT_EQ(PreviewCellRect(3, 0, 0), (skin::Rect{10, 46, 130, 138}));
  EXPECT_EQ(PreviewDrawnCells(1, 3), 8);
  EXPECT_EQ(PreviewDrawnCells(1, 20), 20);
  EXPECT_EQ(PreviewDrawnCells(2, 3), 3);
  EXPECT_EQ(HitPreviewCell(1, 20, 0, 90, 80), 5);
  EXPECT_EQ(HitPreviewCell(1, 5, 0, 170, 80), -1);  // between cells
  EXPECT_EQ(HitPreviewCell(1, 5, 0, 180, 80), -1);  // an empty cell holds no picture
  EXPECT_EQ(HitPreviewCell(2, 4, 0, 20, 40), 0);

  EXPECT_EQ(PreviewContentHeight(1, 0), 0);
  EXPECT_EQ(PreviewContentHeight(1, 20), 5 * 67);
  EXPECT_EQ(PreviewContentHeight(2, 5), 2 * 74);
  // Lines of 64 px, pages of the client height + 1, kept within 0 .. content - client.
  EXPECT_EQ(ScrollOffsetAfter(ScrollAction::kLineDown, 0, 335, 140), 64);
  EXPECT_EQ(ScrollOffsetAfter(ScrollAction::kPageDown, 64, 335, 140), 195);
  EXPECT_EQ(ScrollOffsetAfter(ScrollAction::kPageUp, 195, 335, 140), 54);
  EXPECT_EQ(ScrollOffsetAfter(ScrollAction::kLineUp, 54, 335, 140), 0);
  EXPECT_EQ(ScrollOffsetAfter(ScrollAction::kTrack, 0, 335, 140, 500), 195);
  EXPECT_EQ(ScrollOffsetAfter(ScrollAction::kLineDown, 0, 74, 140), 0);  // content fits
}

}  // namespace
}  // namespace mb::manager
