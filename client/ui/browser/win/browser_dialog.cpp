#include "client/ui/browser/win/browser_dialog.h"

#include <mshtmhst.h>

#include <new>

#include "client/core/win/system_utils.h"
#include "client/ui/res/resource.h"
#include "common/win/com_ptr.h"

namespace mb {

namespace {

const char kWaitingAnimation[] = "waitting.gif";

// window.external of the dialog's pages: knows no names, answers every call with
// DISP_E_MEMBERNOTFOUND.
class EmptyDispatch final : public IDispatch {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid != IID_IUnknown && iid != IID_IDispatch) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID, DISPID* ids) override {
    for (UINT i = 0; ids && i < count; ++i) ids[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }

 private:
  ULONG refs_ = 1;
};

}  // namespace

BrowserDialog::BrowserDialog(const std::string& address)
    : Dialog(IDD_BROWSER_DIALOG), address_(address), external_(new (std::nothrow) EmptyDispatch) {
  Handle(WM_INITDIALOG, &BrowserDialog::OnInitDialog);
  Handle(WM_SIZE, &BrowserDialog::OnSize);
  Handle(WM_DESTROY, &BrowserDialog::OnDestroy);
  Command(IDCANCEL, &BrowserDialog::OnCancel);
  browser_.SetListener(this);
}

BrowserDialog::~BrowserDialog() {
  if (external_) external_->Release();
}

LRESULT BrowserDialog::OnInitDialog(const fw::Message&) {
  const HWND dialog = Handle();
  SetWindowPos(dialog, nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER);
  CentreOnOwner();

  RECT client{};
  GetClientRect(dialog, &client);
  const RECT start{0, 0, 1, 1};  // the control takes the picture's size when it loads
  animation_.Create(dialog, "", WS_CHILD | WS_VISIBLE, 0, &start,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kAnimationId)));
  animation_.LoadFromFile(GetModuleDirectory() + kWaitingAnimation);
  animation_.SetBackgroundColor(RGB(255, 255, 255));
  OnSize({WM_SIZE, 0, 0});
  animation_.Start();

  browser_.Create(dialog, client, "", WS_CHILD, kBrowserId);
  browser_.SetExternalDispatch(external_);
  DWORD flags = DOCHOSTUIFLAG_THEME | DOCHOSTUIFLAG_NO3DBORDER;
  if (!scrollFlag) flags |= DOCHOSTUIFLAG_SCROLL_NO;
  browser_.SetHostFlags(flags);
  if (!keepBoxes) {
    SetWindowLongPtrA(dialog, GWL_STYLE,
                      GetWindowLongPtrA(dialog, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  }
  if (!address_.empty()) browser_.Navigate(address_);
  return TRUE;
}

void BrowserDialog::CentreOnOwner() {
  RECT area{};
  const HWND owner = GetWindow(Handle(), GW_OWNER);
  if (owner && IsWindowVisible(owner)) {
    GetWindowRect(owner, &area);
  } else {
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  }
  RECT self{};
  GetWindowRect(Handle(), &self);
  const int width = self.right - self.left;
  const int height = self.bottom - self.top;
  SetWindowPos(Handle(), nullptr, area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

LRESULT BrowserDialog::OnSize(const fw::Message&) {
  RECT client{};
  GetClientRect(Handle(), &client);
  if (browser_.IsWindow())
    SetWindowPos(browser_.Handle(), nullptr, 0, 0, client.right, client.bottom, SWP_NOMOVE | SWP_NOZORDER);
  if (animation_.IsWindow() && IsWindowVisible(animation_.Handle())) {
    RECT picture{};
    GetWindowRect(animation_.Handle(), &picture);
    SetWindowPos(animation_.Handle(), nullptr, (client.right - (picture.right - picture.left)) / 2,
                 (client.bottom - (picture.bottom - picture.top)) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }
  return 0;
}

LRESULT BrowserDialog::OnDestroy(const fw::Message&) {
  browser_.SetExternalDispatch(nullptr);
  browser_.Destroy();
  animation_.Unload();
  return 0;
}

void BrowserDialog::OnCancel() { EndDialog(IDCANCEL); }

void BrowserDialog::OnDocumentComplete(bool, const std::string&) {
  if (IHTMLDocument2* document = browser_.GetDocument()) {
    BStr title;
    if (SUCCEEDED(document->get_title(title.Out())) && title.Get()) SetWindowTextA(Handle(), title.ToGbk().c_str());
    document->Release();
  }
  RECT client{};
  GetClientRect(Handle(), &client);
  SetWindowPos(browser_.Handle(), nullptr, 0, 0, client.right, client.bottom, SWP_NOZORDER | SWP_SHOWWINDOW);
  animation_.Stop();
  ShowWindow(animation_.Handle(), SW_HIDE);
}

INT_PTR RunBrowserDialog(HWND owner, const std::string& address) {
  BrowserDialog dialog(address);
  return dialog.DoModal(owner);
}

}  // namespace mb
