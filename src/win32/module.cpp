#include "win32/module.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace zun::win32 {
namespace {

HINSTANCE g_instance = nullptr;
bool g_unloading = false;
std::vector<std::string> g_classes;

}  // namespace

HINSTANCE ModuleInstance() { return g_instance ? g_instance : GetModuleHandleA(nullptr); }

void SetModuleInstance(HINSTANCE instance) { g_instance = instance; }

bool ModuleUnloading() { return g_unloading; }

void SetModuleUnloading() { g_unloading = true; }

void RegisterWindowClass(const char* name, WNDPROC procedure, HBRUSH background, HCURSOR cursor, UINT style) {
  for (const auto& known : g_classes)
    if (known == name) return;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = procedure;
  wc.hInstance = ModuleInstance();
  wc.hCursor = cursor;
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw std::runtime_error(std::string("Cannot register the window class ") + name);
  g_classes.emplace_back(name);
}

void UnregisterWindowClasses() {
  for (const auto& name : g_classes) UnregisterClassA(name.c_str(), ModuleInstance());
  g_classes.clear();
}

}  // namespace zun::win32
