// Page script against the script bridge, as the browser runs it: the JScript engine reaches
// window.external through the browser host's doc-host UI handler and calls the bridge, whose
// requests arrive at the page window that hosts the browser. Also the host's own answers to the
// control, and the personal page's waiting animation.
#include <gtest/gtest.h>

#include <windows.h>
#include <activscp.h>
#include <mshtmhst.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "client/core/client_config.h"
#include "client/core/download_request.h"
#include "client/ui/browser/win/browser_dialog.h"
#include "client/ui/browser/win/personal_page.h"
#include "client/ui/browser/win/script_bridge.h"
#include "client/ui/browser/win/web_browser_host.h"
#include "common/win/com_ptr.h"
#include "framework/module.h"
#include "tests/winkit/winkit.h"

namespace mb {
namespace {

const CLSID kJScript = {0xf414c260, 0x6ac0, 0x11cf, {0xb6, 0xd1, 0x00, 0xaa, 0x00, 0xbb, 0xbb, 0x58}};
#ifdef _WIN64
const IID kScriptParse = {0xc7ef7658, 0xe1ee, 0x480e, {0x97, 0xea, 0xd5, 0x2c, 0xb4, 0xd7, 0x6d, 0x17}};
#else
const IID kScriptParse = {0xbb1a2ae2, 0xa4f9, 0x11cf, {0x8f, 0x20, 0x00, 0x80, 0x5f, 0x2c, 0xd0, 0x64}};
#endif

// A page window that hosts a browser and keeps the requests it is sent; while busy it answers -1.
class RecordingPage : public fw::Window {
 public:
  RecordingPage() {
    Handle(WM_DOWNLOAD_REQUEST, &RecordingPage::OnRequest);
    fw::Module::Init(GetModuleHandleA(nullptr));
    const RECT frame{0, 0, 300, 200};
    Create(nullptr, "page", WS_POPUP, WS_EX_TOOLWINDOW, &frame);
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    const RECT area{0, 0, 300, 200};
    browser.Create(Handle(), area, "about:blank");
  }
  ~RecordingPage() override { Destroy(); }

  struct Received {
    std::unique_ptr<DownloadRequest> request;
    LPARAM setWallpaper;
  };
  std::vector<Received> received;
  bool busy = false;
  WebBrowserHost browser;

 private:
  LRESULT OnRequest(const fw::Message& m) {
    if (busy) return -1;
    received.push_back({std::unique_ptr<DownloadRequest>(reinterpret_cast<DownloadRequest*>(m.wParam)), m.lParam});
    return 0;
  }
};

// The doc-host UI handler the control was given, found the way the control finds it.
ComPtr<IDocHostUIHandler> HostHandler(WebBrowserHost& host) {
  ComPtr<IOleObject> object;
  ComPtr<IOleClientSite> site;
  if (!host.Browser() || FAILED(host.Browser()->QueryInterface(IID_IOleObject, object.OutVoid())) ||
      FAILED(object->GetClientSite(site.Out())) || !site)
    return {};
  return site.As<IDocHostUIHandler>(IID_IDocHostUIHandler);
}

// The page's window object as script sees it: its only member is external, taken from the
// host's handler on every read.
class ScriptWindow final : public IDispatch {
 public:
  explicit ScriptWindow(ComPtr<IDocHostUIHandler> handler) : handler_(std::move(handler)) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    *object = (iid == IID_IUnknown || iid == IID_IDispatch) ? static_cast<IDispatch*>(this) : nullptr;
    return *object ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return *count = 0, S_OK; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
    *ids = std::wstring(names[0]) == L"external" ? 1 : DISPID_UNKNOWN;
    return *ids == 1 ? S_OK : DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                   UINT*) override {
    if (id != 1 || !result) return DISP_E_MEMBERNOTFOUND;
    IDispatch* external = nullptr;
    handler_->GetExternal(&external);
    result->vt = external ? VT_DISPATCH : VT_NULL;
    result->pdispVal = external;
    return S_OK;
  }

 private:
  ComPtr<IDocHostUIHandler> handler_;
};

// The JScript engine with "window" as a named item; Eval returns an expression's value as text.
class Script final : public IActiveScriptSite {
 public:
  explicit Script(IDispatch* window) : window_(window) {
    CoCreateInstance(kJScript, nullptr, CLSCTX_INPROC_SERVER, IID_IActiveScript, engine_.OutVoid());
    if (!engine_) return;
    parse_ = engine_.As<IActiveScriptParse>(kScriptParse);
    engine_->SetScriptSite(this);
    if (parse_) parse_->InitNew();
    engine_->AddNamedItem(L"window", SCRIPTITEM_ISVISIBLE);
    engine_->SetScriptState(SCRIPTSTATE_CONNECTED);
  }
  ~Script() {
    if (engine_) engine_->Close();
  }
  bool Ready() const { return static_cast<bool>(parse_); }

  std::string Eval(const std::wstring& expression) {
    Variant value;
    EXCEPINFO error{};
    if (FAILED(parse_->ParseScriptText(expression.c_str(), nullptr, nullptr, nullptr, 0, 0, SCRIPTTEXT_ISEXPRESSION,
                                       value.Out(), &error)))
      return "script failed";
    if (FAILED(VariantChangeType(&value.Get(), &value.Get(), 0, VT_BSTR))) return "?";
    return WideToGbk(value.Get().bstrVal ? value.Get().bstrVal : L"");
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    *object = (iid == IID_IUnknown || iid == IID_IActiveScriptSite) ? this : nullptr;
    return *object ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetLCID(LCID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetItemInfo(LPCOLESTR name, DWORD mask, IUnknown** item, ITypeInfo** info) override {
    if (info) *info = nullptr;
    if (std::wstring(name) != L"window" || !(mask & SCRIPTINFO_IUNKNOWN)) return TYPE_E_ELEMENTNOTFOUND;
    *item = window_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDocVersionString(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnScriptTerminate(const VARIANT*, const EXCEPINFO*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnStateChange(SCRIPTSTATE) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnScriptError(IActiveScriptError*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnEnterScript() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnLeaveScript() override { return S_OK; }

 private:
  IDispatch* window_;
  ComPtr<IActiveScript> engine_;
  ComPtr<IActiveScriptParse> parse_;
};

// A call inside try/catch: its value as text, or "error" and the HRESULT in hex.
std::wstring Guarded(const std::wstring& call) {
  return L"(function(){try{return String(" + call + L");}catch(e){return 'error '+(e.number>>>0).toString(16);}})()";
}

// Private memory committed in this process's address space.
SIZE_T PrivateBytes() {
  SIZE_T total = 0;
  MEMORY_BASIC_INFORMATION region{};
  for (const char* at = nullptr; VirtualQuery(at, &region, sizeof(region)) == sizeof(region);
       at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
  }
  return total;
}

TEST(ScriptBridgeTest, PageScriptReachesThePageWithItsFieldsAndBadCallsFailSafely) {
  ComApartment com;
  RecordingPage page;
  ASSERT_NE(page.browser.Browser(), nullptr) << "the browser control could not be made";
  ScriptBridge* bridge = ScriptBridge::Create();
  bridge->SetOwner(page.browser.Handle());
  page.browser.SetExternalDispatch(bridge);
  ScriptWindow window(HostHandler(page.browser));
  Script script(&window);
  ASSERT_TRUE(script.Ready());

  // Valid calls: runs of separators count as one, a leading one is skipped, missing fields are
  // empty and a sixth is dropped; numbers are taken as their text.
  EXPECT_EQ(script.Eval(Guarded(L"window.external.downWallpaper('海边', 'http://h/p/a.jpg', '风景**b*c')")), "true");
  EXPECT_EQ(script.Eval(Guarded(L"window.external.setWallpaper(7, 'http://h/b.jpg', '*a*b*c*d*e*f')")), "true");
  ASSERT_EQ(page.received.size(), 2u);
  const DownloadRequest& first = *page.received[0].request;
  EXPECT_EQ(first.title, "海边");
  EXPECT_EQ(first.address, "http://h/p/a.jpg");
  EXPECT_EQ(first.category, "风景");
  EXPECT_EQ(first.f2, "b");
  EXPECT_EQ(first.f3, "c");
  EXPECT_EQ(first.f4 + first.f5, "");
  EXPECT_EQ(page.received[0].setWallpaper, 0);
  const DownloadRequest& second = *page.received[1].request;
  EXPECT_EQ(second.title + second.category + second.f2 + second.f3 + second.f4 + second.f5, "7abcde");
  EXPECT_EQ(page.received[1].setWallpaper, 1);

  // Wrong counts and types are refused before anything is sent.
  EXPECT_EQ(script.Eval(Guarded(L"window.external.downWallpaper('t', 'http://h/a.jpg')")), "error 8002000e");
  EXPECT_EQ(script.Eval(Guarded(L"window.external.setWallpaper('t', {}, 'c')")), "error 80020005");
  EXPECT_EQ(script.Eval(Guarded(L"window.external.downWallpaper(null, 'http://h/a.jpg', 'c')")), "error 80020005");
  EXPECT_EQ(script.Eval(Guarded(L"window.external.loadDetail('many', 2)")), "error 80020005");
  EXPECT_EQ(script.Eval(Guarded(L"window.external.loadDetail('12', 2)")), "false");
  EXPECT_EQ(script.Eval(Guarded(L"window.external.foo")), "hello from get_foo");
  EXPECT_EQ(script.Eval(Guarded(L"window.external.test(1)")), "in test");
  EXPECT_EQ(page.received.size(), 2u);
  DISPID id = 0;
  LPOLESTR capitalised = const_cast<LPOLESTR>(L"Foo");
  EXPECT_EQ(bridge->GetIDsOfNames(IID_NULL, &capitalised, 1, 0, &id), S_OK);
  EXPECT_EQ(id, DISPID_UNKNOWN);

  // A busy page answers -1: the call says false and the bridge frees the request; refused
  // arguments are freed too. Half a megabyte a text would show as about 90 megabytes.
  page.busy = true;
  script.Eval(L"big = new Array(1 << 19).join('x'); 0");
  const SIZE_T before = PrivateBytes();
  EXPECT_EQ(script.Eval(L"(function(){var n=0;for(var i=0;i<60;i++){"
                        L"if(window.external.downWallpaper(big,big,big+'*a')===false)n++;"
                        L"try{window.external.setWallpaper(big,big,{});}catch(e){n++;}}return n;})()"),
            "120");
  EXPECT_LT(PrivateBytes(), before + 40u * 1024 * 1024);
  EXPECT_EQ(page.received.size(), 2u);

  // openPreview holds the script until its dialog is closed, then answers false.
  bool previewShown = false;
  std::thread closer([&previewShown] {
    HWND preview = winkit::WaitForWindow("#32770", "墨岚屏", 10000, GetCurrentProcessId());
    for (int wait = 0; preview && !previewShown && wait < 100; ++wait, Sleep(50)) previewShown = IsWindowVisible(preview);
    if (preview) PostMessageA(preview, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(script.Eval(Guarded(L"window.external.openPreview('about:blank')")), "false");
  closer.join();
  EXPECT_TRUE(previewShown);

  // Without an owner nothing is sent.
  bridge->SetOwner(nullptr);
  page.busy = false;
  EXPECT_EQ(script.Eval(Guarded(L"window.external.downWallpaper('t', 'http://h/a.jpg', 'c')")), "false");
  EXPECT_EQ(page.received.size(), 2u);
  bridge->Release();
}

TEST(ScriptBridgeTest, HostAnswersTheControlAndPagesEndTheirWaitOnWebPagesOnly) {
  ComApartment com;
  // A folder of its own: a configuration made on the build's program folder would install the
  // default skin layout there under every other test.
  winkit::InstallFolder install({});
  ASSERT_TRUE(install.Install("waitting.gif", "waitting.gif"));
  ASSERT_TRUE(CreateClientConfig(ClientLocation{install.Root(), "http://127.0.0.1:1"}));
  RecordingPage page;
  ComPtr<IDocHostUIHandler> handler = HostHandler(page.browser);
  ASSERT_TRUE(handler);
  DOCHOSTUIINFO info{};
  info.cbSize = sizeof(info);
  page.browser.SetupControl();
  handler->GetHostInfo(&info);
  EXPECT_EQ(info.dwFlags & (DOCHOSTUIFLAG_THEME | DOCHOSTUIFLAG_NO3DBORDER),
            static_cast<DWORD>(DOCHOSTUIFLAG_THEME | DOCHOSTUIFLAG_NO3DBORDER));
  POINT at{};
  EXPECT_EQ(handler->ShowContextMenu(0, &at, nullptr, nullptr), S_OK) << "the page's menu is kept back";
  page.browser.AllowContextMenu(true);
  EXPECT_EQ(handler->ShowContextMenu(0, &at, nullptr, nullptr), S_FALSE);
  IDispatch* external = reinterpret_cast<IDispatch*>(1);
  EXPECT_EQ(handler->GetExternal(&external), S_FALSE);
  EXPECT_EQ(external, nullptr);

  // The personal page frees what page script sends it and keeps its animation over error
  // pages; a secure web page ends the wait as a plain one does.
  PersonalPage personal;
  personal.SetPageUrl("about:blank");
  ASSERT_NE(personal.Create(page.Handle()), nullptr);
  ShowWindow(personal.Handle(), SW_SHOWNOACTIVATE);
  ASSERT_NE(personal.Bridge(), nullptr);
  EXPECT_TRUE(personal.Browser().Waiting());
  EXPECT_TRUE(IsWindowVisible(personal.Animation().Handle()));
  Variant args[3] = {Variant::String(L"a*b"), Variant::String(L"http://h/a.jpg"), Variant::String(L"t")};
  VARIANT list[3] = {args[0].Get(), args[1].Get(), args[2].Get()};
  DISPPARAMS params{list, nullptr, 3, 0};
  Variant accepted;
  EXPECT_EQ(personal.Bridge()->Invoke(ScriptBridge::kFirstDispId + 6, IID_NULL, 0, DISPATCH_METHOD, &params,
                                      accepted.Out(), nullptr, nullptr),
            S_OK);
  EXPECT_EQ(accepted.Get().boolVal, VARIANT_TRUE) << "the page takes the request and drops it";
  personal.Browser().OnDocumentComplete(nullptr, "res://ieframe.dll/navcancl.htm");
  EXPECT_TRUE(personal.Browser().Waiting());
  personal.Browser().OnDocumentComplete(nullptr, "HTTPS://127.0.0.1/kivane/member/usermodi.jsp");
  EXPECT_FALSE(personal.Browser().Waiting());
  EXPECT_FALSE(IsWindowVisible(personal.Animation().Handle()));
  EXPECT_FALSE(personal.Animation().IsPlaying());
  EXPECT_EQ(personal.Send(WM_COMMAND, IDCANCEL), 0);
  EXPECT_TRUE(personal.IsWindow()) << "Esc does not close the page";

  // The browser dialog: its own size, the animation until a document completes.
  BrowserDialog dialog("");
  ASSERT_NE(dialog.Create(page.Handle()), nullptr);
  ShowWindow(dialog.Handle(), SW_SHOWNOACTIVATE);
  RECT frame{};
  GetWindowRect(dialog.Handle(), &frame);
  EXPECT_EQ(frame.right - frame.left, BrowserDialog::kWidth);
  EXPECT_EQ(frame.bottom - frame.top, BrowserDialog::kHeight);
  EXPECT_TRUE(dialog.Animation().IsPlaying());
  EXPECT_FALSE(IsWindowVisible(dialog.Browser().Handle()));
  dialog.Browser().OnDocumentComplete(nullptr, "https://127.0.0.1/pop.html");
  EXPECT_FALSE(dialog.Animation().IsPlaying());
  EXPECT_TRUE(IsWindowVisible(dialog.Browser().Handle()));
  dialog.EndDialog(IDCANCEL);
  personal.Destroy();
  DestroyClientConfig();
}

}  // namespace
}  // namespace mb
