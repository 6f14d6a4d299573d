#include "win32/win32_ports.h"

namespace zun::win32 {

void Win32ScreenCursor::Set(int32_t cursor) {
  cursor_ = cursor;
  SetCursor(LoadCursor(nullptr, IsBusy() ? IDC_WAIT : IDC_ARROW));
}

}  // namespace zun::win32
