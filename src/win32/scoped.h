#pragma once

// Scoped owners of Win32 resources: each releases what it holds exactly
// once; they move but never copy. Used by the add-on and the development
// host alike.

#include <windows.h>

#include <commctrl.h>

#include <utility>

namespace zun::win32 {

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
struct ImageListTraits {
  static HIMAGELIST Invalid() noexcept { return nullptr; }
  static void Release(HIMAGELIST list) noexcept { ImageList_Destroy(list); }
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
using UniqueImageList = Scoped<HIMAGELIST, ImageListTraits>;
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

// A window's device context for painting, released with the paint.
class PaintContext {
 public:
  explicit PaintContext(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
  ~PaintContext() { EndPaint(window_, &paint_); }
  PaintContext(const PaintContext&) = delete;
  PaintContext& operator=(const PaintContext&) = delete;
  HDC dc() const { return dc_; }
  const RECT& area() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

}  // namespace zun::win32
