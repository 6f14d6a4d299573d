#pragma once

#include <windows.h>

#include <string>

namespace zun::win32 {

// A window's text (its caption, or a control's text), whole.
inline std::string WindowText(HWND window) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(window)), '\0');
  const int copied = GetWindowTextA(window, text.data(), static_cast<int>(text.size() + 1));
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

}  // namespace zun::win32
