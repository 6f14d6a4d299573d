#pragma once

// Scoped owners of the Win32 resources the development host holds: each
// releases what it holds exactly once; they move but never copy.

#include <windows.h>

#include <shellapi.h>

#include <utility>

namespace zun::devhost {

template <class Handle, class Traits>
class Scoped {
 public:
  Scoped() noexcept = default;
  explicit Scoped(Handle handle) noexcept : handle_(handle) {}
  Scoped(Scoped&& other) noexcept : handle_(std::exchange(other.handle_, Traits::Invalid())) {}
  Scoped& operator=(Scoped&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, Traits::Invalid()));
    return *this;
  }
  Scoped(const Scoped&) = delete;
  Scoped& operator=(const Scoped&) = delete;
  ~Scoped() { reset(); }

  Handle get() const noexcept { return handle_; }
  // Gives up ownership without releasing.
  Handle release() noexcept { return std::exchange(handle_, Traits::Invalid()); }
  explicit operator bool() const noexcept { return handle_ != Traits::Invalid(); }
  void reset(Handle handle = Traits::Invalid()) noexcept {
    if (handle_ != Traits::Invalid()) Traits::Release(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = Traits::Invalid();
};

struct KernelHandleTraits {
  static HANDLE Invalid() noexcept { return nullptr; }
  static void Release(HANDLE handle) noexcept { CloseHandle(handle); }
};
struct MappedViewTraits {
  static void* Invalid() noexcept { return nullptr; }
  static void Release(void* view) noexcept { UnmapViewOfFile(view); }
};
struct LibraryTraits {
  static HMODULE Invalid() noexcept { return nullptr; }
  static void Release(HMODULE module) noexcept { FreeLibrary(module); }
};
struct WindowTraits {
  static HWND Invalid() noexcept { return nullptr; }
  // A window another owner destroyed already is left alone.
  static void Release(HWND window) noexcept {
    if (IsWindow(window)) DestroyWindow(window);
  }
};
struct GdiObjectTraits {
  static HGDIOBJ Invalid() noexcept { return nullptr; }
  static void Release(HGDIOBJ object) noexcept { DeleteObject(object); }
};
struct MemoryDcTraits {
  static HDC Invalid() noexcept { return nullptr; }
  static void Release(HDC dc) noexcept { DeleteDC(dc); }
};
struct AcceleratorTraits {
  static HACCEL Invalid() noexcept { return nullptr; }
  static void Release(HACCEL table) noexcept { DestroyAcceleratorTable(table); }
};
struct MenuTraits {
  static HMENU Invalid() noexcept { return nullptr; }
  static void Release(HMENU menu) noexcept { DestroyMenu(menu); }
};

using UniqueHandle = Scoped<HANDLE, KernelHandleTraits>;
using UniqueView = Scoped<void*, MappedViewTraits>;
using UniqueLibrary = Scoped<HMODULE, LibraryTraits>;
using UniqueWindow = Scoped<HWND, WindowTraits>;
using UniqueGdiObject = Scoped<HGDIOBJ, GdiObjectTraits>;
using UniqueMemoryDc = Scoped<HDC, MemoryDcTraits>;
using UniqueAccelerators = Scoped<HACCEL, AcceleratorTraits>;
// A menu not (or no longer) attached to a window; a window destroys its own.
using UniqueMenu = Scoped<HMENU, MenuTraits>;

// A window's (or with null, the screen's) device context, released to it.
class WindowDc {
 public:
  explicit WindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const noexcept { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a device context and puts the old one back.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (old_ != nullptr && old_ != HGDI_ERROR) SelectObject(dc_, old_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  bool ok() const noexcept { return old_ != nullptr && old_ != HGDI_ERROR; }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// The files of one WM_DROPFILES: the host owns the drop, so it finishes it
// once the add-on has looked at it.
class DropFinisher {
 public:
  explicit DropFinisher(HDROP drop) noexcept : drop_(drop) {}
  ~DropFinisher() {
    if (drop_ != nullptr) DragFinish(drop_);
  }
  DropFinisher(const DropFinisher&) = delete;
  DropFinisher& operator=(const DropFinisher&) = delete;

 private:
  HDROP drop_;
};

}  // namespace zun::devhost
