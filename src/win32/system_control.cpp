#include "win32/system_control.h"

namespace zun::win32 {

SystemControl::~SystemControl() {
  // A derived class has destroyed the control already; should it not have,
  // the control at least reports to nobody while it goes.
  if (control_ && IsWindow(control_.get())) SetReflectionTarget(control_.get(), nullptr);
}

void SystemControl::Adopt(HWND control) {
  DestroyControl();
  control_.reset(control);
}

void SystemControl::DestroyControl() {
  if (control_ && IsWindow(control_.get())) TieNotifications(nullptr);
  control_.reset();
}

void SystemControl::TieNotifications(ReflectedControl* target) {
  SetReflectionTarget(control_.get(), target);
  SetReflectionTarget(Companion(), target);
}

void SystemControl::Place(int left, int top, int width, int height) {
  if (control_) SetWindowPos(control_.get(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void SystemControl::FitToParent() {
  if (!control_) return;
  RECT area{};
  GetClientRect(GetParent(control_.get()), &area);
  Place(0, 0, area.right, area.bottom);
}

}  // namespace zun::win32
