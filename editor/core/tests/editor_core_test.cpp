#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "common/atomic_file.h"
#include "editor/core/canvas_geometry.h"
#include "editor/core/edit_session.h"
#include "editor/core/folder_label.h"
#include "editor/core/picture_operations.h"
#include "editor/core/size_rules.h"
#include "editor/core/splitter_rules.h"
#include "editor/core/text_watermark_record.h"
#include "editor/core/undo_history.h"
#include "editor/core/zoom.h"

namespace mb::editor {
namespace {

// A white picture with one red marker pixel at (x, y).
Picture Marked(int width, int height, int x, int y) {
  Picture p;
  EXPECT_TRUE(p.Create(width, height, Rgba{255, 255, 255, 255}));
  p.SetPixelColor(x, y, Rgba{255, 0, 0, 255});
  return p;
}

bool IsRed(const Picture& p, int x, int y) { return p.GetPixelColor(x, y) == Rgba{255, 0, 0, 255}; }

TEST(EditorZoom, StepsStopAtTheLimitsAndFitShrinksTwentiethsAtATime) {
  double zoom = 1.0;
  int steps = 0;
  while (CanZoomIn(zoom)) zoom = ZoomIn(zoom), ++steps;
  EXPECT_EQ(steps, 28);
  EXPECT_DOUBLE_EQ(zoom, 8.0);
  EXPECT_DOUBLE_EQ(ZoomIn(zoom), 8.0);

  zoom = 1.0;
  const double expected[] = {0.75, 0.5, 0.25, 0.1, 0.1};
  for (double e : expected) EXPECT_NEAR(zoom = ZoomOut(zoom), e, 1e-9);
  EXPECT_FALSE(CanZoomOut(zoom));
  EXPECT_TRUE(IsActualSize(0.25 * 4));

  EXPECT_DOUBLE_EQ(FitZoom(640, 480, 800, 600), 1.0);
  EXPECT_NEAR(FitZoom(2000, 1000, 800, 600), 0.35, 1e-9);  // 2000 x 0.4 is not below 800
  EXPECT_NEAR(FitZoom(800, 100, 800, 600), 0.95, 1e-9);    // as large as the space: one step
  EXPECT_DOUBLE_EQ(FitZoom(16000, 16000, 10, 10), kFitZoomFloor);
  EXPECT_DOUBLE_EQ(FitZoom(4000, 3000, 0, -40), 1.0);      // a collapsed parent: no endless loop
  EXPECT_EQ(EditorFitSpace(1000, 800, true).height, 635);
  EXPECT_EQ(EditorFitSpace(1000, 800, false).height, 752);
  EXPECT_EQ(ScaledSide(-5, 2.0), 0);
  EXPECT_EQ(ScaledSide(1001, 0.5), 500);
}

TEST(EditorCanvas, PlacesSelectionsFloatWindowsAndComposedWatermarks) {
  Point p;
  ASSERT_TRUE(WatermarkPresetPoint(1, 1000, 800, p));
  EXPECT_EQ(p, (Point{20, 20}));
  ASSERT_TRUE(WatermarkPresetPoint(6, 1000, 800, p));
  EXPECT_EQ(p, (Point{880, 350}));
  ASSERT_TRUE(WatermarkPresetPoint(9, 1000, 800, p));
  EXPECT_EQ(p, (Point{880, 690}));
  EXPECT_FALSE(WatermarkPresetPoint(10, 1000, 800, p));
  EXPECT_FALSE(WatermarkPresetPoint(0, 1000, 800, p));

  EXPECT_EQ(DrawingOrigin(800, 600, 400, 700), (Point{200, 0}));

  // Zoom 2 from origin (10, 20), scrolled 6 down: the canvas rectangle halves back.
  CanvasView view{100, 80, 2.0, {10, 20}, {0, 6}, false, 400, 300};
  PixelRect selection = CanvasToPicture({30, 14, 10, 54}, view);  // drawn right to left
  EXPECT_EQ(selection.left, 0);
  EXPECT_EQ(selection.right, 10);
  EXPECT_EQ(selection.top, 0);  // above the picture: clipped
  EXPECT_EQ(selection.bottom, 20);
  view.fitMode = true;  // stretched over 400 x 300 client pixels
  selection = CanvasToPicture({200, 150, 400, 300}, view);
  EXPECT_EQ(selection.left, 50);
  EXPECT_EQ(selection.top, 40);
  EXPECT_EQ(selection.right, 100);
  EXPECT_EQ(selection.bottom, 80);

  // A 50 x 40 window pushed past each edge of a 300 x 200 drawing at (100, 50) comes back inside.
  PixelRect moved = ClampFloatWindow({0, 0, 50, 40}, {100, 50}, 300, 200);
  EXPECT_EQ(moved.left, 110);
  EXPECT_EQ(moved.top, 79);
  moved = ClampFloatWindow({500, 400, 550, 440}, {100, 50}, 300, 200);
  EXPECT_EQ(moved.right, 410);
  EXPECT_EQ(moved.bottom, 279);
  EXPECT_EQ(moved.Width(), 50);

  // Compose: the window's margins come off (8 across, 28 up), edges hold, fit mode keeps it.
  ComposeInput in;
  in.width = 1000;
  in.height = 800;
  in.markWidth = 100;
  in.markHeight = 60;
  in.windowPosition = {890, 719};
  EXPECT_EQ(WatermarkComposePoint(in), (Point{882, 691}));
  in.windowPosition = {1950, 1900};  // at zoom 2: 975 x 950, past both edges
  in.zoom = 2.0;
  EXPECT_EQ(WatermarkComposePoint(in), (Point{892, 712}));
  in.fitMode = true;
  EXPECT_EQ(WatermarkComposePoint(in), (Point{900, 740}));
  in = ComposeInput{{-30, 5}, 1.0, 1000, 800, 100, 60, false, false};
  EXPECT_EQ(WatermarkComposePoint(in), (Point{0, 5}));  // x not above 8: not shifted
  EXPECT_EQ(TextWatermarkPoint({50, 69}, 2.0), (Point{25, 34}));
  EXPECT_EQ(TextWatermarkPoint({-4, 4}, 1.0), (Point{0, 4}));
}

TEST(EditorUndo, CapsHeldCopiesButKeepsTheNewestAndSwapsBothWays) {
  Picture current = Marked(100, 100, 0, 0);  // 30000 bytes a copy
  UndoHistory history(70000);
  EXPECT_FALSE(history.CanUndo());
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(history.PushBeforeChange(current));
    ASSERT_TRUE(current.Rotate(90.0));
  }
  EXPECT_EQ(history.UndoCount(), 2u);
  EXPECT_LE(history.HeldBytes(), 70000u);

  // Undo twice turns the marker back two quarters; redo turns it forward again.
  EXPECT_TRUE(IsRed(current, 99, 0));  // five quarter turns = one: top-left went top-right
  ASSERT_TRUE(history.Undo(current));
  ASSERT_TRUE(history.Undo(current));
  EXPECT_TRUE(IsRed(current, 0, 99));  // three quarter turns
  EXPECT_FALSE(history.Undo(current));
  EXPECT_TRUE(history.CanRedo());
  ASSERT_TRUE(history.Redo(current));
  EXPECT_TRUE(IsRed(current, 0, 0));
  ASSERT_TRUE(history.PushBeforeChange(current));
  EXPECT_FALSE(history.CanRedo());  // a new change forgets what could be redone

  UndoHistory tiny(1);
  ASSERT_TRUE(tiny.PushBeforeChange(current));
  ASSERT_TRUE(tiny.PushBeforeChange(current));
  EXPECT_EQ(tiny.UndoCount(), 1u);
  tiny.Clear();
  EXPECT_FALSE(tiny.CanUndo() || tiny.CanRedo());
}

TEST(EditorRecord, TextWatermarkRecordIsReadWithinItsFields) {
  unsigned char record[kTextRecordSize];
  TextWatermarkRecord in;
  in.text = "测试";
  in.fontHeight = -24;
  in.fontWeight = 700;
  in.italic = true;
  in.faceName = std::string(40, 'F');  // longer than its field: cut
  in.colour = 0x00123456;
  WriteTextWatermarkRecord(in, record);
  EXPECT_EQ(record[532], 1);
  EXPECT_EQ(record[533], 0);
  const TextWatermarkRecord out = ParseTextWatermarkRecord(record);
  EXPECT_EQ(out.text, "测试");
  EXPECT_EQ(out.fontHeight, -24);
  EXPECT_EQ(out.fontWeight, 700);
  EXPECT_TRUE(out.italic);
  EXPECT_FALSE(out.underline);
  EXPECT_EQ(out.faceName, std::string(31, 'F'));
  EXPECT_EQ(out.colour, 0x00123456u);

  std::memset(record, 'x', sizeof record);  // no terminating zero anywhere
  const TextWatermarkRecord unterminated = ParseTextWatermarkRecord(record);
  EXPECT_EQ(unterminated.text.size(), 512u);
  EXPECT_EQ(unterminated.faceName.size(), 32u);
}

TEST(EditorRules, ProportionsSplitterColumnsAndFolderNames) {
  EXPECT_EQ(ProportionalSide("500", 1000, 500).value_or(""), "250");
  EXPECT_EQ(ProportionalSide("1000", 1000, 500).value_or(""), "500");
  EXPECT_EQ(ProportionalSide("333", 1000, 500).value_or(""), "166");  // %.0f of 166.5, banker's or not
  EXPECT_EQ(ProportionalSide("150", 500, 1000).value_or(""), "300");
  // 1 / (2 / 49) is a hair above 24.5: it rounds up, where 1 * 49 / 2 would round to 24.
  EXPECT_EQ(ProportionalSide("49", 2, 1).value_or(""), "25");
  EXPECT_FALSE(ProportionalSide("0", 1000, 500));
  EXPECT_FALSE(ProportionalSide("12a", 1000, 500));
  EXPECT_FALSE(ProportionalSide("", 1000, 500));
  EXPECT_FALSE(ProportionalSide("10", 0, 500));
  EXPECT_TRUE(IsAcceptablePictureSize(1, 16384));
  EXPECT_FALSE(IsAcceptablePictureSize(0, 10));
  EXPECT_FALSE(IsAcceptablePictureSize(16385, 10));
  EXPECT_FALSE(IsAcceptablePictureSize(16384, 16384));  // above the pixel cap
  EXPECT_EQ(ParseSide("640").value_or(0), 640);
  EXPECT_FALSE(ParseSide("99999999999"));
  EXPECT_FALSE(ParseSide("6 40"));

  const ColumnWidths now{200, 500, 250};
  EXPECT_EQ(ReleaseFolderBar(now, 0, 1000, 60).folder, 58);
  EXPECT_EQ(ReleaseFolderBar(now, 0, 1000, 200).folder, 188);
  const ColumnWidths wide = ReleaseFolderBar(now, 0, 1000, 700);
  EXPECT_EQ(wide.folder, 399);
  EXPECT_EQ(wide.pictures, 331);
  EXPECT_EQ(ReleaseFolderBar(now, 0, 800, 300).pictures, 280);  // 800-288-250-20 < 300
  const ColumnWidths panel = ReleasePanelBar(now, 0, 1000, 760);
  EXPECT_EQ(panel.pictures, 1000 - 240 - 200 - 25);
  EXPECT_EQ(panel.panel, 1000 - 535 - 200 - 20);
  EXPECT_EQ(ReleasePanelBar(now, 0, 1000, 300).panel, 1000 - 300 - 200 - 20);  // pictures held at 300
  EXPECT_EQ(ReleasePanelBar(now, 0, 1000, 990).pictures, 1000 - 58 - 200 - 25);  // panel at least 58
  EXPECT_EQ(ReleasePanelBar(now, 0, 600, 500).pictures, 300);

  EXPECT_EQ(NewFolderPath("C:\\pics", "新建文件夹").value_or(""), "C:\\pics\\新建文件夹");
  EXPECT_EQ(NewFolderPath("C:\\", "a").value_or(""), "C:\\a");
  EXPECT_EQ(NewFolderPath("C:\\p", "\xB1\x5C").value_or(""), "C:\\p\\\xB1\x5C");  // GBK trail byte '\\'
  for (const char* bad : {"", "..", ".", "a\\b", "a/b", "c:", "a*", "a?", "\"a\"", "<a>", "a|b", "nul"})
    EXPECT_FALSE(NewFolderPath("C:\\p", bad)) << bad;
  EXPECT_FALSE(NewFolderPath("C:\\" + std::string(250, 'p'), "abcdefghij"));
  EXPECT_TRUE(IsDrivePath("C:\\"));
  EXPECT_FALSE(IsDrivePath("::{20D04FE0}"));
  EXPECT_FALSE(IsDrivePath("\\\\server\\share"));
}

TEST(EditorPictures, ChoicesFramesAndRotationOnDisk) {
  Picture p = Marked(4, 3, 0, 0);
  ASSERT_TRUE(ApplyRotateChoice(p, kChoiceLeftToRight));
  EXPECT_TRUE(IsRed(p, 3, 0));
  ASSERT_TRUE(ApplyRotateChoice(p, kChoiceTopToBottom));
  EXPECT_TRUE(IsRed(p, 3, 2));
  ASSERT_TRUE(ApplyRotateChoice(p, kChoiceRotate90));  // clockwise: bottom-right goes bottom-left
  EXPECT_EQ(p.Width(), 3);
  EXPECT_TRUE(IsRed(p, 0, 3));
  ASSERT_TRUE(ApplyRotateChoice(p, kChoiceRotate270));
  ASSERT_TRUE(ApplyRotateChoice(p, kChoiceRotate180));
  EXPECT_TRUE(IsRed(p, 0, 0));
  EXPECT_FALSE(ApplyRotateChoice(p, 5));

  // Shrunk for the screen by the nearest pixel: the marker's quarter keeps it.
  const Picture shrunk = ShrinkForScreen(Marked(40, 20, 30, 10), 4, 2);  // (3, 1) samples (30, 10)
  EXPECT_EQ(shrunk.Width(), 4);
  EXPECT_TRUE(IsRed(shrunk, 3, 1));
  EXPECT_EQ(shrunk.GetPixelColor(0, 0), (Rgba{255, 255, 255, 255}));
  EXPECT_FALSE(ShrinkForScreen(shrunk, 0, 5).IsValid());

  // Opacity: a plain mark gets it everywhere; a shaped one keeps its transparent parts.
  Picture plain = Marked(2, 1, 0, 0);
  SetMarkOpacity(plain, 128);
  EXPECT_EQ(plain.GetPixelAlpha(1, 0), 128);
  Picture shaped = Marked(2, 1, 0, 0);
  shaped.SetPixelColor(1, 0, Rgba{0, 0, 0, 0}, true);
  SetMarkOpacity(shaped, 128);
  EXPECT_EQ(shaped.GetPixelAlpha(0, 0), 128);
  EXPECT_EQ(shaped.GetPixelAlpha(1, 0), 0);

  // A 2 x 2 frame with a black centre pixel stretched over 8 x 8: the centre stays untouched.
  Picture frame;
  ASSERT_TRUE(frame.Create(3, 3, Rgba{0, 0, 255, 255}));
  frame.SetPixelColor(1, 1, Rgba{0, 0, 0, 255});
  Picture framed = Marked(9, 9, 4, 4);
  ASSERT_TRUE(ApplyFrame(framed, frame));
  EXPECT_TRUE(IsRed(framed, 4, 4));
  EXPECT_EQ(framed.GetPixelColor(0, 0), (Rgba{0, 0, 255, 255}));
  EXPECT_EQ(framed.GetPixelColor(8, 8), (Rgba{0, 0, 255, 255}));
  EXPECT_FALSE(ApplyFrame(framed, Picture{}));

  const std::string dir = ::testing::TempDir();
  const std::string png = dir + "/editor_rotate.png";
  Picture wide = Marked(6, 4, 5, 0);  // top-right
  ASSERT_TRUE(wide.Save(png, PictureFormat::kPng));
  std::string error;
  ASSERT_TRUE(RotatePictureFile(png, 90.0, error)) << error;
  Picture back;
  ASSERT_TRUE(back.Load(png));
  EXPECT_EQ(back.Format(), PictureFormat::kPng);
  EXPECT_EQ(back.Width(), 4);
  EXPECT_TRUE(IsRed(back, 3, 5));  // clockwise: top-right went bottom-right
  ASSERT_TRUE(RotatePictureFile(png, -90.0, error));
  ASSERT_TRUE(back.Load(png));
  EXPECT_TRUE(IsRed(back, 5, 0));

  // Two 1 x 1 frames: refused, bytes kept. A file that is no picture: refused, bytes kept.
  const std::string animated("GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff"
                             "\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00"
                             "\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3b", 48);
  const std::string junk = "not a picture at all";
  for (const std::string& bytes : {animated, junk}) {
    const std::string path = dir + "/editor_keep.gif";
    ASSERT_TRUE(WriteFileReplacing(path, bytes));
    error.clear();
    EXPECT_FALSE(RotatePictureFile(path, 90.0, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadWholeFile(path).value_or(""), bytes);
  }
}

TEST(EditorSession, ChangesUndoRedoAndSaveInTheLoadedFormat) {
  const std::string dir = ::testing::TempDir();
  const std::string bmp = dir + "/editor_session.bmp";
  Picture start = Marked(6, 4, 0, 0);
  ASSERT_TRUE(start.Save(bmp, PictureFormat::kBmp));
  EditSession session;
  EXPECT_FALSE(session.Open(dir + "/missing.bmp"));
  EXPECT_FALSE(session.HasPicture());
  EXPECT_FALSE(session.Error().empty());
  EXPECT_FALSE(session.Rotate(90.0));  // nothing to change

  ASSERT_TRUE(session.Open(bmp));
  EXPECT_TRUE(session.IsSaved());
  EXPECT_FALSE(session.SaveCopy(session.Working(), dir + "/no/such/folder/copy.bmp"));
  EXPECT_FALSE(session.Error().empty());
  EXPECT_FALSE(session.Resize(6, 4));  // the same size is no change, and no failure to tell again
  EXPECT_TRUE(session.Error().empty());
  EXPECT_FALSE(session.Crop(PixelRect{10, 10, 20, 20}));  // outside: refused, nothing kept
  EXPECT_FALSE(session.CanUndo());
  EXPECT_TRUE(session.IsSaved());
  ASSERT_TRUE(session.Rotate(90.0));
  EXPECT_FALSE(session.IsSaved());
  ASSERT_TRUE(session.Undo());
  EXPECT_EQ(session.Working().Width(), 6);
  ASSERT_TRUE(session.Redo());
  EXPECT_TRUE(IsRed(session.Working(), 3, 0));
  ASSERT_TRUE(session.Save(session.Working()));
  EXPECT_TRUE(session.IsSaved());
  Picture back;
  ASSERT_TRUE(back.Load(bmp));
  EXPECT_EQ(back.Format(), PictureFormat::kBmp);
  EXPECT_EQ(back.Width(), 4);
  EXPECT_TRUE(IsRed(back, 3, 0));
  ASSERT_TRUE(session.SaveCopy(session.Working(), dir + "/editor_copy.bmp"));
  ASSERT_TRUE(back.Load(dir + "/editor_copy.bmp"));
  EXPECT_EQ(back.Format(), PictureFormat::kBmp);

  const std::string gif = dir + "/editor_session.gif";
  const std::string animated("GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff"
                             "\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00"
                             "\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3b", 48);
  ASSERT_TRUE(WriteFileReplacing(gif, animated));
  ASSERT_TRUE(session.Open(gif));
  ASSERT_TRUE(session.Rotate(90.0));
  EXPECT_FALSE(session.Save(session.Working()));
  EXPECT_EQ(ReadWholeFile(gif).value_or(""), animated);
}

}  // namespace
}  // namespace mb::editor
