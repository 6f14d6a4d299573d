#pragma once

#include <windows.h>

namespace zun::win32 {

// The module whose resources and window classes the add-on uses: the DLL,
// or the test program that links the add-on's code.
HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE instance);
// Set while the DLL is being unloaded (under the loader lock).
bool ModuleUnloading();
void SetModuleUnloading();

// Registers a window class of this module once; classes are unregistered
// when the module is unloaded (UnregisterWindowClasses).
void RegisterWindowClass(const char* name, WNDPROC procedure, HBRUSH background, HCURSOR cursor, UINT style = 0);
void UnregisterWindowClasses();

}  // namespace zun::win32
