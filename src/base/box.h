#pragma once

namespace zun {

// A rectangle in client coordinates: where a child window or a grid stands.
struct Box {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Box&, const Box&) = default;
};

}  // namespace zun
