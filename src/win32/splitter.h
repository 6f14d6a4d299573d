#pragma once

#include <functional>

#include "win32/window.h"

namespace zun::win32 {

// A vertical bevelled bar the user drags to change the width of the frame
// on its left. It reports the horizontal distance dragged since the press.
class Splitter final : public Window {
 public:
  Splitter(HWND parent, std::function<void()> onBegin, std::function<void(int)> onDrag);
  void Place(int left, int top, int width, int height);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  std::function<void()> onBegin_;
  std::function<void(int)> onDrag_;
  int pressX_ = 0;
  bool dragging_ = false;
};

}  // namespace zun::win32
