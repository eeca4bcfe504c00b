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
