#include "support/win32_pixels.h"

#include <cstdint>
#include <cstring>
#include <map>

namespace zun::testing {

template <class Draw>
void Picture::Paint(Draw draw) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC memory = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  draw(memory);
  GdiFlush();
  const auto* words = static_cast<const uint32_t*>(bits);
  for (size_t i = 0; i < pixels_.size(); ++i)
    pixels_[i] = RGB((words[i] >> 16) & 0xFF, (words[i] >> 8) & 0xFF, words[i] & 0xFF);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

Picture Picture::OfScreen(POINT topLeft, int width, int height) {
  Picture picture(width, height);
  picture.Paint([&](HDC memory) {
    HDC screen = GetDC(nullptr);
    BitBlt(memory, 0, 0, width, height, screen, topLeft.x, topLeft.y, SRCCOPY);
    ReleaseDC(nullptr, screen);
  });
  return picture;
}

Picture Picture::OfClient(HWND window) {
  RECT area{};
  GetClientRect(window, &area);
  Picture picture(area.right, area.bottom);
  picture.Paint(
      [&](HDC memory) { SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT); });
  return picture;
}

Picture Picture::OfText(const char* text, HFONT font, SIZE size, POINT at, COLORREF background) {
  Picture picture(size.cx, size.cy);
  picture.Paint([&](HDC memory) {
    const RECT all{0, 0, size.cx, size.cy};
    HBRUSH brush = CreateSolidBrush(background);
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    HGDIOBJ oldFont = SelectObject(memory, font);
    SetBkMode(memory, TRANSPARENT);
    SetTextColor(memory, GetSysColor(COLOR_BTNTEXT));
    ExtTextOutA(memory, at.x, at.y, ETO_CLIPPED, &all, text, static_cast<UINT>(strlen(text)), nullptr);
    SelectObject(memory, oldFont);
  });
  return picture;
}

COLORREF Picture::MostCommon() const {
  std::map<COLORREF, int> counts;
  for (COLORREF c : pixels_) ++counts[c];
  COLORREF best = 0;
  int most = -1;
  for (const auto& [colour, count] : counts)
    if (count > most) {
      best = colour;
      most = count;
    }
  return best;
}

bool Picture::AllOf(const RECT& area, COLORREF colour) const {
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (At(x, y) != colour) return false;
  return true;
}

int InkDifference(const Picture& a, const Picture& b) {
  const COLORREF backA = a.MostCommon();
  const COLORREF backB = b.MostCommon();
  int differ = 0;
  for (int y = 0; y < a.height() && y < b.height(); ++y)
    for (int x = 0; x < a.width() && x < b.width(); ++x)
      if ((a.At(x, y) != backA) != (b.At(x, y) != backB)) ++differ;
  return differ;
}

}  // namespace zun::testing
