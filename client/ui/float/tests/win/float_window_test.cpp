// The float window on the skins of layouts 2 and 3: place, styles, look, tooltip, buttons, drag,
// menu and double click; the drop target driven with a data object of the test's own, as no
// real drag can be scripted.
#include <gtest/gtest.h>

#include <ole2.h>
#include <shlobj.h>
#include <windows.h>

#include <atomic>
#include <initializer_list>
#include <thread>

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

// A dropped file list handed out with the data object as its releasing owner, as drag sources
// do: a target that frees the list itself leaves it gone here.
class FileListData final : public IDataObject {
 public:
  explicit FileListData(std::initializer_list<std::string> files) : offered_(files.size() > 0) {
    std::string names;
    for (const std::string& f : files) names += f + '\0';
    list_ = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size() + 1);
    auto* header = static_cast<DROPFILES*>(GlobalLock(list_));
    header->pFiles = sizeof(DROPFILES);
    memcpy(header + 1, names.data(), names.size());
    GlobalUnlock(list_);
  }
  ~FileListData() { GlobalFree(list_); }
  bool Intact() const { return GlobalSize(list_) > 0 && references_ == 1; }
  STDMETHODIMP QueryInterface(REFIID, void** object) override { return *object = nullptr, E_NOINTERFACE; }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override { return --references_; }
  STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    *medium = STGMEDIUM{TYMED_HGLOBAL, {nullptr}, this};
    medium->hGlobal = list_;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP QueryGetData(FORMATETC* format) override {
    return offered_ && format->cfFormat == CF_HDROP ? S_OK : DV_E_FORMATETC;
  }
  STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  STDMETHODIMP DUnadvise(DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

 private:
  const bool offered_;  // an empty list stands for a drag that carries no file list
  HGLOBAL list_;
  LONG references_ = 1;
};

// The float window of a layout, owned by a plain window, with recording links.
struct FloatHarness {
  explicit FloatHarness(int layout) : skin(layout) {
    fw::Module::Init(GetModuleHandleA(nullptr));
    CreateClientConfig(ClientLocation{folder.Root(), "http://127.0.0.1:1"});
    GetClientConfig()->skinLayout = layout;
    owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    box = CreateFloatWindow(owner, true, {[this](const std::string& p) { opened.push_back(p); },
                                          [this](int step) { steps.push_back(step); }});
  }
  ~FloatHarness() {
    DestroyFloatWindow();
    DestroyWindow(owner);
    DestroyClientConfig();
  }
  // Drops the list with the offered effects; the text of the message box that came up, if any.
  std::string Drop(FileListData& data, DWORD offered) {
    std::string text;
    std::atomic<bool> done{false};
    std::thread answer([&] {
      while (!done && !winkit::AnswerMessageBox("墨岚屏[Pelora]-系统消息", IDOK, 200, &text, GetCurrentProcessId())) {
      }
    });
    EXPECT_EQ(box->Drop(&data, 0, POINTL{0, 0}, &offered), S_OK);
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

// The batch-upload item's state in the context menu as shown; the menu is closed again.
UINT BatchUploadStateInMenu(HWND box) {
  std::atomic<UINT> state{0xFFFFFFFF};
  std::thread watch([&] {
    for (int i = 0; i < 100 && state == 0xFFFFFFFF; ++i, Sleep(50)) {
      const HWND menu = winkit::WaitForWindow("#32768", nullptr, 0, GetCurrentProcessId());
      if (!menu || !IsWindowVisible(menu)) continue;
      if (auto items = reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0))) {
        state = GetMenuState(items, 32828, MF_BYCOMMAND);
        EndMenu();
      }
    }
  });
  SendMessageA(box, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(box), MAKELPARAM(200, 200));
  watch.join();
  return state;
}

TEST(FloatWindowTest, PlaceLookButtonsDragMenuAndDoubleClick) {
  FloatHarness h(2);
  ASSERT_NE(h.box, nullptr);
  const HWND box = h.box->Handle();
  RECT place{}, image{};
  GetWindowRect(box, &place);
  ASSERT_TRUE(SUCCEEDED(SkinSchemeRef()->GetImageRect(&image, "float_bk")));
  EXPECT_EQ(place.left, GetSystemMetrics(SM_CXSCREEN) - 100);
  EXPECT_EQ(place.top, 40);
  EXPECT_EQ(place.right - place.left, image.right);
  EXPECT_EQ(place.bottom - place.top, image.bottom);
  EXPECT_TRUE(IsWindowVisible(box));
  EXPECT_EQ(GetWindow(box, GW_OWNER), h.owner);
  EXPECT_EQ(GetWindowLongPtrA(box, GWL_STYLE) & (WS_POPUP | WS_CHILD | WS_CAPTION), WS_POPUP);
  EXPECT_EQ(GetWindowLongPtrA(box, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW), WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
  const RECT middle{14, 0, image.right - 14, image.bottom};  // the skin's background between the buttons
  const winkit::RgbImage shot = uitest::SaveScreenshot(box, "float_window");
  EXPECT_EQ(uitest::PixelsDifferingFromImage(shot, h.skin.Files(), "float_bk", 0, 0, "float_bk", &middle), 0);

  NMTTDISPINFOA tip{{h.box->ToolTipWindow(), reinterpret_cast<UINT_PTR>(box), TTN_GETDISPINFOA}};
  SendMessageA(box, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
  EXPECT_STREQ(tip.lpszText, "Pelora 墨岚屏");
  EXPECT_EQ(SendMessageA(h.box->ToolTipWindow(), TTM_GETMAXTIPWIDTH, 0, 0), GetSystemMetrics(SM_CXSCREEN));

  for (int x : {5, static_cast<int>(image.right) - 6}) {  // previous, then next
    SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 20));
    SendMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(x, 20));
  }
  winkit::PumpMessages(100);
  EXPECT_EQ(h.steps, (std::vector<int>{-1, +1}));

  // A press beside the buttons drags the box (the move ends at once here) and records its place.
  SetWindowPos(box, nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  PostMessageA(box, WM_KEYDOWN, VK_RETURN, 0);
  SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(image.right / 2, 2));
  EXPECT_EQ(GetClientConfig()->floatWindowPosition, MAKELONG(300, 200));

  EXPECT_EQ(BatchUploadStateInMenu(box) & (MF_GRAYED | 0x80000000u), static_cast<UINT>(MF_GRAYED));
  GetClientConfig()->loggedIn = 1;
  EXPECT_EQ(BatchUploadStateInMenu(box), static_cast<UINT>(MF_ENABLED));

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
}

TEST(FloatWindowTest, DropOpensTheFirstPictureAndRefusesOtherFiles) {
  FloatHarness h(3);
  ASSERT_NE(h.box, nullptr);
  FileListData pictures({"C:\\pics\\first.jpg", "C:\\pics\\second.png", "C:\\pics\\third.bmp"});
  EXPECT_EQ(h.Drop(pictures, DROPEFFECT_MOVE), "");
  EXPECT_TRUE(h.opened.empty());
  EXPECT_EQ(h.Drop(pictures, DROPEFFECT_COPY | DROPEFFECT_MOVE), "");
  EXPECT_EQ(h.opened, std::vector<std::string>{"C:\\pics\\first.jpg"});
  EXPECT_TRUE(pictures.Intact()) << "the list belongs to the data object";

  FileListData text({"C:\\docs\\read me.txt", "C:\\pics\\first.jpg"});
  EXPECT_EQ(h.Drop(text, DROPEFFECT_LINK), "C:\\docs\\read me.txt 不是有效的图片文件!");
  const std::string overlong = "C:\\" + std::string(300, 'x') + ".jpg";
  FileListData longName({overlong});
  EXPECT_EQ(h.Drop(longName, DROPEFFECT_COPY), overlong + " 不是有效的图片文件!");
  FileListData nothing(std::initializer_list<std::string>{});
  EXPECT_EQ(h.Drop(nothing, DROPEFFECT_COPY), "");
  EXPECT_EQ(h.opened.size(), 1u);
}

}  // namespace
}  // namespace mb
