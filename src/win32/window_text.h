#pragma once

// Text in and out of windows and their notifications.

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string>
#include <string_view>

namespace zun::win32 {

// A window's text (its caption, or a control's text), whole.
inline std::string WindowText(HWND window) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(window)), '\0');
  const int copied = GetWindowTextA(window, text.data(), static_cast<int>(text.size() + 1));
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

// Copies text into a notification's buffer of `capacity` characters (a
// tool tip's, a list cell's), cut to fit, always terminated.
inline void CopyText(std::string_view text, char* buffer, int capacity) {
  if (buffer == nullptr || capacity <= 0) return;
  const size_t n = std::min(text.size(), static_cast<size_t>(capacity - 1));
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
}

// The same into a wide buffer: converted from the ANSI code page, then cut.
inline void CopyText(std::string_view text, wchar_t* buffer, int capacity) {
  if (buffer == nullptr || capacity <= 0) return;
  std::wstring wide;
  if (!text.empty()) {
    const int length = static_cast<int>(std::min<size_t>(text.size(), 0x7FFFFFF));
    wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0)));
    if (!wide.empty())
      MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), static_cast<int>(wide.size()));
  }
  const size_t n = std::min(wide.size(), static_cast<size_t>(capacity - 1));
  std::wmemcpy(buffer, wide.data(), n);
  buffer[n] = L'\0';
}

}  // namespace zun::win32
