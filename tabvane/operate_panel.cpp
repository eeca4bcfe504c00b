#include "tabvane/operate_panel.h"

#include <cstdint>

#include "editor/core/text_watermark_record.h"
#include "framework/gdi.h"
#include "framework/module.h"

using namespace tabvane;

namespace {

constexpr UINT kAddPictureMark = 1045;
constexpr UINT kSetFrame = 1046;
constexpr UINT kMovePictureMark = 1047;
constexpr UINT kRemoveMarkOrFrame = 1050;
constexpr UINT kTextMark = 1053;
constexpr UINT kMoveToPoint = 1054;
constexpr UINT kDropPreview = 1076;
constexpr UINT kToolbarReady = 1082;
constexpr UINT kPlaceAgainMessage = 1083;
constexpr UINT kStripClose = 1079;
constexpr WPARAM kTextTool = 1;
constexpr COLORREF kFace = 0x00BBF3FF;
constexpr COLORREF kStrip = 0x0002A9FF;
constexpr int kStripHeight = 22;


}  // namespace

OperatePanel::OperatePanel() {
  Handle(WM_CREATE, &OperatePanel::OnCreate);
  Handle(kMoveToPoint, &OperatePanel::OnPointBack);
  Handle(WM_CTLCOLORSTATIC, &OperatePanel::OnColour);
  Handle(WM_CTLCOLORBTN, &OperatePanel::OnColour);
  Handle(WM_PAINT, &OperatePanel::OnPaint);
  Command(kStripButton, &OperatePanel::OnStrip);
  Command(kAddWatermark, &OperatePanel::OnAddWatermark);
  Command(kRemoveWatermark, &OperatePanel::OnRemoveWatermark);
  Command(kMoveWatermark, &OperatePanel::OnMoveWatermark);
  Command(kPlaceAgain, &OperatePanel::OnPlaceAgain);
  Command(kWatermarkList, LBN_SELCHANGE, &OperatePanel::OnWatermarkChosen);
  for (UINT id = kPlaceFirst; id < kPlaceFirst + 9; ++id) Command(id, BN_CLICKED, &OperatePanel::OnPlaceChosen);
  Command(kAddText, &OperatePanel::OnAddText);
  Command(kRemoveText, &OperatePanel::OnRemoveText);
  Command(kAddFrame, &OperatePanel::OnAddFrame);
  Command(kRemoveFrame, &OperatePanel::OnRemoveFrame);
}

fw::WindowClassSpec OperatePanel::ClassSpec() const {
  fw::WindowClassSpec spec;
  spec.name = "Tabvane.OperatePanel";
  spec.background = nullptr;
  return spec;
}

bool OperatePanel::Create(HWND parent, const RECT& rect) {
  return Window::Create(parent, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, &rect,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kPanelId))) != nullptr;
}

HWND OperatePanel::MakeControl(const char* type, const char* text, DWORD style, int x, int y, int w, int h, UINT id) {
  HWND control = CreateWindowExA(0, type, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, Handle(),
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), fw::Module::Instance(), nullptr);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return control;
}

LRESULT OperatePanel::OnCreate(const fw::Message&) {
  font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  const int top = kStripHeight + 4;
  MakeControl("BUTTON", "水印/文字/相框", BS_PUSHBUTTON, 4, 2, 110, 18, kStripButton);
  MakeControl("LISTBOX", "", LBS_NOTIFY | WS_BORDER | WS_VSCROLL, 4, top, 110, 80, kWatermarkList);
  for (int code = 1; code <= 9; ++code) {
    const char label[2] = {static_cast<char>('0' + code), 0};
    MakeControl("BUTTON", label, BS_AUTORADIOBUTTON | (code == 1 ? WS_GROUP : 0), 120 + ((code - 1) % 3) * 26,
                top + ((code - 1) / 3) * 22, 24, 18, kPlaceFirst + code - 1);
  }
  MakeControl("EDIT", "0", WS_BORDER | ES_NUMBER | WS_GROUP, 200, top, 40, 20, kMoveX);
  MakeControl("EDIT", "0", WS_BORDER | ES_NUMBER, 200, top + 24, 40, 20, kMoveY);
  MakeControl("BUTTON", "移到", BS_PUSHBUTTON, 200, top + 48, 40, 22, kMoveWatermark);
  MakeControl("BUTTON", "添加水印", BS_PUSHBUTTON, 4, top + 84, 64, 22, kAddWatermark);
  MakeControl("BUTTON", "取消水印", BS_PUSHBUTTON, 72, top + 84, 64, 22, kRemoveWatermark);
  MakeControl("BUTTON", "重新放置", BS_PUSHBUTTON, 140, top + 84, 64, 22, kPlaceAgain);
  MakeControl("EDIT", "", WS_BORDER | ES_AUTOHSCROLL, 250, top, 150, 22, kText);
  MakeControl("BUTTON", "添加文字", BS_PUSHBUTTON, 250, top + 28, 72, 22, kAddText);
  MakeControl("BUTTON", "取消文字", BS_PUSHBUTTON, 328, top + 28, 72, 22, kRemoveText);
  MakeControl("LISTBOX", "", LBS_NOTIFY | WS_BORDER | WS_VSCROLL, 410, top, 110, 80, kFrameList);
  MakeControl("BUTTON", "添加相框", BS_PUSHBUTTON, 410, top + 84, 64, 22, kAddFrame);
  MakeControl("BUTTON", "取消相框", BS_PUSHBUTTON, 478, top + 84, 64, 22, kRemoveFrame);
  const std::string res = fw::Module::ProgramFolder() + "Res\\";
  FillList(kWatermarkList, res + "watermark\\", watermarks_);
  FillList(kFrameList, res + "frame\\", frames_);
  return 0;
}

void OperatePanel::FillList(UINT listId, const std::string& folder, std::vector<std::string>& paths) {
  paths.clear();
  SendDlgItemMessageA(Handle(), listId, LB_RESETCONTENT, 0, 0);
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*.*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const int row = static_cast<int>(
        SendDlgItemMessageA(Handle(), listId, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(found.cFileName)));
    if (row < 0) continue;
    paths.insert(paths.begin() + std::min<std::size_t>(row, paths.size()), folder + found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

void OperatePanel::Init() {
  watermarkShown_ = false;
  for (UINT list : {kWatermarkList, kFrameList}) SendDlgItemMessageA(Handle(), list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  CheckRadioButton(Handle(), kPlaceFirst, kPlaceFirst + 8, kPlaceFirst + 8);
  SetDlgItemTextA(Handle(), kText, "");
  ToParent(kToolbarReady);
}

LRESULT OperatePanel::ToParent(UINT message, WPARAM wParam, LPARAM lParam) const {
  return SendMessageA(GetParent(Handle()), message, wParam, lParam);
}

int OperatePanel::PlaceCode() const {
  for (int code = 1; code <= 9; ++code)
    if (IsDlgButtonChecked(Handle(), kPlaceFirst + code - 1) == BST_CHECKED) return code;
  return 9;
}

LRESULT OperatePanel::OnPointBack(const fw::Message& m) {
  if (m.lParam) {
    const auto* point = reinterpret_cast<const std::int32_t*>(m.lParam);
    lastPoint_ = {point[0], point[1]};
  }
  return 0;
}

LRESULT OperatePanel::OnColour(const fw::Message& m) {
  static HBRUSH face = CreateSolidBrush(kFace);
  SetBkColor(reinterpret_cast<HDC>(m.wParam), kFace);
  return reinterpret_cast<LRESULT>(face);
}

LRESULT OperatePanel::OnPaint(const fw::Message&) {
  fw::PaintDC dc(Handle());
  RECT client;
  GetClientRect(Handle(), &client);
  RECT strip = client;
  strip.bottom = kStripHeight;
  fw::Brush stripBrush(CreateSolidBrush(kStrip)), faceBrush(CreateSolidBrush(kFace));
  FillRect(dc, &strip, stripBrush);
  client.top = kStripHeight;
  FillRect(dc, &client, faceBrush);
  return 0;
}

void OperatePanel::OnStrip() { ToParent(kStripClose); }

void OperatePanel::OnWatermarkChosen() {
  if (watermarkShown_) ToParent(kDropPreview);
  watermarkShown_ = false;
}

void OperatePanel::OnAddWatermark() {
  const int row = static_cast<int>(SendDlgItemMessageA(Handle(), kWatermarkList, LB_GETCURSEL, 0, 0));
  if (row < 0 || row >= static_cast<int>(watermarks_.size())) return;
  watermarkShown_ = true;
  ToParent(kAddPictureMark, static_cast<WPARAM>(PlaceCode()), reinterpret_cast<LPARAM>(watermarks_[row].c_str()));
}

void OperatePanel::OnPlaceChosen() {
  if (watermarkShown_) ToParent(kMovePictureMark, static_cast<WPARAM>(PlaceCode()));
}

void OperatePanel::OnRemoveWatermark() {
  watermarkShown_ = false;
  ToParent(kRemoveMarkOrFrame, 1);
}

void OperatePanel::OnMoveWatermark() {
  const std::int32_t point[2] = {static_cast<std::int32_t>(GetDlgItemInt(Handle(), kMoveX, nullptr, FALSE)),
                                 static_cast<std::int32_t>(GetDlgItemInt(Handle(), kMoveY, nullptr, FALSE))};
  ToParent(kMoveToPoint, 1, reinterpret_cast<LPARAM>(point));
}

void OperatePanel::OnPlaceAgain() { ToParent(kPlaceAgainMessage); }

void OperatePanel::SendText(const std::string& text) {
  mb::editor::TextWatermarkRecord record;
  record.text = text;
  record.fontHeight = -24;
  record.fontWeight = FW_BOLD;
  record.faceName = "宋体";
  record.colour = RGB(255, 0, 0);
  unsigned char bytes[mb::editor::kTextRecordSize];
  mb::editor::WriteTextWatermarkRecord(record, bytes);
  ToParent(kTextMark, kTextTool, reinterpret_cast<LPARAM>(bytes));
}

void OperatePanel::OnAddText() {
  char text[512] = {};
  GetDlgItemTextA(Handle(), kText, text, sizeof text);
  SendText(text);
}

void OperatePanel::OnRemoveText() { SendText(""); }

void OperatePanel::OnAddFrame() {
  const int row = static_cast<int>(SendDlgItemMessageA(Handle(), kFrameList, LB_GETCURSEL, 0, 0));
  if (row < 0 || row >= static_cast<int>(frames_.size())) return;
  ToParent(kSetFrame, 0, reinterpret_cast<LPARAM>(frames_[row].c_str()));
}

void OperatePanel::OnRemoveFrame() { ToParent(kRemoveMarkOrFrame, 0); }
