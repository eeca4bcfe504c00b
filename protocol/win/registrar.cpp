#include "protocol/win/registrar.h"

#include <shlwapi.h>

#include "protocol/registry_script.h"

namespace mb {
namespace {

HKEY RootKey(const std::string& root) {
  if (root == "HKLM") return HKEY_LOCAL_MACHINE;
  if (root == "HKCU") return HKEY_CURRENT_USER;
  return HKEY_CLASSES_ROOT;
}

bool LoadScript(HINSTANCE module, UINT resourceId, const std::map<std::string, std::string>& replacements,
                RegistryScript& script) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(resourceId), "REGISTRY");
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  if (!bytes) return false;
  script = ParseRegistryScript(std::string_view(bytes, SizeofResource(module, found)), replacements);
  return script.error.empty();
}

LSTATUS SetString(HKEY key, const std::string& name, const std::string& data) {
  return RegSetValueExA(key, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(data.c_str()), static_cast<DWORD>(data.size() + 1));
}

LSTATUS ApplyEntry(const RegistryEntry& entry) {
  const HKEY root = RootKey(entry.root);
  if (entry.kind == RegistryEntry::Kind::kFreshKey) SHDeleteKeyA(root, entry.path.c_str());
  HKEY key = nullptr;
  LSTATUS status = RegCreateKeyExA(root, entry.path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) return status;
  if (entry.data) status = SetString(key, entry.name, *entry.data);
  RegCloseKey(key);
  return status;
}

}  // namespace

HRESULT RegisterFromScript(HINSTANCE module, UINT resourceId, const std::map<std::string, std::string>& replacements) {
  RegistryScript script;
  if (!LoadScript(module, resourceId, replacements, script)) return E_UNEXPECTED;
  for (const RegistryEntry& entry : script.entries) {
    const LSTATUS status = ApplyEntry(entry);
    if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
  }
  return S_OK;
}

HRESULT UnregisterFromScript(HINSTANCE module, UINT resourceId,
                             const std::map<std::string, std::string>& replacements) {
  RegistryScript script;
  if (!LoadScript(module, resourceId, replacements, script)) return E_UNEXPECTED;
  for (auto entry = script.entries.rbegin(); entry != script.entries.rend(); ++entry) {
    if (entry->kind != RegistryEntry::Kind::kValue) SHDeleteKeyA(RootKey(entry->root), entry->path.c_str());
  }
  return S_OK;
}

}  // namespace mb
