#include "skin/art/skin_art.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>

#include "client/ui/gif/gif_frames.h"
#include "client/ui/skin/skin_layouts.h"
#include "skin/art/skin_theme.h"
#include "skin/format/keyed_region.h"

namespace mb::skinart {
namespace {

using skinfile::ImageRect;

std::map<std::string, ImagePlan> PlanByName(int layout) {
  std::map<std::string, ImagePlan> out;
  for (const ImagePlan& p : PlanSkinImages(layout)) {
    EXPECT_TRUE(out.emplace(p.name, p).second) << "planned twice: " << p.name;
  }
  return out;
}

TEST(SkinArtPlan, EveryImageTheWindowsNameIsPlannedInEachLayout) {
  const std::vector<std::string> backgrounds = {
      "login_dlg", "main_bk", "float_bk", "dlg_bk", "conf_bk", "confdlg_bk", "upload_bk", "tree_bk", "thumbpanel",
      "thumbpanel_bk", "thumbpanel2_bk", "thumbpreview", "thumbPreview2_bk", "wallpaperpreview_bk", "tray_menu",
      "popup_bk", "progress_bk", "progress_step", "dlgprogress_bk", "dlgprogress_step", "button_normal",
      "button_focus", "button_down", "button_disable"};
  for (int layout = 1; layout <= 3; ++layout) {
    SCOPED_TRACE(layout);
    const auto plan = PlanByName(layout);
    for (const std::string& name : backgrounds) EXPECT_EQ(plan.count(name), 1u) << name;
    for (skin::SkinWindow window : skin::AllSkinWindows()) {
      for (const skin::SkinElementSpec& spec : skin::SkinLayoutElements(window, layout)) {
        for (const std::string& image : spec.images) {
          if (!image.empty()) {
            EXPECT_EQ(plan.count(image), 1u) << image;
          }
        }
        if (!spec.icon.empty()) {
          EXPECT_EQ(plan.count(spec.icon), 1u) << spec.icon;
        }
      }
    }
    for (const auto& entry : plan) {
      if (!entry.second.parent.empty()) {
        EXPECT_EQ(plan.count(entry.second.parent), 1u) << entry.first;
      }
    }
  }
}

TEST(SkinArtPlan, ButtonImagesTakeTheSizeOfTheirRectangles) {
  struct Expect {
    int layout;
    const char* name;
    int w, h;
  };
  const Expect expected[] = {
      {1, "close_button_normal", 26, 26}, {1, "min_button_down", 19, 19}, {1, "left_normal", 30, 30},
      {1, "float_right_disable", 6, 8},   {1, "menuarrow_bk", 4, 7},      {1, "vertab_selected", 141, 24},
      {2, "close_button_normal2", 40, 27}, {2, "close_button_normal", 18, 18}, {2, "main_leftarrow", 11, 11},
      {2, "tab_mousemove_download", 74, 40}, {2, "left_focus", 12, 52}, {2, "pannel_rightarrow", 15, 12},
      {3, "close_button_move", 33, 21},   {3, "selecttab_normal_set", 92, 37}, {3, "pannel_leftarrow_focus", 21, 23},
      {3, "conf_apply_btn_bk", 70, 22},   {1, "selecttab_mousemove", 66, 30}, {1, "tab_normal", 66, 28},
  };
  std::map<int, std::map<std::string, ImagePlan>> plans;
  for (int layout = 1; layout <= 3; ++layout) plans[layout] = PlanByName(layout);
  for (const Expect& e : expected) {
    SCOPED_TRACE(std::to_string(e.layout) + " " + e.name);
    const auto it = plans[e.layout].find(e.name);
    ASSERT_NE(it, plans[e.layout].end());
    EXPECT_EQ(it->second.width, e.w);
    EXPECT_EQ(it->second.height, e.h);
  }
  // Six tabs of layout 1 fit the strip of the main window.
  EXPECT_LE(6 * 66 + 5, 479 - 65);
}

// Drawing needs the font; the art of each layout is drawn once for all tests.
class SkinArtDrawing : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string error;
    text_ = TextPainter::Open(MB_SKIN_ART_FONT, &error).release();
    if (!text_) return;
    for (int layout = 1; layout <= 3; ++layout) art_[layout] = new SkinArt(DrawSkinArt(layout, *text_));
  }
  static void TearDownTestSuite() {
    for (auto& entry : art_) delete entry.second;
    art_.clear();
    delete text_;
    text_ = nullptr;
  }
  void SetUp() override {
    if (!text_) GTEST_SKIP() << "font " << MB_SKIN_ART_FONT << " is not installed";
  }

  static const SkinArt& Art(int layout) { return *art_[layout]; }
  static ImageRect RectOf(int layout, const std::string& name) {
    const skinfile::SkinImage* image = Art(layout).catalog.Find(name);
    EXPECT_NE(image, nullptr) << name;
    return image ? image->rect : ImageRect{};
  }
  static bool Keyed(int layout, const std::string& name) {
    const skinfile::SkinImage* image = Art(layout).catalog.Find(name);
    return image && image->keyed;
  }
  // Number of pixels in which two images of the same size differ.
  static int Difference(int layout, const std::string& a, const std::string& b) {
    const ImageRect ra = RectOf(layout, a);
    const ImageRect rb = RectOf(layout, b);
    EXPECT_EQ(ra.width, rb.width);
    EXPECT_EQ(ra.height, rb.height);
    int differ = 0;
    for (int y = 0; y < ra.height; ++y) {
      for (int x = 0; x < ra.width; ++x) {
        if (Art(layout).picture.At(ra.x + x, ra.y + y) != Art(layout).picture.At(rb.x + x, rb.y + y)) ++differ;
      }
    }
    return differ;
  }

  static TextPainter* text_;
  static std::map<int, SkinArt*> art_;
};

TextPainter* SkinArtDrawing::text_ = nullptr;
std::map<int, SkinArt*> SkinArtDrawing::art_;

TEST_F(SkinArtDrawing, CatalogNamesEveryPlannedImageInsideThePicture) {
  for (int layout = 1; layout <= 3; ++layout) {
    SCOPED_TRACE(layout);
    const SkinArt& art = Art(layout);
    const std::vector<ImagePlan> plans = PlanSkinImages(layout);
    EXPECT_EQ(art.catalog.Images().size(), plans.size());
    for (const ImagePlan& p : plans) {
      const ImageRect r = RectOf(layout, p.name);
      EXPECT_EQ(r.width, p.width) << p.name;
      EXPECT_EQ(r.height, p.height) << p.name;
    }
    skinfile::SkinCatalog copy = art.catalog;
    EXPECT_EQ(copy.DropImagesOutside(art.picture.Width(), art.picture.Height()), 0);
    // Separate images do not overlap; parts lie in their parents.
    for (const ImagePlan& a : plans) {
      if (!a.parent.empty()) continue;
      const ImageRect ra = RectOf(layout, a.name);
      for (const ImagePlan& b : plans) {
        if (!b.parent.empty() || a.name >= b.name) continue;
        const ImageRect rb = RectOf(layout, b.name);
        const bool apart = ra.x + ra.width <= rb.x || rb.x + rb.width <= ra.x || ra.y + ra.height <= rb.y ||
                           rb.y + rb.height <= ra.y;
        EXPECT_TRUE(apart) << a.name << " overlaps " << b.name;
      }
    }
  }
}

TEST_F(SkinArtDrawing, PageBackgroundIsThePageAreaOfTheMainWindow) {
  // The main window of layout 1 computes its page rectangle from these two images.
  const ImageRect main = RectOf(1, "main_bk");
  const ImageRect page = RectOf(1, "dlg_bk");
  EXPECT_EQ(page.x - main.x, 6);
  EXPECT_EQ(page.y - main.y, 136);
  EXPECT_EQ(page.x - main.x + page.width, 534);
  EXPECT_FALSE(Keyed(1, "dlg_bk"));
  const ImageRect page2 = RectOf(2, "dlg_bk");
  EXPECT_EQ(page2.width, 689);
  EXPECT_EQ(page2.height, 298);
}

TEST_F(SkinArtDrawing, WindowShapesComeFromTheKeyColour) {
  for (int layout = 1; layout <= 3; ++layout) {
    SCOPED_TRACE(layout);
    for (const char* name : {"main_bk", "login_dlg", "float_bk", "tray_menu", "popup_bk"}) {
      SCOPED_TRACE(name);
      EXPECT_TRUE(Keyed(layout, name));
      const ImageRect r = RectOf(layout, name);
      const auto region = skinfile::KeyedRegion(Art(layout).picture, r, kKey);
      // Rounded corners: the corner pixel is out, the middle of every edge is in.
      auto inside = [&](int x, int y) {
        for (const auto& rr : region) {
          if (x >= rr.left && x < rr.right && y >= rr.top && y < rr.bottom) return true;
        }
        return false;
      };
      EXPECT_FALSE(inside(0, 0));
      EXPECT_FALSE(inside(r.width - 1, r.height - 1));
      EXPECT_TRUE(inside(r.width / 2, 0));
      EXPECT_TRUE(inside(0, r.height / 2));
      EXPECT_TRUE(inside(r.width / 2, r.height / 2));
    }
    // Pictures that are stretched stay opaque, so scaling never smears the key colour.
    for (const char* name : {"button_normal", "button_down", "dlg_bk", "conf_bk"}) EXPECT_FALSE(Keyed(layout, name)) << name;
    // The thumbnail frame lets the thumbnail show through.
    const ImageRect frame = RectOf(layout, "thumbpanel_bk");
    EXPECT_TRUE(Art(layout).picture.At(frame.x + frame.width / 2, frame.y + frame.height / 2) == kKey);
  }
}

TEST_F(SkinArtDrawing, ButtonStatesAndTabCaptionsAreTellApart) {
  for (int layout = 1; layout <= 3; ++layout) {
    SCOPED_TRACE(layout);
    EXPECT_GT(Difference(layout, "button_normal", "button_focus"), 100);
    EXPECT_GT(Difference(layout, "button_normal", "button_down"), 100);
    EXPECT_GT(Difference(layout, "button_normal", "button_disable"), 100);
    EXPECT_GT(Difference(layout, "close_button_normal", "close_button_focus"), 50);
    EXPECT_GT(Difference(layout, "close_button_focus", "close_button_down"), 50);
  }
  EXPECT_GT(Difference(1, "tab_normal", "tab_mousemove"), 500);
  for (int layout : {2, 3}) {
    // Captions differ between pages, and the current page's image stands out.
    EXPECT_GT(Difference(layout, "tab_normal_download", "tab_normal_upload"), 30);
    EXPECT_GT(Difference(layout, "tab_normal_download", "tab_mousemove_download"), 1000);
  }
  EXPECT_GT(Difference(3, "conf_ok_btn_bk", "conf_cancel_btn_bk"), 30);
}

TEST_F(SkinArtDrawing, FilesRoundTripThroughTheirReaders) {
  for (int layout = 1; layout <= 3; ++layout) {
    SCOPED_TRACE(layout);
    const SkinArt& art = Art(layout);
    const auto picture = skinfile::DecodeBmp24(skinfile::EncodeBmp24(art.picture));
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->Width(), art.picture.Width());
    EXPECT_EQ(picture->Height(), art.picture.Height());
    const skinfile::ParsedCatalog parsed = skinfile::ParseSkinCatalog(skinfile::FormatSkinCatalog(art.catalog));
    EXPECT_EQ(parsed.rejectedLines, 0);
    EXPECT_EQ(parsed.catalog.Images().size(), art.catalog.Images().size());
  }
}

TEST(WaitingAnimation, PlaysEightFramesOfATenthOfASecond) {
  for (int layout = 1; layout <= 3; ++layout) {
    SCOPED_TRACE(layout);
    const std::string bytes = WaitingAnimation(layout);
    const gif::GifFile file = gif::ParseGif(bytes);
    ASSERT_EQ(file.frames.size(), 8u);
    for (const gif::GifFrame& f : file.frames) {
      EXPECT_EQ(f.delay, 10u);
      EXPECT_EQ(f.width, 40);
      EXPECT_EQ(gif::FrameWaitMs(f.delay), 100u);
    }
    // The frames are not all the same picture.
    EXPECT_NE(bytes.substr(file.frames[0].begin, file.frames[0].end - file.frames[0].begin),
              bytes.substr(file.frames[1].begin, file.frames[1].end - file.frames[1].begin));
    EXPECT_EQ(SkinPictureFileName(layout), layout == 1 ? "default.bmp" : "default" + std::to_string(layout) + ".bmp");
  }
  EXPECT_EQ(WaitingAnimationFileName(3), "waitting3.gif");
  EXPECT_EQ(SkinConfigFileName(1), "default.config");
}

}  // namespace
}  // namespace mb::skinart
