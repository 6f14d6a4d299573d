#include "zunhost/screen_capture.h"

#include <algorithm>

#include "zunhost/win32_scoped.h"

namespace zun::devhost {

bool CaptureWindow(HWND window, RgbImage& image, std::string& error) {
  RECT area{};
  if (!IsWindow(window) || !GetWindowRect(window, &area)) {
    error = "no window to capture";
    return false;
  }
  const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (!IntersectRect(&area, &area, &screen)) {
    error = "the window is off the screen";
    return false;
  }
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;

  const WindowDc screenDc(nullptr);
  UniqueMemoryDc memoryDc(CreateCompatibleDC(screenDc.get()));
  UniqueGdiObject bitmap(CreateCompatibleBitmap(screenDc.get(), width, height));
  if (screenDc.get() == nullptr || !memoryDc || !bitmap) {
    error = "cannot make a bitmap of the screen";
    return false;
  }
  {
    const SelectedObject selected(memoryDc.get(), bitmap.get());
    if (!selected.ok() ||
        !BitBlt(memoryDc.get(), 0, 0, width, height, screenDc.get(), area.left, area.top, SRCCOPY | CAPTUREBLT)) {
      error = "cannot copy the screen";
      return false;
    }
  }

  // 24-bit rows, top first, each padded to 4 bytes, in blue-green-red order.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  std::vector<uint8_t> bgr(stride * static_cast<size_t>(height));
  if (GetDIBits(memoryDc.get(), static_cast<HBITMAP>(bitmap.get()), 0, static_cast<UINT>(height), bgr.data(), &info,
                DIB_RGB_COLORS) != height) {
    error = "cannot read the bitmap's pixels";
    return false;
  }
  image.width = width;
  image.height = height;
  image.rgb.resize(static_cast<size_t>(width) * 3 * static_cast<size_t>(height));
  for (int y = 0; y < height; ++y) {
    const uint8_t* from = bgr.data() + stride * static_cast<size_t>(y);
    uint8_t* to = image.rgb.data() + static_cast<size_t>(width) * 3 * static_cast<size_t>(y);
    for (int x = 0; x < width; ++x, from += 3, to += 3) {
      to[0] = from[2];
      to[1] = from[1];
      to[2] = from[0];
    }
  }
  return true;
}

bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  const HANDLE opened =
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return false;
  const UniqueHandle file(opened);
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    if (!WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

}  // namespace zun::devhost
