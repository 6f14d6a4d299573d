#pragma once

// Scoped owners of Win32 resources: each releases what it holds, exactly
// once, and cannot be copied.

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
  static void Release(HANDLE h) noexcept { CloseHandle(h); }
};
struct MappedViewTraits {
  static void* Invalid() noexcept { return nullptr; }
  static void Release(void* view) noexcept { UnmapViewOfFile(view); }
};
struct GdiObjectTraits {
  static HGDIOBJ Invalid() noexcept { return nullptr; }
  static void Release(HGDIOBJ object) noexcept { DeleteObject(object); }
};
struct ImageListTraits {
  static HIMAGELIST Invalid() noexcept { return nullptr; }
  static void Release(HIMAGELIST list) noexcept;
};

using UniqueHandle = Scoped<HANDLE, KernelHandleTraits>;
using UniqueView = Scoped<void*, MappedViewTraits>;
using UniqueGdiObject = Scoped<HGDIOBJ, GdiObjectTraits>;
using UniqueImageList = Scoped<HIMAGELIST, ImageListTraits>;

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

// Selects an object into a device context and puts the old one back.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~SelectedObject() { SelectObject(dc_, old_); }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace zun::win32
