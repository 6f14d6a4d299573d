#pragma once

// A view over one of the system's controls (the tool bar, the list view):
// it owns the control's window, ties the control's notifications to itself
// (with those of a companion that reports as the control, as a tool bar's
// tip or a list view's header does) and places it in its parent. Views
// over windows of our own classes (grids, panels) derive from Window.

#include <windows.h>

#include "win32/scoped.h"
#include "win32/window.h"

namespace zun::win32 {

class SystemControl : public ReflectedControl {
 public:
  SystemControl() = default;
  ~SystemControl() override;
  SystemControl(const SystemControl&) = delete;
  SystemControl& operator=(const SystemControl&) = delete;

  HWND Handle() const { return control_.get(); }
  void Place(int left, int top, int width, int height);
  // Fills the parent's client area again (after the parent was resized).
  void FitToParent();

 protected:
  // Takes `control`, just created; a control held before is untied and
  // destroyed first. The caller ties the new one when it is ready.
  void Adopt(HWND control);
  // Unties and destroys the control. A derived class calls it first thing
  // in its destructor, while what its ties name still exists.
  void DestroyControl();
  // Ties the control and its companion to `target`, or (null) unties them.
  // An override adds ties of its own and calls this one.
  virtual void TieNotifications(ReflectedControl* target);
  // The window that reports as the control, if any.
  virtual HWND Companion() const { return nullptr; }

 private:
  UniqueWindow control_;
};

}  // namespace zun::win32
