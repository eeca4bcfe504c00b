#include "framework/module.h"

#include <map>
#include <mutex>

namespace fw {

namespace {
struct ModuleState {
  HINSTANCE instance = nullptr;
  HINSTANCE resources = nullptr;
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
