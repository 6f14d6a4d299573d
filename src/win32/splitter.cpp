#include "win32/splitter.h"

#include <windowsx.h>

#include "win32/scoped.h"

namespace zun::win32 {

Splitter::Splitter(HWND parent, std::function<void()> onBegin, std::function<void(int)> onDrag)
    : onBegin_(std::move(onBegin)), onDrag_(std::move(onDrag)) {
  CreateOfClass("ZUN_Splitter", 0, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), LoadCursor(nullptr, IDC_SIZEWE));
}

void Splitter::Place(int left, int top, int width, int height) {
  SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT Splitter::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN: {
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(Handle(), &p);
      pressX_ = p.x;
      dragging_ = true;
      SetCapture(Handle());
      onBegin_();
      return 0;
    }
    case WM_MOUSEMOVE:
      if (dragging_) {
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(Handle(), &p);
        onDrag_(p.x - pressX_);
      }
      return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (dragging_) {
        dragging_ = false;
        if (GetCapture() == Handle()) ReleaseCapture();
      }
      return 0;
    case WM_PAINT: {
      PaintContext paint(Handle());
      RECT area;
      GetClientRect(Handle(), &area);
      DrawEdge(paint.dc(), &area, BDR_RAISEDINNER, BF_RECT);
      return 0;
    }
    default:
      return Default(message, wParam, lParam);
  }
}

}  // namespace zun::win32
