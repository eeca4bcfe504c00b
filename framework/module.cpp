#include "framework/module.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <vector>

namespace fw {

namespace {
struct ModuleState {
  HINSTANCE instance = nullptr;
  HINSTANCE resources = nullptr;
  HWND mainWindow = nullptr;
  std::mutex chainLock;
  std::vector<HINSTANCE> chain;
  std::mutex loopsLock;
  std::map<DWORD, MessageLoop*> loops;
};
ModuleState& State() {
  static ModuleState state;
  return state;
}
}  // namespace

void Module::Init(HINSTANCE instance) {
  State().instance = instance;
  State().resources = instance;
}

std::string Module::ProgramFolder() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length < MAX_PATH ? length : 0);
  // The last backslash that starts a character: a GBK trail byte can be one too.
  std::size_t cut = std::string::npos;
  for (std::size_t i = 0; i < folder.size(); i += IsDBCSLeadByte(static_cast<BYTE>(folder[i])) ? 2 : 1)
    if (folder[i] == '\\') cut = i;
  return cut == std::string::npos ? std::string() : folder.substr(0, cut + 1);
}

void Module::Term() {
  std::lock_guard<std::mutex> lock(State().loopsLock);
  State().loops.clear();
}

HINSTANCE Module::Instance() {
  return State().instance ? State().instance : GetModuleHandleA(nullptr);
}

HINSTANCE Module::ResourceInstance() { return State().resources ? State().resources : Instance(); }

void Module::SetResourceInstance(HINSTANCE resources) { State().resources = resources; }

void Module::AddResourceModule(HINSTANCE module) {
  std::lock_guard<std::mutex> lock(State().chainLock);
  auto& chain = State().chain;
  if (module && std::find(chain.begin(), chain.end(), module) == chain.end()) chain.push_back(module);
}

void Module::RemoveResourceModule(HINSTANCE module) {
  std::lock_guard<std::mutex> lock(State().chainLock);
  auto& chain = State().chain;
  chain.erase(std::remove(chain.begin(), chain.end(), module), chain.end());
}

void Module::FollowLibraryLifetime(HINSTANCE library, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(library);
    AddResourceModule(library);
  } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    RemoveResourceModule(library);
  }
}

HINSTANCE Module::FindResourceModule(LPCSTR name, LPCSTR type) {
  HINSTANCE first = ResourceInstance();
  if (FindResourceA(first, name, type)) return first;
  std::lock_guard<std::mutex> lock(State().chainLock);
  for (HINSTANCE module : State().chain) {
    if (module != first && FindResourceA(module, name, type)) return module;
  }
  return nullptr;
}

void Module::SetMainWindow(HWND window) { State().mainWindow = window; }

HWND Module::MainWindow() { return State().mainWindow; }

void Module::AddMessageLoop(MessageLoop* loop) {
  std::lock_guard<std::mutex> lock(State().loopsLock);
  State().loops[GetCurrentThreadId()] = loop;
}

void Module::RemoveMessageLoop() {
  std::lock_guard<std::mutex> lock(State().loopsLock);
  State().loops.erase(GetCurrentThreadId());
}

MessageLoop* Module::GetMessageLoop() {
  std::lock_guard<std::mutex> lock(State().loopsLock);
  auto it = State().loops.find(GetCurrentThreadId());
  return it == State().loops.end() ? nullptr : it->second;
}

}  // namespace fw
