#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "common/atomic_file.h"
#include "conf/win/config.h"
#include "editor/win/edit_image_dlg.h"
#include "editor/win/editor_messages.h"
#include "editor/win/member_prompt.h"
#include "framework/module.h"
#include "image/picture.h"
#include "tabvane/operate_panel.h"
#include "editor/win/tests/pumped_input.h"
#include "tests/winkit/member_input.h"
#include "tests/winkit/screenshot.h"
#include "tests/winkit/winkit.h"
#include "upload/win/upload_messages.h"

namespace {

using namespace mb::editor;

// Stands for the picture view and the main window: keeps what the editor sends them.
class ViewStandIn : public fw::Window {
 public:
  ViewStandIn() {
    for (UINT id : {kFullScreenSwitch, kShowPictureList, kEditingState, kRefreshCurrentRow, WM_UPLOAD_STATUS})
      Handle(id, &ViewStandIn::OnEditorMessage);
  }
  std::vector<std::pair<UINT, WPARAM>> received;

 protected:
  fw::WindowClassSpec ClassSpec() const override {
    fw::WindowClassSpec spec;
    spec.name = "editor.test.View";
    return spec;
  }

 private:
  LRESULT OnEditorMessage(const fw::Message& m) {
    received.push_back({m.id, m.wParam});
    return 0;
  }
};

class FakeSteps : public PictureSteps {
 public:
  std::vector<std::string> paths;
  int current = 0;
  bool HasPrevious() const override { return current > 0; }
  bool HasNext() const override { return current + 1 < static_cast<int>(paths.size()); }
  bool StepPrevious(std::string& path) override {
    if (!HasPrevious()) return false;
    path = paths[--current];
    return true;
  }
  bool StepNext(std::string& path) override {
    if (!HasNext()) return false;
    path = paths[++current];
    return true;
  }
};

// Answers the editor's boxes from a script (IDOK when it runs out) and keeps their texts.
struct ScriptedPrompts {
  ScriptedPrompts() {
    SetPromptFunction([this](HWND, const std::string& text, UINT) {
      texts.push_back(text);
      if (answers.empty()) return IDOK;
      const int answer = answers.front();
      answers.pop_front();
      return answer;
    });
  }
  ~ScriptedPrompts() { SetPromptFunction(nullptr); }
  std::deque<int> answers;
  std::vector<std::string> texts;
};

bool IsRed(const mb::Picture& p, int x, int y) {
  const mb::Rgba c = p.GetPixelColor(x, y);
  return c.r > 200 && c.g < 60 && c.b < 60;
}

bool IsWhite(const mb::Picture& p, int x, int y) { return p.GetPixelColor(x, y) == mb::Rgba{255, 255, 255, 255}; }

// Pixels of the rectangle that are no longer white.
int ChangedPixels(const mb::Picture& p, int left, int top, int right, int bottom) {
  int changed = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) changed += IsWhite(p, x, y) ? 0 : 1;
  return changed;
}

void Click(HWND panel, UINT id) { SendMessageA(GetDlgItem(panel, id), BM_CLICK, 0, 0); }

void ChooseRow(HWND panel, UINT list, const char* name) {
  const LRESULT row = SendDlgItemMessageA(panel, list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(name));
  ASSERT_GE(row, 0) << name;
  SendDlgItemMessageA(panel, list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

class EditImage : public ::testing::Test {
 protected:
  void SetUp() override {
    fw::Module::Init(GetModuleHandleA(nullptr));
    CConfig::GetConfig()->SetEditPanelOpen(1);
    mb::Picture picture;
    ASSERT_TRUE(picture.Create(400, 300, mb::Rgba{255, 255, 255, 255}));
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) picture.SetPixelColor(x, y, mb::Rgba{255, 0, 0, 255});
    path = folder.Path("marked.bmp");
    ASSERT_TRUE(picture.Save(path, mb::PictureFormat::kBmp));
    steps.paths = {folder.Path("other.bmp"), path};
    steps.current = 1;  // the last row
    ASSERT_NE(view.Create(nullptr, "view", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN), nullptr);
    SetWindowPos(view, HWND_TOPMOST, 20, 20, 820, 640, SWP_SHOWWINDOW);
    editor = std::make_unique<CEditImageDlg>(path, &steps, view.Handle());
    ASSERT_NE(editor->Create(), nullptr);
    RECT client;
    GetClientRect(view, &client);
    MoveWindow(*editor, 0, 0, client.right, client.bottom, TRUE);
    ShowWindow(*editor, SW_SHOW);
    panel = editor->Panel();
    ASSERT_NE(panel, nullptr);
  }
  void TearDown() override {
    editor.reset();
    view.Destroy();
  }
  void Run(UINT command) { editor->Send(WM_COMMAND, command); }
  // The toolbar button clicked where the member sees it.
  void ClickTool(UINT command) {
    RECT rect = {};
    ASSERT_TRUE(SendMessageA(editor->Toolbar(), TB_GETRECT, command, reinterpret_cast<LPARAM>(&rect)));
    ASSERT_TRUE(winkit::ClickElement(editor->Toolbar(), rect));
    winkit::PumpMessages(100);
  }
  // A canvas point (client coordinates) on the screen.
  POINT OnScreen(POINT canvasPoint) {
    ClientToScreen(editor->Canvas(), &canvasPoint);
    return canvasPoint;
  }
  mb::Picture OnDisk() {
    mb::Picture p;
    EXPECT_TRUE(p.Load(path));
    return p;
  }

  ScriptedPrompts prompts;
  winkit::TempFolder folder;
  std::string path;
  FakeSteps steps;
  ViewStandIn view;
  std::unique_ptr<CEditImageDlg> editor;
  HWND panel = nullptr;
};

TEST_F(EditImage, RotatesUndoesSavesAndKeepsItsPictureAtTheLastRow) {
  ASSERT_TRUE(editor->Session().HasPicture()) << (prompts.texts.empty() ? "" : prompts.texts[0]);
  EXPECT_DOUBLE_EQ(editor->Zoom(), 1.0);
  EXPECT_FALSE(editor->IsCommandEnabled(kCmdSave));
  Run(kCmdRotateRight);
  EXPECT_EQ(editor->Session().Working().Width(), 300);
  Run(kCmdUndo);
  EXPECT_EQ(editor->Session().Working().Width(), 400);
  Run(kCmdRedo);
  Run(kCmdSave);
  mb::Picture saved = OnDisk();
  EXPECT_EQ(saved.Format(), mb::PictureFormat::kBmp);
  EXPECT_EQ(saved.Width(), 300);
  EXPECT_EQ(saved.Height(), 400);
  EXPECT_TRUE(IsRed(saved, 290, 10));  // the top-left marker went clockwise to the top-right
  EXPECT_FALSE(IsRed(saved, 10, 10));
  EXPECT_FALSE(editor->IsCommandEnabled(kCmdSave));
  ASSERT_FALSE(view.received.empty());
  EXPECT_EQ(view.received.back().first, kRefreshCurrentRow);

  // Next on the last row: a box, and the picture and its undo stay.
  Run(kCmdRotateLeft);
  Run(kCmdNextAlt);
  ASSERT_EQ(prompts.texts.size(), 1u);
  EXPECT_EQ(prompts.texts[0], "已经是最后一张了！");
  EXPECT_TRUE(editor->Session().CanUndo());
  EXPECT_EQ(editor->Session().Working().Width(), 400);
  // Previous with the change unsaved asks first; Cancel stays.
  prompts.answers = {IDCANCEL};
  Run(kCmdPrevious);
  EXPECT_EQ(prompts.texts.back(), "图片文件已经更改,是否保存?");
  EXPECT_EQ(steps.current, 1);
  EXPECT_FALSE(editor->Session().IsSaved());

  // Zoom stops where the panel allows: closed panel, in to 8 and back to actual size.
  EXPECT_FALSE(editor->IsCommandEnabled(kCmdZoomIn));
  CConfig::GetConfig()->SetEditPanelOpen(0);
  for (int i = 0; i < 40; ++i) Run(kCmdZoomIn);
  EXPECT_DOUBLE_EQ(editor->Zoom(), 8.0);
  Run(kCmdActualSize);
  EXPECT_DOUBLE_EQ(editor->Zoom(), 1.0);
  CConfig::GetConfig()->SetEditPanelOpen(1);

  // Save as from the toolbar: a name without the extension gets it; one that has it in another
  // case keeps it as typed. The working file stays as it was.
  const std::string before = mb::ReadWholeFile(path).value_or("");
  std::vector<std::string> names = {folder.Path("copy"), folder.Path("other.BMP")};
  editor->SetSaveNameChooser([&](HWND, const std::string&, const std::string& filter) {
    EXPECT_EQ(filter, "Picture Files (*.bmp)|*.bmp|All Files (*.*)|*.*||");
    const std::string name = names.front();
    names.erase(names.begin());
    return name;
  });
  ClickTool(kCmdSaveAs);
  ClickTool(kCmdSaveAs);
  mb::Picture copy;
  ASSERT_TRUE(copy.Load(folder.Path("copy.bmp")));
  EXPECT_EQ(copy.Width(), 400);
  EXPECT_TRUE(winkit::FileExists(folder.Path("other.BMP")));
  EXPECT_FALSE(winkit::FileExists(folder.Path("other.BMP.bmp")));
  EXPECT_EQ(mb::ReadWholeFile(path).value_or(""), before);

  // Leaving with the change unsaved, answered No: the file stays, the list comes back.
  view.received.clear();
  prompts.answers = {IDNO};
  Run(kCmdLeave);
  EXPECT_EQ(mb::ReadWholeFile(path).value_or(""), before);
  EXPECT_FALSE(IsWindowVisible(*editor));
  EXPECT_FALSE(editor->Session().HasPicture());
  const std::vector<std::pair<UINT, WPARAM>> expected = {
      {kFullScreenSwitch, 1}, {kShowPictureList, 0}, {WM_UPLOAD_STATUS, 0}, {kEditingState, 1}};
  EXPECT_EQ(view.received, expected);
}

TEST_F(EditImage, PanelWatermarksTextAndFrameAreLaidInAtSave) {
  // Picture watermark at place 9, through the panel's own controls.
  Click(panel, tabvane::kPlaceFirst + 8);
  ChooseRow(panel, tabvane::kWatermarkList, "watermark1.png");
  Click(panel, tabvane::kAddWatermark);
  ASSERT_TRUE(editor->Canvas().HasPictureMark());
  // Text watermark "测试".
  SetDlgItemTextA(panel, tabvane::kText, "测试");
  Click(panel, tabvane::kAddText);
  ASSERT_TRUE(editor->Canvas().HasTextMark()) << (prompts.texts.empty() ? "" : prompts.texts.back());
  winkit::SaveClientScreenshot(view, "editor_watermarks");
  Run(kCmdSave);
  mb::Picture saved = OnDisk();
  ASSERT_EQ(saved.Width(), 400);
  // The mark (100 x 50) lands near (W - 120, H - 110) only; the text under its window, at (30, 49).
  EXPECT_GT(ChangedPixels(saved, 280, 190, 380, 240), 1000);
  EXPECT_EQ(ChangedPixels(saved, 20, 100, 270, 180), 0);
  EXPECT_GT(ChangedPixels(saved, 30, 49, 130, 80), 20);
  EXPECT_TRUE(IsRed(saved, 5, 5));
  EXPECT_FALSE(editor->Canvas().HasPictureMark());

  // Frame: its black centre leaves the picture's pixels as they were.
  ChooseRow(panel, tabvane::kFrameList, "frame1.png");
  Click(panel, tabvane::kAddFrame);
  ASSERT_TRUE(editor->Canvas().HasFrame());
  EXPECT_TRUE(editor->IsCommandEnabled(kCmdSave));
  Run(kCmdSave);
  mb::Picture framed = OnDisk();
  EXPECT_FALSE(IsWhite(framed, 1, 150));
  EXPECT_FALSE(IsRed(framed, 5, 5));  // under the frame's band
  EXPECT_TRUE(IsWhite(framed, 200, 150));
  EXPECT_EQ(ChangedPixels(framed, 60, 100, 260, 180), 0);

  // Closing the panel with a preview shown asks; No drops the preview.
  ChooseRow(panel, tabvane::kWatermarkList, "watermark2.png");
  Click(panel, tabvane::kAddWatermark);
  ASSERT_TRUE(editor->Canvas().HasPictureMark());
  prompts.answers = {IDNO};
  editor->Send(WM_COMMAND, kCmdPanel);
  ASSERT_FALSE(prompts.texts.empty());
  EXPECT_EQ(prompts.texts.back(), "图像已经添加水印或相框,是否保存?");
  EXPECT_FALSE(editor->PanelOpen());
  EXPECT_FALSE(editor->Canvas().HasPictureMark());
  winkit::SaveClientScreenshot(view, "editor_panel_closed");
  editor->Send(WM_COMMAND, kCmdPanel);
  EXPECT_TRUE(editor->PanelOpen());
  winkit::SaveClientScreenshot(view, "editor_panel_open");
}

}  // namespace

namespace {

void DragWhilePumping(POINT from, POINT to) {
  WhilePumping([&] { winkit::DragMouse(from, to); });
}

// The box around the pixels of the rectangle that are neither white nor the marker's red.
RECT InkBox(const mb::Picture& p, int left, int top, int right, int bottom) {
  RECT box = {right, bottom, left, top};
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) {
      if (IsWhite(p, x, y) || IsRed(p, x, y)) continue;
      box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
             std::max<LONG>(box.bottom, y + 1)};
    }
  return box;
}

RECT InkBox(const winkit::RgbImage& shot, int inset) {
  RECT box = {shot.Width(), shot.Height(), 0, 0};
  for (int y = inset; y < shot.Height() - inset; ++y)
    for (int x = inset; x < shot.Width() - inset; ++x) {
      const winkit::Rgb c = shot.Pixel(x, y);
      if (c.red > 200 && c.green > 200 && c.blue > 200) continue;
      box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
             std::max<LONG>(box.bottom, y + 1)};
    }
  return box;
}

}  // namespace

TEST_F(EditImage, MemberSelectsCropsScrollsAndLaysTextWhereItShows) {
  ASSERT_TRUE(editor->Session().HasPicture());
  ASSERT_TRUE(winkit::BringToFront(view));
  // A selection drawn with the selection tool makes crop available at once.
  ClickTool(kCmdSelectTool);
  EXPECT_FALSE(SendMessageA(editor->Toolbar(), TB_ISBUTTONENABLED, kCmdCrop, 0));
  const POINT corner = editor->Canvas().Corner();
  DragWhilePumping(OnScreen({corner.x + 50, corner.y + 40}), OnScreen({corner.x + 150, corner.y + 120}));
  winkit::PumpMessages(100);
  EXPECT_TRUE(SendMessageA(editor->Toolbar(), TB_ISBUTTONENABLED, kCmdCrop, 0));
  ClickTool(kCmdCrop);
  EXPECT_NEAR(editor->Session().Working().Width(), 100, 3);
  EXPECT_NEAR(editor->Session().Working().Height(), 80, 3);
  ClickTool(kCmdUndo);
  ASSERT_EQ(editor->Session().Working().Width(), 400);

  // The pointer tool; zoomed in, the arrow keys scroll the picture.
  ClickTool(kCmdPointerTool);
  ASSERT_TRUE(winkit::ClickControl(GetDlgItem(*editor, kCmdPanel)));  // zoom waits for the panel to close
  ASSERT_FALSE(editor->PanelOpen());
  for (int i = 0; i < 4; ++i) ClickTool(kCmdZoomIn);
  EXPECT_DOUBLE_EQ(editor->Zoom(), 2.0);
  winkit::ClickAt(winkit::ScreenCentre(editor->Canvas()));
  winkit::PressKey(VK_RIGHT);
  winkit::PressKey(VK_DOWN);
  winkit::PumpMessages(100);
  EXPECT_GT(editor->Canvas().ScrollPosition().x, 0);
  EXPECT_GT(editor->Canvas().ScrollPosition().y, 0);
  ClickTool(kCmdActualSize);
  ASSERT_TRUE(winkit::ClickControl(GetDlgItem(*editor, kCmdPanel)));
  ASSERT_TRUE(editor->PanelOpen());

  // A text watermark, dragged by the member, is saved exactly where its window showed it.
  SetDlgItemTextA(panel, tabvane::kText, "测试");
  Click(panel, tabvane::kAddText);
  ASSERT_TRUE(editor->Canvas().HasTextMark()) << (prompts.texts.empty() ? "" : prompts.texts.back());
  HWND text = FindWindowExA(editor->Canvas(), nullptr, "Hoistly.WatermarkFloat", nullptr);
  ASSERT_NE(text, nullptr);
  const POINT grip = winkit::ScreenCentre(text);
  DragWhilePumping(grip, {grip.x + 60, grip.y + 45});
  winkit::PumpMessages(200);
  RECT shown;
  GetWindowRect(text, &shown);
  MapWindowPoints(nullptr, editor->Canvas(), reinterpret_cast<POINT*>(&shown), 2);
  const POINT drawn = editor->Canvas().Corner();
  ASSERT_DOUBLE_EQ(editor->Zoom(), 1.0);
  const RECT previewInk = InkBox(winkit::CaptureClientArea(text), 2);
  ASSERT_LT(previewInk.left, previewInk.right) << "no text in the preview";
  ClickTool(kCmdSave);
  const RECT savedInk = InkBox(OnDisk(), 0, 0, 400, 300);
  EXPECT_NEAR(savedInk.left, shown.left - drawn.x + previewInk.left, 1);
  EXPECT_NEAR(savedInk.top, shown.top - drawn.y + previewInk.top, 1);
  EXPECT_NEAR(savedInk.right - savedInk.left, previewInk.right - previewInk.left, 2);
}
