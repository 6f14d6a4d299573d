#include "support/win32_watchdog.h"

#include <cstdio>

#include "support/win32_windows.h"
#include "win32/window_text.h"

namespace zun::testing {

Watchdog::Watchdog(int seconds, std::vector<std::string> alsoClose)
    : classes_(std::move(alsoClose)), stop_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
  classes_.insert(classes_.begin(), {"#32768", "#32770"});
  thread_ = std::thread([this, seconds] { Watch(seconds); });
}

Watchdog::~Watchdog() {
  SetEvent(stop_);
  thread_.join();
  CloseHandle(stop_);
}

void Watchdog::Watch(int seconds) {
  if (WaitForSingleObject(stop_, static_cast<DWORD>(seconds) * 1000) != WAIT_TIMEOUT) return;
  do {
    for (const std::string& kind : classes_)
      if (HWND window = VisibleTopLevel(kind)) {
        fired_ = true;
        fprintf(stderr, "watchdog: closing %s \"%s\"\n", kind.c_str(), win32::WindowText(window).c_str());
        if (kind == "#32768")
          PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
        else if (kind == "#32770")
          PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        else
          PostMessageA(window, WM_CLOSE, 0, 0);
      }
  } while (WaitForSingleObject(stop_, 200) == WAIT_TIMEOUT);  // a window closed may give way to the next
}

}  // namespace zun::testing
