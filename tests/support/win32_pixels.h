#pragma once

// Pictures of what windows show, read pixel by pixel: a rectangle of the
// screen, what a window paints of its client area, or a text drawn the way a
// window draws it, for comparing one with another.

#include <windows.h>

#include <vector>

namespace zun::testing {

class Picture {
 public:
  // What the screen shows there now.
  static Picture OfScreen(POINT topLeft, int width, int height);
  // What the window paints into its client area (WM_PRINTCLIENT).
  static Picture OfClient(HWND window);
  // `text` in `font` and the system's text colour, drawn transparently at
  // `at` on a background of one colour.
  static Picture OfText(const char* text, HFONT font, SIZE size, POINT at, COLORREF background);

  COLORREF At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  int width() const { return width_; }
  int height() const { return height_; }
  // The colour most pixels of the picture have: its background.
  COLORREF MostCommon() const;
  // Whether every pixel of this rectangle has the colour.
  bool AllOf(const RECT& area, COLORREF colour) const;

 private:
  Picture(int width, int height) : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height) {}
  // Fills the picture by drawing into a 32-bit bitmap of its size.
  template <class Draw>
  void Paint(Draw draw);

  int width_;
  int height_;
  std::vector<COLORREF> pixels_;
};

// How many pixels of two pictures differ in whether they show ink, that is
// anything other than their own background.
int InkDifference(const Picture& a, const Picture& b);

}  // namespace zun::testing
