// The float window on the skins of layouts 2 and 3: its place, styles, outline and look, the
// drop target driven with a data object of the test's own (no real drag can be scripted), the
// context menu's batch-upload item, the carousel buttons and the double-click rules.
#include <gtest/gtest.h>

#include <ole2.h>
#include <shlobj.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "client/core/client_config.h"
#include "client/core/win/skin_engine.h"
#include "client/ui/float/win/float_window.h"
#include "client/ui/tests/win/control_test_support.h"
#include "client/ui/win/small_window_calls.h"
#include "common/win/com_ptr.h"
#include "framework/module.h"
#include "tests/winkit/winkit.h"

namespace mb {
namespace {

const char kCaption[] = "墨岚屏[Pelora]-系统消息";

// A data object holding a dropped file list (or nothing). It hands out its own list with itself
// as the releasing object, as drag sources do, so a target that frees the list wrongly shows.
class FileListData final : public IDataObject {
 public:
  explicit FileListData(const std::vector<std::string>& files) {
    if (files.empty()) return;
    std::string names;
    for (const std::string& f : files) names += f + '\0';
    names += '\0';
    list_ = GlobalAlloc(GMEM_MOVEABLE, sizeof(DROPFILES) + names.size());
    auto* header = static_cast<DROPFILES*>(GlobalLock(list_));
    *header = DROPFILES{};
    header->pFiles = sizeof(DROPFILES);
    memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), names.data(), names.size());
    GlobalUnlock(list_);
  }
  ~FileListData() {
    if (list_) GlobalFree(list_);
  }
  bool ListIntact() const { return list_ && GlobalSize(list_) > 0; }
  LONG References() const { return references_; }

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
      *object = this;
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override { return --references_; }
  STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = list_;
    medium->pUnkForRelease = this;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  STDMETHODIMP QueryGetData(FORMATETC* format) override {
    return list_ && format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
  }
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  HGLOBAL list_ = nullptr;
  LONG references_ = 1;
};

// The float window of a layout, owned by a plain top-level window, with recording links.
struct FloatHarness {
  FloatHarness(int layout, int loggedIn) : skin(layout) {
    fw::Module::Init(GetModuleHandleA(nullptr));
    CreateClientConfig(ClientLocation{folder.Root(), "http://127.0.0.1:1"});
    GetClientConfig()->skinLayout = layout;
    GetClientConfig()->loggedIn = loggedIn;
    owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    FloatWindowLinks links;
    links.openPicture = [this](const std::string& path) { opened.push_back(path); };
    links.stepWallpaper = [this](int step) { steps.push_back(step); };
    box = CreateFloatWindow(owner, true, links);
    winkit::PumpMessages(100);
  }
  ~FloatHarness() {
    DestroyFloatWindow();
    DestroyWindow(owner);
    DestroyClientConfig();
  }
  IDropTarget* Target() const { return box; }
  // Drops the files with the offered effects; the message box's text when one came up.
  std::string Drop(FileListData& data, DWORD offered) {
    std::string text;
    std::atomic<bool> done{false};
    std::thread answer([&] {
      while (!done && !winkit::AnswerMessageBox(kCaption, IDOK, 200, &text, GetCurrentProcessId())) {
      }
    });
    DWORD effect = offered;
    EXPECT_EQ(Target()->Drop(&data, 0, POINTL{0, 0}, &effect), S_OK);
    done = true;
    answer.join();
    return text;
  }

  ComApartment com;
  winkit::TempFolder folder;
  uitest::CurrentSkin skin;
  HWND owner = nullptr;
  FloatWindow* box = nullptr;
  std::vector<std::string> opened;
  std::vector<int> steps;
};

TEST(FloatWindowTest, PlaceStylesLookAndButtons) {
  FloatHarness h(2, 1);
  ASSERT_NE(h.box, nullptr);
  const HWND box = h.box->Handle();
  RECT place{}, image{};
  GetWindowRect(box, &place);
  {
    SkinSchemeRef scheme;
    ASSERT_TRUE(scheme && SUCCEEDED(scheme->GetImageRect(&image, "float_bk")));
  }
  EXPECT_EQ(place.left, GetSystemMetrics(SM_CXSCREEN) - 100);
  EXPECT_EQ(place.top, 40);
  EXPECT_EQ(place.right - place.left, image.right);
  EXPECT_EQ(place.bottom - place.top, image.bottom);
  EXPECT_TRUE(IsWindowVisible(box));
  EXPECT_EQ(GetWindow(box, GW_OWNER), h.owner);
  EXPECT_EQ(GetWindowLongPtrA(box, GWL_STYLE) & (WS_POPUP | WS_CHILD | WS_CAPTION), WS_POPUP);
  const LONG_PTR ex = GetWindowLongPtrA(box, GWL_EXSTYLE);
  EXPECT_TRUE((ex & WS_EX_TOPMOST) && (ex & WS_EX_TOOLWINDOW));
  HRGN outline = CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(GetWindowRgn(box, outline), ERROR);
  DeleteObject(outline);

  // The look: the skin's background where no button lies.
  const winkit::RgbImage shot = uitest::SaveScreenshot(box, "float_window");
  const RECT middle{14, 0, image.right - 14, image.bottom};
  EXPECT_EQ(uitest::PixelsDifferingFromImage(shot, h.skin.Files(), "float_bk", 0, 0, "float_bk", &middle), 0);

  // The tooltip's text comes on demand, as wide as the screen allows.
  NMTTDISPINFOA info{};
  info.hdr.hwndFrom = h.box->ToolTipWindow();
  info.hdr.idFrom = reinterpret_cast<UINT_PTR>(box);
  info.hdr.code = TTN_GETDISPINFOA;
  SendMessageA(box, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  ASSERT_NE(info.lpszText, nullptr);
  EXPECT_STREQ(info.lpszText, "Pelora 墨岚屏");
  EXPECT_EQ(SendMessageA(h.box->ToolTipWindow(), TTM_GETMAXTIPWIDTH, 0, 0), GetSystemMetrics(SM_CXSCREEN));

  // The carousel buttons, clicked: previous on the left, next on the right.
  for (int x : {5, static_cast<int>(image.right) - 6}) {
    SendMessageA(box, WM_MOUSEMOVE, 0, MAKELPARAM(x, 20));
    SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 20));
    SendMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(x, 20));
  }
  winkit::PumpMessages(100);
  EXPECT_EQ(h.steps, (std::vector<int>{-1, +1}));

  // The tray's switch and the double click that brings the main window back.
  SetFloatWindowShown(false);
  EXPECT_FALSE(IsWindowVisible(box));
  SetFloatWindowShown(true);
  EXPECT_TRUE(IsWindowVisible(box));
  SendMessageA(box, WM_LBUTTONDBLCLK, 0, 0);
  EXPECT_TRUE(IsWindowVisible(h.owner));
  ShowWindow(h.owner, SW_MINIMIZE);
  SendMessageA(box, WM_LBUTTONDBLCLK, 0, 0);
  EXPECT_FALSE(IsIconic(h.owner));

  DestroyFloatWindow();
  EXPECT_FALSE(IsWindow(box));
  EXPECT_EQ(CurrentFloatWindow(), nullptr);
}

TEST(FloatWindowTest, DropOpensTheFirstPictureAndRefusesOtherFiles) {
  FloatHarness h(3, 1);
  ASSERT_NE(h.box, nullptr);
  FileListData pictures({"C:\\pictures\\first.jpg", "C:\\pictures\\second.png", "C:\\pictures\\third.bmp"});
  DWORD effect = DROPEFFECT_MOVE;
  EXPECT_EQ(h.Target()->DragEnter(&pictures, 0, POINTL{0, 0}, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  EXPECT_EQ(h.Target()->DragOver(0, POINTL{0, 0}, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY | DROPEFFECT_MOVE));

  EXPECT_EQ(h.Drop(pictures, DROPEFFECT_MOVE), "");  // moving is not offered to the box
  EXPECT_TRUE(h.opened.empty());
  EXPECT_EQ(h.Drop(pictures, DROPEFFECT_COPY), "");
  EXPECT_EQ(h.opened, std::vector<std::string>{"C:\\pictures\\first.jpg"});
  EXPECT_TRUE(pictures.ListIntact()) << "the list belongs to the data object";
  EXPECT_EQ(pictures.References(), 1);

  FileListData text({"C:\\docs\\read me.txt", "C:\\pictures\\first.jpg"});
  EXPECT_EQ(h.Drop(text, DROPEFFECT_LINK), "C:\\docs\\read me.txt 不是有效的图片文件!");
  const std::string overlong = "C:\\" + std::string(300, 'x') + ".jpg";
  FileListData longName({overlong});
  EXPECT_EQ(h.Drop(longName, DROPEFFECT_COPY), overlong + " 不是有效的图片文件!");
  FileListData nothing({});
  EXPECT_EQ(h.Drop(nothing, DROPEFFECT_COPY), "");
  EXPECT_EQ(h.opened.size(), 1u);
}

// The batch-upload item of the context menu as it is shown; the menu is closed again.
UINT BatchUploadStateInMenu(HWND box) {
  std::atomic<UINT> state{0xFFFFFFFF};
  std::thread watch([&] {
    for (int i = 0; i < 100; ++i) {
      HWND menu = FindWindowA("#32768", nullptr);
      HMENU items = menu && IsWindowVisible(menu) ? reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0)) : nullptr;
      if (items) {
        state = GetMenuState(items, 32828, MF_BYCOMMAND);
        EndMenu();
        PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        return;
      }
      Sleep(50);
    }
  });
  SendMessageA(box, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(box), MAKELPARAM(200, 200));
  watch.join();
  return state;
}

TEST(FloatWindowTest, BatchUploadIsGreyedWhileLoggedOut) {
  FloatHarness h(2, 0);
  ASSERT_NE(h.box, nullptr);
  const UINT loggedOut = BatchUploadStateInMenu(h.box->Handle());
  ASSERT_NE(loggedOut, 0xFFFFFFFFu) << "the menu never showed";
  EXPECT_TRUE(loggedOut & MF_GRAYED);
  GetClientConfig()->loggedIn = 1;
  const UINT loggedIn = BatchUploadStateInMenu(h.box->Handle());
  ASSERT_NE(loggedIn, 0xFFFFFFFFu);
  EXPECT_FALSE(loggedIn & MF_GRAYED);
}

}  // namespace
}  // namespace mb
