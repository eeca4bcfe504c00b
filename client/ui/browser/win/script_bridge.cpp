#include "client/ui/browser/win/script_bridge.h"

#include <cwchar>
#include <memory>
#include <new>

#include "client/core/download_request.h"
#include "client/core/packed_fields.h"
#include "client/ui/browser/win/browser_dialog.h"
#include "common/win/com_ptr.h"

namespace mb {

namespace {

constexpr std::size_t kMaxParams = 3;

void SetBool(VARIANT* result, bool value) {
  result->vt = VT_BOOL;
  result->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

HRESULT SetString(VARIANT* result, const wchar_t* text) {
  result->vt = VT_BSTR;
  result->bstrVal = nullptr;
  if (!text) return S_OK;
  result->bstrVal = SysAllocString(text);
  return result->bstrVal ? S_OK : E_OUTOFMEMORY;
}

std::string ArgText(const VARIANT& arg) {
  return WideToGbk(std::wstring_view(arg.bstrVal ? arg.bstrVal : L"", SysStringLen(arg.bstrVal)));
}

// One argument as the entry declares it. Objects are refused rather than asked for a value:
// that would run page script in the middle of the call.
HRESULT ConvertArgument(VARIANT& source, VARTYPE type, VARIANT& target) {
  if (type == VT_VARIANT) return VariantCopyInd(&target, &source);
  VARIANT plain;
  VariantInit(&plain);
  if (FAILED(VariantCopyInd(&plain, &source))) return DISP_E_TYPEMISMATCH;
  HRESULT hr = DISP_E_TYPEMISMATCH;
  if (plain.vt != VT_DISPATCH && plain.vt != VT_UNKNOWN && plain.vt != VT_NULL && (plain.vt & VT_ARRAY) == 0)
    hr = VariantChangeType(&target, &plain, 0, type);
  VariantClear(&plain);
  return SUCCEEDED(hr) ? S_OK : DISP_E_TYPEMISMATCH;
}

}  // namespace

struct ScriptBridge::Entry {
  const wchar_t* name;
  std::size_t paramCount;
  VARTYPE params[kMaxParams];
  HRESULT (ScriptBridge::*body)(VARIANT* args, VARIANT* result);
};

// The order fixes the dispatch ids: the n-th entry has kFirstDispId + n - 1.
const ScriptBridge::Entry ScriptBridge::kEntries[] = {
    {L"foo", 0, {}, &ScriptBridge::Foo},
    {L"test", 1, {VT_VARIANT}, &ScriptBridge::Test},
    {L"loadDetail", 2, {VT_I4, VT_I4}, &ScriptBridge::LoadDetail},
    {L"getDetail", 1, {VT_BSTR}, &ScriptBridge::GetDetail},
    {L"SaveDetail", 2, {VT_I4, VT_I4}, &ScriptBridge::LoadDetail},
    {L"setDetail", 2, {VT_BSTR, VT_BSTR}, &ScriptBridge::SetDetail},
    {L"downWallpaper", 3, {VT_BSTR, VT_BSTR, VT_BSTR}, &ScriptBridge::DownWallpaper},
    {L"setWallpaper", 3, {VT_BSTR, VT_BSTR, VT_BSTR}, &ScriptBridge::SetWallpaper},
    {L"openPreview", 1, {VT_BSTR}, &ScriptBridge::OpenPreview},
};

ScriptBridge* ScriptBridge::Create() {
  auto* bridge = new (std::nothrow) ScriptBridge;
  if (bridge) bridge->AddRef();
  return bridge;
}

HRESULT ScriptBridge::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IDispatch) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG ScriptBridge::AddRef() { return ++refs_; }

ULONG ScriptBridge::Release() {
  const ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

HRESULT ScriptBridge::GetTypeInfoCount(UINT* count) {
  if (count) *count = 0;
  return S_OK;
}

HRESULT ScriptBridge::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT ScriptBridge::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (count > 0 && (!names || !ids)) return E_POINTER;
  for (UINT i = 0; i < count; ++i) {
    ids[i] = DISPID_UNKNOWN;
    for (std::size_t n = 0; n < std::size(kEntries); ++n) {
      if (names[i] && std::wcscmp(names[i], kEntries[n].name) == 0) {
        ids[i] = kFirstDispId + static_cast<DISPID>(n);
        break;
      }
    }
  }
  return S_OK;
}

HRESULT ScriptBridge::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                             EXCEPINFO*, UINT* argError) {
  if (params && params->cNamedArgs != 0 && flags != DISPATCH_PROPERTYPUT) return DISP_E_NONAMEDARGS;
  const DISPID index = id - kFirstDispId;
  if (index < 0 || index >= static_cast<DISPID>(std::size(kEntries))) return DISP_E_MEMBERNOTFOUND;
  VARIANT local;
  VariantInit(&local);
  VARIANT* out = result ? result : &local;
  VariantInit(out);
  HRESULT hr = E_UNEXPECTED;
  try {
    hr = Call(kEntries[index], params, out, argError);
  } catch (const std::bad_alloc&) {
    hr = E_OUTOFMEMORY;
  } catch (...) {
    hr = E_UNEXPECTED;
  }
  if (FAILED(hr) || !result) VariantClear(out);
  return hr;
}

HRESULT ScriptBridge::Call(const Entry& entry, DISPPARAMS* params, VARIANT* result, UINT* argError) {
  const UINT count = params ? params->cArgs : 0;
  if (count != entry.paramCount) return DISP_E_BADPARAMCOUNT;
  VARIANT args[kMaxParams];
  for (VARIANT& arg : args) VariantInit(&arg);
  HRESULT hr = S_OK;
  // The automation list holds the last argument first.
  for (UINT i = 0; i < count && SUCCEEDED(hr); ++i) {
    const UINT from = count - 1 - i;
    hr = ConvertArgument(params->rgvarg[from], entry.params[i], args[i]);
    if (FAILED(hr) && argError) *argError = from;
  }
  if (SUCCEEDED(hr)) hr = (this->*entry.body)(args, result);
  for (VARIANT& arg : args) VariantClear(&arg);
  return hr;
}

HRESULT ScriptBridge::Foo(VARIANT*, VARIANT* result) { return SetString(result, L"hello from get_foo"); }

HRESULT ScriptBridge::Test(VARIANT*, VARIANT* result) { return SetString(result, L"in test"); }

HRESULT ScriptBridge::LoadDetail(VARIANT*, VARIANT* result) {
  SetBool(result, false);
  return S_OK;
}

HRESULT ScriptBridge::GetDetail(VARIANT*, VARIANT* result) { return SetString(result, nullptr); }

HRESULT ScriptBridge::SetDetail(VARIANT*, VARIANT* result) {
  SetBool(result, true);
  return S_OK;
}

HRESULT ScriptBridge::DownWallpaper(VARIANT* args, VARIANT* result) {
  SetBool(result, SendDownloadRequest(args, 0));
  return S_OK;
}

HRESULT ScriptBridge::SetWallpaper(VARIANT* args, VARIANT* result) {
  SetBool(result, SendDownloadRequest(args, 1));
  return S_OK;
}

HRESULT ScriptBridge::OpenPreview(VARIANT* args, VARIANT* result) {
  RunBrowserDialog(GetActiveWindow(), ArgText(args[0]));
  SetBool(result, false);
  return S_OK;
}

bool ScriptBridge::SendDownloadRequest(VARIANT* args, int setWallpaper) {
  if (!owner_ || !IsWindow(owner_)) return false;
  const HWND page = GetParent(owner_);
  if (!page) return false;
  const std::array<std::string, 5> fields = SplitPackedFields(ArgText(args[2]));
  auto request = std::make_unique<DownloadRequest>();
  request->title = ArgText(args[0]);
  request->address = ArgText(args[1]);
  request->category = fields[0];
  request->f2 = fields[1];
  request->f3 = fields[2];
  request->f4 = fields[3];
  request->f5 = fields[4];
  const LRESULT answer = SendMessageA(page, WM_DOWNLOAD_REQUEST, reinterpret_cast<WPARAM>(request.get()),
                                      setWallpaper);
  // -1: the page is busy and the request is still ours; any other answer: the page took it.
  if (answer == -1) return false;
  request.release();
  return true;
}

}  // namespace mb
