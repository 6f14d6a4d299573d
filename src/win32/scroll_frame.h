#pragma once

// A panel whose children may not fit it: it scrolls them, both ways, with a
// scroll bar for each direction shown only while the content does not fit
// that way, as a frame with automatic scroll bars does. The children keep
// no scroll bars of their own.

#include "win32/panel.h"

namespace zun::win32 {

class ScrollFrame final : public Panel {
 public:
  ScrollFrame(HWND parent, const char* className, Bevel bevel);

  // The extent of the children at scroll position (0, 0), in client pixels.
  // Call it after the children were placed at that position.
  void SetContentSize(int width, int height);
  // Scrolls so that content point (x, y) is at the client area's top left,
  // within the content's bounds.
  void ScrollTo(int x, int y);
  POINT ScrollPosition() const { return position_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void UpdateBars();
  void OnScroll(int bar, WORD request);
  int Limit(int bar) const;

  int contentWidth_ = 0;
  int contentHeight_ = 0;
  POINT position_{0, 0};
  bool updating_ = false;
};

}  // namespace zun::win32
