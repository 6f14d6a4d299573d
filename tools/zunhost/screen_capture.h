#pragma once

// Pictures of windows as they are on the screen, for screenshots.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zun::devhost {

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // rows top first, three bytes per pixel
};

// Copies the screen's pixels under the window's rectangle (frame included,
// cut to the screen). False with the reason in error when the window is
// not on the screen or a copy fails.
bool CaptureWindow(HWND window, RgbImage& image, std::string& error);

// Writes bytes to path, replacing it. False when it cannot.
bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace zun::devhost
