#include "win32/window.h"

#include <exception>
#include <new>
#include <stdexcept>
#include <string>

#include "win32/module.h"

namespace zun::win32 {
namespace {

UnexpectedErrorHandler g_handler = nullptr;

constexpr char kReflectionProperty[] = "ZUN.ReflectionTarget";

// The control a notification came from.
HWND SenderOf(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      return reinterpret_cast<HWND>(lParam);  // null for menus and accelerators
    case WM_NOTIFY:
      return lParam ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom : nullptr;
    case WM_DRAWITEM:
      return lParam && wParam ? reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    default:
      return nullptr;
  }
}

bool Reflect(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  HWND sender = SenderOf(message, wParam, lParam);
  if (message == WM_MEASUREITEM && wParam != 0) sender = GetDlgItem(window, static_cast<int>(wParam));
  if (sender == nullptr) return false;
  auto* target = static_cast<ReflectedControl*>(GetPropA(sender, kReflectionProperty));
  return target != nullptr && target->OnReflected(message, wParam, lParam, result);
}

}  // namespace

void SetReflectionTarget(HWND control, ReflectedControl* target) {
  if (control == nullptr) return;
  if (target != nullptr)
    SetPropA(control, kReflectionProperty, target);
  else
    RemovePropA(control, kReflectionProperty);
}

void SetUnexpectedErrorHandler(UnexpectedErrorHandler handler) { g_handler = handler; }

void ReportUnexpectedError(const char* what) noexcept {
  try {
    if (g_handler) g_handler(what);
  } catch (...) {
    // Reporting failed too; nothing more can be done without risking the host.
  }
}

Window::~Window() { Destroy(); }

void DestroyWindowFirst::operator()(Window* window) const noexcept {
  if (window == nullptr) return;
  window->Destroy();
  delete window;
}

void Window::CreateOfClass(const char* className, DWORD exStyle, const char* title, DWORD style, int x, int y,
                           int width, int height, HWND parent, HBRUSH background, HCURSOR cursor, UINT classStyle) {
  RegisterWindowClass(className, &Window::Procedure, background, cursor, classStyle);
  CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, nullptr, ModuleInstance(), this);
  if (hwnd_ == nullptr) throw std::runtime_error(std::string("Cannot create the window ") + className);
}

void Window::Destroy() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) { return Default(message, wParam, lParam); }

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* self;
  if (message == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }
  if (self == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  try {
    LRESULT reflected = 0;
    if (Reflect(hwnd, message, wParam, lParam, reflected)) return reflected;
    return self->HandleMessage(message, wParam, lParam);
  } catch (const std::exception& e) {
    ReportUnexpectedError(e.what());
  } catch (...) {
    ReportUnexpectedError("unknown error");
  }
  return 0;
}

}  // namespace zun::win32
