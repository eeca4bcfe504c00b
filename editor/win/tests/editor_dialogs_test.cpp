#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/atomic_file.h"
#include "editor/win/editor_resource.h"
#include "editor/win/image_size_dialog.h"
#include "editor/win/member_prompt.h"
#include "editor/win/rotate_dialog.h"
#include "editor/win/rotate_file.h"
#include "framework/module.h"
#include "image/picture.h"
#include "tests/winkit/screenshot.h"
#include "tests/winkit/winkit.h"

namespace {

// Runs a modal dialog and drives it from inside its loop once it shows.
std::function<void()> g_drive;
void CALLBACK DriveOnce(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  g_drive();
}
INT_PTR RunDriven(fw::Dialog& dialog, std::function<void()> drive) {
  g_drive = std::move(drive);
  SetTimer(nullptr, 0, 150, DriveOnce);
  return dialog.DoModal(nullptr);
}

// Every box the code under test shows, answered with IDNO... unless told.
struct RecordedPrompts {
  RecordedPrompts() {
    mb::editor::SetPromptFunction([this](HWND, const std::string& text, UINT) {
      texts.push_back(text);
      return IDOK;
    });
  }
  ~RecordedPrompts() { mb::editor::SetPromptFunction(nullptr); }
  std::vector<std::string> texts;
};

void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
std::string Text(HWND dialog, int id) {
  char text[64] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

class EditorDialogs : public ::testing::Test {
 protected:
  void SetUp() override { fw::Module::Init(GetModuleHandleA(nullptr)); }
};

TEST_F(EditorDialogs, RotateDialogGivesTheChosenCodeAndEnablesAnglesOnlyWhenAsked) {
  CRotateDlg dialog;
  const INT_PTR result = RunDriven(dialog, [&] {
    HWND d = dialog.Handle();
    EXPECT_TRUE(Checked(d, IDC_LEFT_TO_RIGHT));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_ANGLE_90)));
    Click(d, IDC_BY_ANGLE);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDC_ANGLE_270)));
    EXPECT_TRUE(Checked(d, IDC_ANGLE_90));
    EXPECT_FALSE(Checked(d, IDC_LEFT_TO_RIGHT));
    Click(d, IDC_ANGLE_270);
    EXPECT_FALSE(Checked(d, IDC_ANGLE_90));
    // A loaded display may map the dialog late: its face is waited for before it is kept.
    const winkit::Rgb face{0xFF, 0xF3, 0xBB};
    for (DWORD start = GetTickCount(); GetTickCount() - start < 5000;) {
      RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
      if (winkit::CaptureClientArea(d).Pixel(2, 2) == face) break;
      winkit::PumpMessages(100);
    }
    const winkit::RgbImage shot = winkit::SaveClientScreenshot(d, "editor_rotate_dialog");
    EXPECT_EQ(shot.Pixel(2, 2), face);
    Click(d, IDOK);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dialog.Choice(), 4);

  CRotateDlg again;
  RunDriven(again, [&] {
    HWND d = again.Handle();
    Click(d, IDC_BY_ANGLE);
    Click(d, IDC_TOP_TO_BOTTOM);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_ANGLE_180)));
    Click(d, IDOK);
  });
  EXPECT_EQ(again.Choice(), 0);  // top to bottom
}

TEST_F(EditorDialogs, SizeDialogKeepsProportionsWithoutFeedbackAndRefusesBadSizes) {
  RecordedPrompts prompts;
  CImageSizeDlg dialog;
  dialog.SetStartSize(1000, 500);
  const INT_PTR result = RunDriven(dialog, [&] {
    HWND d = dialog.Handle();
    EXPECT_EQ(GetFocus(), GetDlgItem(d, IDC_EDIT_WIDTH));
    EXPECT_EQ(Text(d, IDC_EDIT_HEIGHT), "500");
    SetDlgItemTextA(d, IDC_EDIT_WIDTH, "500");
    EXPECT_EQ(Text(d, IDC_EDIT_HEIGHT), "250");
    EXPECT_EQ(Text(d, IDC_EDIT_WIDTH), "500");  // the height's rewrite did not come back
    SetDlgItemTextA(d, IDC_EDIT_WIDTH, "1000");
    EXPECT_EQ(Text(d, IDC_EDIT_HEIGHT), "500");
    SetDlgItemTextA(d, IDC_EDIT_HEIGHT, "100");
    EXPECT_EQ(Text(d, IDC_EDIT_WIDTH), "200");
    SetDlgItemTextA(d, IDC_EDIT_WIDTH, "0");  // no division by zero: the height stays
    EXPECT_EQ(Text(d, IDC_EDIT_HEIGHT), "100");
    winkit::SaveClientScreenshot(d, "editor_size_dialog");
    Click(d, IDOK);
    EXPECT_TRUE(IsWindow(d));  // refused with a box, still open
    SetDlgItemTextA(d, IDC_EDIT_WIDTH, "20000");
    Click(d, IDOK);
    EXPECT_TRUE(IsWindow(d));
    Click(d, IDC_KEEP_PROPORTIONS);
    SetDlgItemTextA(d, IDC_EDIT_WIDTH, "640");
    SetDlgItemTextA(d, IDC_EDIT_HEIGHT, "480");
    EXPECT_EQ(Text(d, IDC_EDIT_WIDTH), "640");
    Click(d, IDOK);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(prompts.texts.size(), 2u);
  EXPECT_EQ(dialog.NewWidth(), 640);
  EXPECT_EQ(dialog.NewHeight(), 480);
}

// A 40 x 30 white picture with a red 8 x 8 block in its top-left corner.
mb::Picture MarkedPicture() {
  mb::Picture p;
  EXPECT_TRUE(p.Create(40, 30, mb::Rgba{255, 255, 255, 255}));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) p.SetPixelColor(x, y, mb::Rgba{255, 0, 0, 255});
  return p;
}

bool NearRed(const mb::Picture& p, int x, int y) {
  const mb::Rgba c = p.GetPixelColor(x, y);
  return c.r > 200 && c.g < 60 && c.b < 60;
}

TEST_F(EditorDialogs, RotateFileOnDiskTurnsEachFormatInPlaceAndKeepsWhatItCannotTurn) {
  RecordedPrompts prompts;
  winkit::TempFolder folder;  // on C:, never under Z:
  const std::pair<const char*, mb::PictureFormat> formats[] = {
      {"a.jpg", mb::PictureFormat::kJpeg}, {"b.bmp", mb::PictureFormat::kBmp},
      {"c.gif", mb::PictureFormat::kGif}, {"d.png", mb::PictureFormat::kPng}};
  for (const auto& [name, format] : formats) {
    mb::Picture picture = MarkedPicture();
    ASSERT_TRUE(picture.Save(folder.Path(name), format)) << name;
    EXPECT_EQ(mb::editor::RotateFileOnDisk(folder.Path(name), true), 1) << name;
    mb::Picture back;
    ASSERT_TRUE(back.Load(folder.Path(name))) << name;
    EXPECT_EQ(back.Format(), format) << name;
    EXPECT_EQ(back.Width(), 30) << name;
    EXPECT_EQ(back.Height(), 40) << name;
    EXPECT_TRUE(NearRed(back, 26, 3)) << name;  // clockwise: the top-left block is now top-right
    EXPECT_FALSE(NearRed(back, 3, 3)) << name;
    EXPECT_EQ(mb::editor::RotateFileOnDisk(folder.Path(name), false), 1) << name;
    ASSERT_TRUE(back.Load(folder.Path(name)));
    EXPECT_TRUE(NearRed(back, 3, 3)) << name;
  }
  EXPECT_TRUE(prompts.texts.empty());

  const std::string animated("GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff"
                             "\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00"
                             "\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3b", 48);
  for (const std::string& bytes : {animated, std::string("garbage, no picture")}) {
    const std::string path = folder.Path("kept.gif");
    ASSERT_TRUE(mb::WriteFileReplacing(path, bytes));
    EXPECT_EQ(mb::editor::RotateFileOnDisk(path, true), 0);
    EXPECT_EQ(mb::ReadWholeFile(path).value_or(""), bytes);
  }
  EXPECT_EQ(prompts.texts.size(), 2u);
}

}  // namespace
