#pragma once

// A small window base: `this` is handed over at WM_NCCREATE and kept in
// GWLP_USERDATA; each message goes to HandleMessage. No exception leaves the
// window procedure: it is reported through the add-on's error reporting.
//
// A window object is owned through WindowPtr (made by MakeWindow): its
// window is destroyed before the object, so the last messages of the
// window (WM_DESTROY, its children's notifications as they go) reach an
// object whose members are all still alive. No subclass destroys its
// window itself.

#include <windows.h>

#include <memory>
#include <utility>

namespace zun::win32 {

// A child control that handles its own notifications: the window that
// receives WM_COMMAND, WM_NOTIFY, WM_DRAWITEM or WM_MEASUREITEM from it
// hands them to this object first, so no parent grows a switch of its
// children's messages.
class ReflectedControl {
 public:
  virtual ~ReflectedControl() = default;
  // True when handled; `result` is then the message's answer.
  virtual bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
};

// Ties a control window to the object that handles its notifications (null
// unties it). The tie is a window property, so it works for the system's
// controls as well as for windows of our own classes.
void SetReflectionTarget(HWND control, ReflectedControl* target);

class Window;

// Destroys the window, then deletes the object.
struct DestroyWindowFirst {
  void operator()(Window* window) const noexcept;
};
template <class T>
using WindowPtr = std::unique_ptr<T, DestroyWindowFirst>;

template <class T, class... Args>
WindowPtr<T> MakeWindow(Args&&... args) {
  return WindowPtr<T>(new T(std::forward<Args>(args)...));
}

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const { return hwnd_; }

 protected:
  // Deleted through DestroyWindowFirst. A window that still exists here
  // (its object destroyed some other way) is destroyed with only this base
  // left to take its messages.
  virtual ~Window();
  friend struct DestroyWindowFirst;

  // Registers the class (once) and creates the window for this object.
  void CreateOfClass(const char* className, DWORD exStyle, const char* title, DWORD style, int x, int y, int width,
                     int height, HWND parent, HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                     HCURSOR cursor = LoadCursor(nullptr, IDC_ARROW), UINT classStyle = 0);
  void Destroy();

  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) { return DefWindowProcA(hwnd_, message, wParam, lParam); }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

// Reports an exception that reached a window procedure or an export; set by
// the add-on, so that the windows need not know who reports.
using UnexpectedErrorHandler = void (*)(const char* what);
void SetUnexpectedErrorHandler(UnexpectedErrorHandler handler);
void ReportUnexpectedError(const char* what) noexcept;

}  // namespace zun::win32
