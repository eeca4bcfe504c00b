// Linkport.dll's exports: the class factory, self-registration and unloading.
#include "protocol/win/server_module.h"

#include <oleauto.h>

#include <map>
#include <new>
#include <string>

#include "protocol/win/linkport_ids.h"
#include "protocol/win/linkport_plug.h"
#include "protocol/win/registrar.h"

namespace mb {
namespace {

HINSTANCE g_instance = nullptr;
LONG g_locks = 0;

class ClassFactory : public IClassFactory {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
      *out = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // The factory is a static object; while it is handed out, the module stays.
  STDMETHODIMP_(ULONG) AddRef() override {
    ServerModule::Lock();
    return 2;
  }
  STDMETHODIMP_(ULONG) Release() override {
    ServerModule::Unlock();
    return 1;
  }
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    return CreateLinkportPlug(outer, iid, out);
  }
  STDMETHODIMP LockServer(BOOL lock) override {
    lock ? ServerModule::Lock() : ServerModule::Unlock();
    return S_OK;
  }
};

ClassFactory g_factory;

std::string ModulePath() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(g_instance, path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

std::map<std::string, std::string> ScriptValues() {
  return {{"MODULE", ModulePath()}, {"CLSID", kLinkportClsidText}, {"TYPELIB", kLinkportTypeLibText}};
}

std::wstring WidePath(const std::string& path) {
  std::wstring wide(path.size() + 1, L'\0');
  const int count = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
  wide.resize(count > 0 ? static_cast<std::size_t>(count - 1) : 0);
  return wide;
}

}  // namespace

HINSTANCE ServerModule::Instance() { return g_instance; }
void ServerModule::SetInstance(HINSTANCE instance) { g_instance = instance; }
void ServerModule::Lock() { InterlockedIncrement(&g_locks); }
void ServerModule::Unlock() { InterlockedDecrement(&g_locks); }
bool ServerModule::InUse() { return g_locks != 0; }

}  // namespace mb

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    mb::ServerModule::SetInstance(instance);
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

STDAPI DllCanUnloadNow() { return mb::ServerModule::InUse() ? S_FALSE : S_OK; }

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!IsEqualCLSID(clsid, mb::kLinkportPlugClsid)) return CLASS_E_CLASSNOTAVAILABLE;
  return mb::g_factory.QueryInterface(iid, out);
}

STDAPI DllRegisterServer() {
  const HRESULT result = mb::RegisterFromScript(mb::g_instance, IDR_LINKPORT_REGISTRATION, mb::ScriptValues());
  if (FAILED(result)) return result;
  ITypeLib* library = nullptr;
  const std::wstring path = mb::WidePath(mb::ModulePath());
  HRESULT typeLib = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library);
  if (SUCCEEDED(typeLib)) {
    typeLib = RegisterTypeLib(library, const_cast<LPOLESTR>(path.c_str()), nullptr);
    library->Release();
  }
  return typeLib;
}

STDAPI DllUnregisterServer() {
  UnRegisterTypeLib(mb::kLinkportTypeLibId, 1, 0, LOCALE_NEUTRAL, SYS_WIN32);
  return mb::UnregisterFromScript(mb::g_instance, IDR_LINKPORT_REGISTRATION, mb::ScriptValues());
}

}  // extern "C"
