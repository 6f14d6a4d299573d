#pragma once

#include <cstdint>

namespace zun {

// Cursor numbers of the screen cursor.
inline constexpr int32_t kCursorDefault = 0;
inline constexpr int32_t kCursorHourGlass = -11;

// The cursor shown over all of the add-on's windows.
class ScreenCursor {
 public:
  virtual ~ScreenCursor() = default;
  virtual int32_t Get() const = 0;
  virtual void Set(int32_t cursor) = 0;
};

}  // namespace zun
