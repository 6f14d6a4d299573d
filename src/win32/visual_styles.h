#pragma once

// The add-on's windows get version 6 of the common controls from the
// module's own manifest (resource 2), whatever manifest the host has:
// the activation context made from it is active while our windows and
// controls are created. Classes of the common controls are registered once.

#include <windows.h>

namespace zun::win32 {

// Activates the module's activation context for its lifetime; does nothing
// where the module has no manifest or the system no activation contexts.
class VisualStylesScope {
 public:
  VisualStylesScope();
  ~VisualStylesScope();
  VisualStylesScope(const VisualStylesScope&) = delete;
  VisualStylesScope& operator=(const VisualStylesScope&) = delete;

 private:
  ULONG_PTR cookie_ = 0;
  bool active_ = false;
};

// The list view, tool bar, tool tip and progress bar classes.
void InitCommonControlsOnce();

// Releases the activation context when the module unloads.
void ReleaseVisualStyles();

}  // namespace zun::win32
