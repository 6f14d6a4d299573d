#pragma once

// The shortcut a key makes with the modifiers held as it is pressed.

#include <windows.h>

#include "core/command_table.h"

namespace zun::win32 {

inline Shortcut PressedShortcut(WPARAM key) {
  return Shortcut{.key = static_cast<uint16_t>(key),
                  .ctrl = GetKeyState(VK_CONTROL) < 0,
                  .shift = GetKeyState(VK_SHIFT) < 0,
                  .alt = GetKeyState(VK_MENU) < 0};
}

}  // namespace zun::win32
