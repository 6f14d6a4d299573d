#include "win32/panel.h"

#include <commctrl.h>

#include "win32/scoped.h"

namespace zun::win32 {
namespace {

UniqueGdiObject g_font;

}  // namespace

Panel::Panel(HWND parent, const char* className, Bevel bevel, DWORD extraStyle) : bevel_(bevel) {
  CreateOfClass(className, WS_EX_CONTROLPARENT, nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | extraStyle, 0,
                0, 0, 0, parent);
}

void Panel::Place(int left, int top, int width, int height) {
  SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT Panel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return SendMessageA(GetParent(Handle()), message, wParam, lParam);
    case WM_SIZE:
      if (bevel_ != Bevel::None) InvalidateRect(Handle(), nullptr, TRUE);
      return 0;
    case WM_PAINT: {
      PaintContext paint(Handle());
      if (bevel_ != Bevel::None) {
        RECT area;
        GetClientRect(Handle(), &area);
        const UINT edge = bevel_ == Bevel::Raised   ? BDR_RAISEDINNER
                          : bevel_ == Bevel::Sunken ? BDR_SUNKENOUTER
                                                    : BDR_RAISEDINNER | BDR_SUNKENOUTER;
        DrawEdge(paint.dc(), &area, edge, BF_RECT);
      }
      return 0;
    }
    default:
      return Default(message, wParam, lParam);
  }
}

void ProcessPendingMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE | PM_QS_PAINT)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the host's loop
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

HFONT AddonFont() {
  if (!g_font) {
    const int height = -MulDiv(8, GetDeviceCaps(WindowDc(nullptr).get(), LOGPIXELSY), 72);
    g_font.reset(CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif"));
  }
  return static_cast<HFONT>(g_font.get());
}

void ReleaseAddonFont() { g_font.reset(); }

}  // namespace zun::win32
